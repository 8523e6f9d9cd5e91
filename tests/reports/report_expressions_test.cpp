#include "config/ini_file.h"
#include "operator_messages.h"
#include "reports/report_expressions.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// ---- Fields of a data line -------------------------------------------------

TEST(ReportExpressions, FieldValues)
{
    struct Row
    {
        const char* line;
        const char* name;
        const char* value; // null when the field is absent
        const char* text;
    } rows[] = {
        /* 0*/ {"&tytul=Atlas&rok=1834", "tytul", "Atlas", "Atlas"},
        /* 1*/ {"&tytul=Atlas&rok=1834", "rok", "1834", "1834"},
        /* 2*/ {"&tytul=Atlas&rok=1834", "ro", nullptr, ""},
        /* 3*/ {"&tytul=Atlas&rok=1834", "tytul=Atlas", nullptr, ""},
        /* 4*/ {"&a=&b=2", "a", "", ""},
        /* 5*/ {"*&a=1", "a", "1", "1"}, // a break line has fields too
        /* 6*/ {"&ab=1&a=2", "a", "2", "2"},
        /* 7*/ {"&a=1&a=2", "a", "1", "1"},
        /* 8*/ {"&a", "a", nullptr, ""},
        /* 9*/ {"a=1&b=2", "a", nullptr, ""},
        /*10*/
        {"&a=x\x1b"
         "1y\x1b"
         "1",
         "a",
         "x\x1b"
         "1y\x1b"
         "1",
         "x&y&"},
        /*11*/ {"&=5", "", "5", "5"},
        /*12*/ {"", "a", nullptr, ""},
        /*13*/ {"&n=Zażółć gęślą", "n", "Zażółć gęślą", "Zażółć gęślą"},
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << index++);
        const QString line = S(row.line);
        const QString name = S(row.name);
        const QStringView value = FieldValue(line, name);
        EXPECT_EQ(value.isNull(), row.value == nullptr);
        if (row.value) {
            EXPECT_EQ(value.toString(), S(row.value));
        }
        EXPECT_EQ(FieldText(line, name), S(row.text));
    }
}

// ---- Numbers -----------------------------------------------------------------

TEST(ReportExpressions, EvalNumber)
{
    struct Row
    {
        const char* word;
        const char* line;
        int value;
        const char* error; // null when the number converts
    } rows[] = {
        /* 0*/ {"42", "", 42, nullptr},
        /* 1*/ {"-7", "", -7, nullptr},
        /* 2*/ {"&x", "&y=3&x=12", 12, nullptr},
        /* 3*/ {"&z", "&y=3&x=12", 0, nullptr}, // an absent field is 0
        /* 4*/ {"&x", "&x=", 0, "'' nie jest liczbą całkowitą"},
        /* 5*/ {"abc", "", 0, "'abc' nie jest liczbą całkowitą"},
        /* 6*/ {"12a", "", 0, "'12a' nie jest liczbą całkowitą"},
        /* 7*/ {"", "", 0, "'' nie jest liczbą całkowitą"},
        /* 8*/ {"99999999999", "", 0, "'99999999999' nie jest liczbą całkowitą"},
        /* 9*/ {"1.5", "", 0, "'1.5' nie jest liczbą całkowitą"},
        // A number never has its ESC "1" turned into "&".
        /*10*/
        {"&x",
         "&x=1\x1b"
         "1",
         0,
         "'1\x1b"
         "1' nie jest liczbą całkowitą"},
        /*11*/ {"&x", "&x=rok", 0, "'rok' nie jest liczbą całkowitą"},
        /*12*/ {"&", "&=5", 5, nullptr},
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << index++);
        const QString line = S(row.line);
        std::optional<QString> error;
        int value = 0;
        try {
            value = EvalNumber(S(row.word), line);
        } catch (const ReportConversionError& e) {
            error = e.Text();
            EXPECT_STREQ(e.what(), row.error);
        }
        EXPECT_EQ(error.has_value(), row.error != nullptr);
        if (row.error) {
            EXPECT_EQ(error.value_or(QString()), S(row.error));
        } else {
            EXPECT_EQ(value, row.value);
        }
    }
}

