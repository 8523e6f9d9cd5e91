#include "operator_messages.h"
#include "reports/report_description.h"
#include "reports/report_words.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// Lines of a description written one per "\n".
QStringList Lines(const char* text)
{
    return S(text).split(u'\n');
}

struct Parsed
{
    ReportSettings settings;
    QString error;
    QString messages; // joined with "\n"
};

Parsed Parse(const char* description)
{
    Parsed parsed;
    CollectedMessages messages;
    parsed.error = ParseDescription(Lines(description), parsed.settings, messages);
    parsed.messages = messages.lines().join(u'\n');
    return parsed;
}

// ---- The settings line ------------------------------------------------------

struct SettingsRow
{
    const char* line;
    int width;
    ReportLayout layout;
    int fixedLines;
    double physicalCm;
    ReportOrientation orientation;
    double left, right, top, bottom; // cm
};

TEST(ReportDescription, SettingsLine)
{
    using L = ReportLayout;
    using O = ReportOrientation;
    const SettingsRow rows[] = {
        /* 0*/ {"[REPORT 800 ALIGN=CONST 12 ORIENTATION=LANDSCAPE LEFT=20 TOP=15]", 800, L::Const,
                12, 0, O::Landscape, 2.0, 0.5, 1.5, 1.0},
        /* 1*/ {"[REPORT 640]", 640, L::Full, 0, 0, O::Unset, 1.5, 0.5, 1.0, 1.0},
        /* 2*/
        {"[REPORT 500 ALIGN=standard]", 500, L::Standard, 0, 0, O::Unset, 1.5, 0.5, 1.0, 1.0},
        /* 3*/ {"[REPORT 500 ALIGN=Const 7]", 500, L::Const, 7, 0, O::Unset, 1.5, 0.5, 1.0, 1.0},
        /* 4*/
        {"[REPORT 500 ALIGN=width 150]", 500, L::Width, 1, 15.0, O::Unset, 1.5, 0.5, 1.0, 1.0},
        /* 5*/ {"[REPORT 500 ALIGN=full]", 500, L::Full, 0, 0, O::Unset, 1.5, 0.5, 1.0, 1.0},
        /* 6*/ {"[REPORT 500 ALIGN=SIDEWAYS]", 500, L::Full, 0, 0, O::Unset, 1.5, 0.5, 1.0, 1.0},
        /* 7*/
        {"[REPORT 500 ORIENTATION=portrait]", 500, L::Full, 0, 0, O::Portrait, 1.5, 0.5, 1.0, 1.0},
        /* 8*/
        {"[REPORT 500 ORIENTATION=UPSIDE]", 500, L::Full, 0, 0, O::Unset, 1.5, 0.5, 1.0, 1.0},
        // Margins that do not convert keep their defaults.
        /* 9*/
        {"[REPORT 500 LEFT=abc RIGHT= TOP=7x BOTTOM=25]", 500, L::Full, 0, 0, O::Unset, 1.5, 0.5,
         1.0, 2.5},
        // Every "]" goes, also the one stuck to an option's value.
        /*10*/ {"[REPORT 500 RIGHT=12] LEFT=]3", 500, L::Full, 0, 0, O::Unset, 0.3, 1.2, 1.0, 1.0},
        // The first matching parameter wins; word 0 is never an option.
        /*11*/
        {"[REPORT 500 ALIGN=CONST 5 ALIGN=STANDARD]", 500, L::Const, 5, 0, O::Unset, 1.5, 0.5, 1.0,
         1.0},
        // Option names are matched as written.
        /*12*/
        {"[REPORT 500 align=STANDARD left=30]", 500, L::Full, 0, 0, O::Unset, 1.5, 0.5, 1.0, 1.0},
        /*13*/
        {"[REPORT   300    TOP=0  BOTTOM=-5 ]", 300, L::Full, 0, 0, O::Unset, 1.5, 0.5, 0.0, -0.5},
    };
    int index = 0;
    for (const SettingsRow& row : rows) {
        const Parsed parsed = Parse((std::string(row.line) + "\n[END]").c_str());
        const ReportSettings& s = parsed.settings;
        SCOPED_TRACE(testing::Message() << "row " << index++ << ": " << row.line);
        EXPECT_EQ(parsed.error, QString());
        EXPECT_EQ(parsed.messages, QString());
        EXPECT_EQ(s.designWidth, row.width);
        EXPECT_EQ(s.layout, row.layout);
        EXPECT_EQ(s.fixedLines, row.fixedLines);
        EXPECT_DOUBLE_EQ(s.physicalWidthCm, row.physicalCm);
        EXPECT_EQ(s.orientation, row.orientation);
        EXPECT_DOUBLE_EQ(s.leftCm, row.left);
        EXPECT_DOUBLE_EQ(s.rightCm, row.right);
        EXPECT_DOUBLE_EQ(s.topCm, row.top);
        EXPECT_DOUBLE_EQ(s.bottomCm, row.bottom);
    }
}

// ---- Bands, "[END]" and the errors ----------------------------------------

// The bands as "height/first element/element count" for header, line and
// footer; only checked when the description is accepted.
QString Bands(const ReportSettings& s)
{
    QStringList parts;
    for (const ReportBand* band : {&s.header, &s.line, &s.footer})
        parts << QStringLiteral("%1/%2/%3")
                     .arg(band->height)
                     .arg(band->firstElement)
                     .arg(band->elementCount);
    return parts.join(u' ');
}

TEST(ReportDescription, BandsAndErrors)
{
    const char* noEnd = "Błąd opisu zestawienia (spodziewane [END])";
    const char* noWidth = "Błąd opisu zestawienia (brak szerokości raportu)";
    const struct
    {
        const char* description;
        const char* bands;
        const char* messages;
        const char* error;
    } rows[] = {
        /* 0*/ {"[REPORT 800]\n[HEADER 30]\nTEXT #a 0 0\n[LINE 20]\nTEXT &x 0 0\nH 0 0 800\n"
                "[FOOTER 10]\n[END]",
                "30/2/1 20/4/2 10/7/0", "", ""},
        // No line band: it has no height and no elements.
        /* 1*/
        {"[REPORT 100]\n[HEADER 30]\nTEXT #h 0 0\n[FOOTER 12]\nTEXT #f 0 0\n[END]",
         "30/2/1 0/0/0 12/4/1", "", ""},
        /* 2*/ {"[REPORT 100]\n[END]", "0/0/0 0/0/0 0/0/0", "", ""},
        // A band out of order is not one; what stays is not "[END]".
        /* 3*/ {"[REPORT 100]\n[FOOTER 5]\n[HEADER 3]\n[END]", "0/0/0 0/0/0 5/2/0", noEnd, ""},
        // Without "[END]" (the file had none): built from what was there.
        /* 4*/ {"[REPORT 100]\n[LINE 10]\nTEXT &a 0 0", "0/0/0 10/2/1 0/0/0", noEnd, ""},
        /* 5*/ {"[REPORT 100]\n[LINE 10]\n[END ]", "0/0/0 10/2/0 0/0/0", noEnd, ""},
        // Element lines run to the next line that begins with "[".
        /* 6*/
        {"[REPORT 100]\n[LINE 10]\nTEXT #[x] 0 0\n[NOTE]\nBOX 0 0 1 1\n[END]", "0/0/0 10/2/1 0/0/0",
         noEnd, ""},
        /* 7*/ {"[REPORT 0]\n[END]", "", "", noWidth},
        /* 8*/ {"[REPORT]\n[END]", "", "", noWidth},
        /* 9*/ {"[REPORT -40]\n[END]", "", "", noWidth},
        /*10*/ {"", "", "", noWidth},
        /*11*/ {"[REPORT abc]\n[LINE 10]\n[END]", "", "", "Błąd opisu zestawienia ([REPORT abc])"},
        /*12*/ {"[REPORT 100]\n[LINE x]\n[END]", "", "", "Błąd opisu zestawienia ([LINE x])"},
        /*13*/
        {"[REPORT 100]\n[HEADER]\n[END]", "", "Brak oczekiwanego parametru w \"[HEADER\"",
         "Błąd opisu zestawienia ([HEADER])"},
        /*14*/
        {"[REPORT 100 ALIGN=CONST]\n[END]", "",
         "Brak oczekiwanego parametru w \"[REPORT 100 ALIGN=CONST\"",
         "Błąd opisu zestawienia ([REPORT 100 ALIGN=CONST])"},
        /*15*/
        {"[REPORT 100 ALIGN=WIDTH 15cm]\n[END]", "", "",
         "Błąd opisu zestawienia ([REPORT 100 ALIGN=WIDTH 15cm])"},
    };
    int index = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << index++);
        const Parsed parsed = Parse(row.description);
        EXPECT_EQ(parsed.error, S(row.error));
        EXPECT_EQ(parsed.messages, S(row.messages));
        if (parsed.error.isEmpty()) {
            EXPECT_EQ(Bands(parsed.settings), S(row.bands));
        }
    }
}

// A description without a settings line keeps the defaults and reads its
// bands from the first line; having no width, it is refused.
TEST(ReportDescription, NoSettingsLineKeepsTheDefaults)
{
    const Parsed parsed = Parse("[HEADER 5]\nTEXT #a 0 0\n[LINE 7]\n[END]");
    EXPECT_EQ(parsed.error, S("Błąd opisu zestawienia (brak szerokości raportu)"));
    EXPECT_EQ(parsed.messages, QString());
    const ReportSettings& s = parsed.settings;
    EXPECT_EQ(s.layout, ReportLayout::Full);
    EXPECT_EQ(s.orientation, ReportOrientation::Unset);
    EXPECT_DOUBLE_EQ(s.leftCm, 1.5);
    EXPECT_DOUBLE_EQ(s.rightCm, 0.5);
    EXPECT_DOUBLE_EQ(s.topCm, 1.0);
    EXPECT_DOUBLE_EQ(s.bottomCm, 1.0);
    EXPECT_EQ(s.header.height, 5);
    EXPECT_EQ(s.header.firstElement, 1);
    EXPECT_EQ(s.header.elementCount, 1);
    EXPECT_EQ(s.line.height, 7);
    EXPECT_EQ(s.line.firstElement, 3);
    EXPECT_EQ(s.footer.height, 0);
}