// ---- Macro expressions -------------------------------------------------------

const SiteValues kSite{S("Biblioteka Główna"), S("Czytelnia"), S("Oddział II")};

struct MacroRow
{
    const char* expression;
    const char* text;
    const char* messages; // joined with "\n"
    bool withSite = true;
};

TEST(ReportExpressions, ExpandMacro)
{
    const MacroRow rows[] = {
        /* 0*/ {"#Strona_%P", "Strona 7", ""},
        /* 1*/ {"&tytul&rok", "Atlas1834", ""},
        /* 2*/ {"&wyd", "Kraków & Lwów", ""},
        /* 3*/ {"#Rok:_&rok#_r.", "Rok: 1834 r.", ""},
        /* 4*/ {"&brak", "", ""},
        /* 5*/ {"%%", "%", ""},
        /* 6*/ {"#100%%", "100%", ""},
        /* 7*/ {"%0|%1|%2", "Biblioteka Główna", "Błędne makrowyrażenie: |%1|%2"},
        /* 8*/ {"%0#,_%1#,_%2", "Biblioteka Główna, Czytelnia, Oddział II", ""},
        /* 9*/ {"%0%1%2", "", "", false},
        /*10*/ {"%D", "07.03.2026", ""},
        /*11*/ {"%P", "7", ""},
        /*12*/ {"#a_b__c", "a b  c", ""},
        /*13*/ {"#", "", ""},
        /*14*/ {"", "", ""},
        /*15*/ {"#rok#&rok", "rok1834", ""},
        // An unknown "%" letter is passed over; the rest is expanded.
        /*16*/ {"#a%X#c", "ac", "Błędne makrowyrażenie: %X#c"},
        /*17*/ {"%p%d", "", "Błędne makrowyrażenie: %p%d\nBłędne makrowyrażenie: %d"},
        /*18*/ {"#a%", "a", "Błędne makrowyrażenie: %"},
        // Any other character drops the rest of the expression.
        /*19*/ {"x#y", "", "Błędne makrowyrażenie: x#y"},
        /*20*/ {"#a%Xb#c", "a", "Błędne makrowyrażenie: %Xb#c\nBłędne makrowyrażenie: b#c"},
        /*21*/ {"&rok_#x", "x", ""}, // the field "rok_" does not exist
    };
    const QString line = S("&tytul=Atlas&rok=1834&wyd=Kraków_\x1b"
                           "1_Lwów");
    const QString data = QString(line).replace(u'_', u' ');
    int index = 0;
    for (const MacroRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << index++ << ": " << row.expression);
        MacroContext context;
        context.dataLine = data;
        context.page = 7;
        context.site = row.withSite ? &kSite : nullptr;
        context.now = QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3));
        CollectedMessages messages;
        EXPECT_EQ(ExpandMacro(S(row.expression), context, messages), S(row.text));
        EXPECT_EQ(messages.lines().join(u'\n'), S(row.messages));
    }
}

TEST(ReportExpressions, TimeFollowsTheLocale)
{
    MacroContext context;
    context.now = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58));
    CollectedMessages messages;
    const QString expected = QLocale::system().toString(QTime(23, 59, 58), QLocale::LongFormat);
    EXPECT_EQ(ExpandMacro(u"%T", context, messages), expected);
    EXPECT_TRUE(messages.lines().isEmpty());
}

TEST(ReportExpressions, SiteValuesComeFromTheInstallationSection)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("czytelnia.ini"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[INSTALACJA]\nnazwa=Biblioteka Miejska\nEtykieta1=Czytelnia \xc5\x81\n");
    file.close();
    const SiteValues site = ReadSiteValues(IniFile(path));
    EXPECT_EQ(site.name, S("Biblioteka Miejska"));
    EXPECT_EQ(site.label1, S("Czytelnia Ł"));
    EXPECT_TRUE(site.label2.isEmpty());

    const SiteValues none = ReadSiteValues(IniFile(folder.filePath(QStringLiteral("brak.ini"))));
    EXPECT_TRUE(none.name.isEmpty() && none.label1.isEmpty() && none.label2.isEmpty());
}

} // namespace