TEST(ReportDescription, ParsingStartsFromTheDefaults)
{
    ReportSettings settings;
    settings.leftCm = 9;
    settings.layout = ReportLayout::Width;
    CollectedMessages messages;
    EXPECT_EQ(ParseDescription(Lines("[REPORT 100]\n[END]"), settings, messages), QString());
    EXPECT_DOUBLE_EQ(settings.leftCm, 1.5);
    EXPECT_EQ(settings.layout, ReportLayout::Full);
}

// ---- Reading the file -------------------------------------------------------

struct FileRow
{
    QByteArray bytes;
    const char* description; // lines joined with "|"
    const char* data;        // lines joined with "|"; null for none
};

TEST(ReportDescription, ReadsDescriptionAndDataLines)
{
    const FileRow rows[] = {
        /* 0*/ {"[REPORT 100]\r\n[END]\r\n&a=1\r\n\r\n&b=\xb3\xf3\x64\x9f\r\n",
                "[REPORT 100]|[END]", "&a=1||&b=łódź"},
        // An escape outside the code page; the data's own ESC "1" stays.
        /* 1*/
        {"[END]\n&t=\x1bU263A\x1a&u=a\x1b"
         "1b",
         "[END]",
         "&t=☺&u=a\x1b"
         "1b"},
        // Without "[END]" everything is description.
        /* 2*/ {"[REPORT 100]\n[LINE 1]\n&a=1\n", "[REPORT 100]|[LINE 1]|&a=1", nullptr},
        // Only the first exact "[END]" ends the description.
        /* 3*/ {"[END] \n[END]\n[END]\n\n", "[END] |[END]", "[END]|"},
        /* 4*/ {"[END]\n", "[END]", nullptr},
        /* 5*/ {"", "", nullptr},
    };
    int index = 0;
    for (const FileRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << index++);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("report.tmp"));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(row.bytes), row.bytes.size());
        out.close();
        ReportFile file;
        ASSERT_TRUE(ReadReportFile(path, file));
        EXPECT_EQ(file.description.join(u'|'), S(row.description));
        const QStringList data = row.data ? S(row.data).split(u'|') : QStringList();
        EXPECT_EQ(file.data, data);
    }
}

TEST(ReportDescription, MissingFileIsNotRead)
{
    QTemporaryDir folder;
    ReportFile file;
    file.data << QStringLiteral("stale");
    EXPECT_FALSE(ReadReportFile(folder.filePath(QStringLiteral("brak.tmp")), file));
    EXPECT_TRUE(file.description.isEmpty());
    EXPECT_TRUE(file.data.isEmpty());
    EXPECT_FALSE(ReadReportFile(folder.path(), file)); // a folder is no report
}

// ---- Words and options ------------------------------------------------------

TEST(ReportWords, WordsAndMissingParameters)
{
    struct Row
    {
        const char* line;
        int index;
        const char* word;
        const char* message;
    } rows[] = {
        /* 0*/ {"TEXT #a 10 20", 0, "TEXT", ""},
        /* 1*/ {"  TEXT   #a    10 20 ", 2, "10", ""},
        /* 2*/ {"TEXT #a 10 20", 4, "20", "Brak oczekiwanego parametru w \"TEXT #a 10 20\""},
        /* 3*/ {"  V 1  ", 3, "1", "Brak oczekiwanego parametru w \"  V 1  \""},
        /* 4*/ {"", 1, "", "Brak oczekiwanego parametru w \"\""},
        /* 5*/ {"TEXT\t#a 1", 1, "1", ""}, // only spaces separate words
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << index++);
        CollectedMessages messages;
        EXPECT_EQ(ReportWords(S(row.line)).Word(row.index, messages), S(row.word));
        EXPECT_EQ(messages.lines().join(u'\n'), S(row.message));
    }
}

TEST(ReportWords, OptionsAreFoundAmongTheParameters)
{
    struct Row
    {
        const char* line;
        const char16_t* option;
        int found;
    } rows[] = {
        /* 0*/ {"TEXT #a 1 2 BOLD", u"BOLD", 4},
        /* 1*/ {"TEXT BOLDER 1 2 BOLD", u"BOLD", 1}, // a longer word matches too
        /* 2*/ {"BOLD x", u"BOLD", -1},              // never the keyword
        /* 3*/ {"TEXT a SIZE=12 SIZE=14", u"SIZE=", 2},
        /* 4*/ {"TEXT a bold", u"BOLD", -1},
        /* 5*/ {"TEXT a xBOLD", u"BOLD", -1},
    };
    int index = 0;
    for (const Row& row : rows) {
        const ReportWords words(S(row.line));
        EXPECT_EQ(words.Find(row.option), row.found) << "row " << index;
        EXPECT_EQ(words.Has(row.option), row.found >= 0) << "row " << index++;
    }
}

} // namespace
