// The text exports of a table report: the file as the save dialog writes it,
// byte for byte.
#include "operator_messages.h"
#include "reports/my_save.h"
#include "reports/report_description.h"
#include "reports/save_as_bitmap.h"
#include "reports/save_as_csv.h"
#include "reports/save_as_nura.h"
#include "reports/save_as_tab.h"
#include "reports/save_as_xlsx.h"
#include "reports/tbl_report.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class ReportExportTest : public testing::Test
{
protected:
    // A report file of the given bytes (8-bit, as the server writes it).
    std::unique_ptr<tbl_report> Open(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("report.tmp"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            return nullptr;
        file.close();
        return tbl_report::Open(S("Zestawienie"), path, m_messages, SiteValues());
    }

    QString File(const char* name) const { return m_dir.filePath(S(name)); }

    QTemporaryDir m_dir;
    CollectedMessages m_messages;
};

TEST_F(ReportExportTest, TablesTakeTheLineBandsFields)
{
    struct Row
    {
        const char* report;
        const char* csv;
        const char* tab;
    } rows[] = {
        /* 0*/ {"[REPORT 400]\n[LINE 20]\nTEXT #Autor:_&autor 10 20\nTEXT &tytul 200 20\n[END]\n"
                "&tytul=Lalka&autor=Prus\n&autor=Orzeszkowa&tytul=Nad Niemnem\n",
                "autor;tytul\r\n\"Prus\";\"Lalka\"\r\n\"Orzeszkowa\";\"Nad Niemnem\"\r\n",
                "Prus\tLalka\r\nOrzeszkowa\tNad Niemnem\r\n"},
        // two fields in one expression; a name ends at "#", "%" or "&"
        /* 1*/
        {"[REPORT 400]\n[LINE 20]\nTEXT &a&b 0 0\nTEXT &c#_szt.%P 0 0\n[END]\n"
         "&a=1&b=2&c=3\n",
         "a;b;c\r\n\"1\";\"2\";\"3\"\r\n", "1\t2\t3\r\n"},
        // a double quote becomes an apostrophe in CSV only
        /* 2*/
        {"[REPORT 400]\n[LINE 20]\nTEXT &t 0 0\n[END]\n&t=Teatr \"Ochota\"\n",
         "t\r\n\"Teatr 'Ochota'\"\r\n", "Teatr \"Ochota\"\r\n"},
        // a missing field is an empty cell
        /* 3*/
        {"[REPORT 400]\n[LINE 20]\nTEXT &a 0 0\nTEXT &b 0 0\n[END]\n&b=2\n",
         "a;b\r\n\"\";\"2\"\r\n", "\t2\r\n"},
        // a break line is a row like any other; its "*" belongs to no field
        /* 4*/
        {"[REPORT 400]\n[LINE 20]\nTEXT &a 0 0\n[END]\n&a=1\n*&a=2\n*\n",
         "a\r\n\"1\"\r\n\"2\"\r\n\"\"\r\n", "1\r\n2\r\n\r\n"},
        // ESC "1" is an "&" inside a value
        /* 5*/
        {"[REPORT 400]\n[LINE 20]\nTEXT &f 0 0\n[END]\n&f=Dom\x1b"
         "1Ogr\xf3"
         "d&g=x\n",
         "f\r\n\"Dom&Ogr\xf3"
         "d\"\r\n",
         "Dom&Ogr\xf3"
         "d\r\n"},
        // only the line band's TEXT elements count, each with its first word
        /* 6*/
        {"[REPORT 400]\n[HEADER 20]\nTEXT &h 0 0\n[LINE 20]\nBAR &kod 0 0 10 10\n"
         "TEXT    &x 0 0 LIMIT &w\nH 0 0 10\n[FOOTER 20]\nTEXT &f 0 0\n[END]\n"
         "&kod=1&x=2&w=3&f=4&h=5\n",
         "x\r\n\"2\"\r\n", "2\r\n"},
        // a repeated name is a column each time; any other character (here
        // ")") belongs to the name
        /* 7*/
        {"[REPORT 400]\n[LINE 20]\nTEXT &a 0 0\nTEXT #(&a#) 0 0\nTEXT #(&a) 0 0\n[END]\n&a=7\n",
         "a;a;a)\r\n\"7\";\"7\";\"\"\r\n", "7\t7\t\r\n"},
        // no line band: no columns, still a line per data line
        /* 8*/
        {"[REPORT 400]\n[HEADER 20]\nTEXT &a 0 0\n[END]\n&a=1\n&a=2\n", "\r\n\r\n\r\n", "\r\n\r\n"},
        // the name is matched exactly: "&ab=" is not field "a"
        /* 9*/
        {"[REPORT 400]\n[LINE 20]\nTEXT &a 0 0\n[END]\n&ab=1&a=2\n", "a\r\n\"2\"\r\n", "2\r\n"},
        // text outside the code page keeps its escape
        /*10*/
        {"[REPORT 400]\n[LINE 20]\nTEXT &n 0 0\n[END]\n&n=\x1bU0416\x1a"
         "anna\n",
         "n\r\n\"\x1bU0416\x1a"
         "anna\"\r\n",
         "\x1bU0416\x1a"
         "anna\r\n"},
    };
    int n = 0;
    for (const Row& row : rows) {
        const std::unique_ptr<tbl_report> report = Open(row.report);
        ASSERT_NE(report, nullptr) << "row " << n;
        EXPECT_TRUE(save_as_csv().save(*report, File("t.csv"), m_messages)) << "row " << n;
        EXPECT_TRUE(save_as_tab().save(*report, File("t.txt"), m_messages)) << "row " << n;
        EXPECT_EQ(ReadBytes(File("t.csv")), QByteArray(row.csv)) << "row " << n;
        EXPECT_EQ(ReadBytes(File("t.txt")), QByteArray(row.tab)) << "row " << n;
        ++n;
    }
    EXPECT_EQ(m_messages.lines(), QStringList());
}

TEST_F(ReportExportTest, SrpReadsBackAsTheSameReport)
{
    // "ł" has a byte in the code page, "Ж" has not; CR LF or LF alike.
    const QByteArray original = "[REPORT 400]\r\n[LINE 20]\r\nTEXT &n 0 0\r\n[END]\r\n"
                                "&n=\xb3\x61\x64\x61\r\n\r\n*&n=\x1bU0416\x1a\n";
    const std::unique_ptr<tbl_report> report = Open(original);
    ASSERT_NE(report, nullptr);
    const QString srp = File("raport.bmp"); // the format follows the filter, not the name
    ASSERT_TRUE(save_as_nura().save(*report, srp, m_messages));
    EXPECT_EQ(ReadBytes(srp), QByteArray("[REPORT 400]\r\n[LINE 20]\r\nTEXT &n 0 0\r\n[END]\r\n"
                                         "&n=\xb3\x61\x64\x61\r\n\r\n*&n=\x1bU0416\x1a\r\n"));
    ReportFile back;
    ASSERT_TRUE(ReadReportFile(srp, back));
    EXPECT_EQ(back.description, report->description_lines());
    EXPECT_EQ(back.data, report->data_lines());
    EXPECT_EQ(back.data.value(2), S("*&n=Ж"));
}

TEST_F(ReportExportTest, FilesAreCreatedAnew)
{
    const std::unique_ptr<tbl_report> report =
        Open("[REPORT 400]\n[LINE 20]\nTEXT &a 0 0\n[END]\n&a=1\n");
    ASSERT_NE(report, nullptr);
    QFile old(File("t.csv"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(1000, 'x'));
    old.close();
    ASSERT_TRUE(save_as_csv().save(*report, File("t.csv"), m_messages));
    EXPECT_EQ(ReadBytes(File("t.csv")), QByteArray("a\r\n\"1\"\r\n"));
}

TEST_F(ReportExportTest, WriteFailuresAreReported)
{
    const std::unique_ptr<tbl_report> report =
        Open("[REPORT 400]\n[LINE 20]\nTEXT &a 0 0\n[END]\n&a=1\n");
    ASSERT_NE(report, nullptr);
    save_as_nura nura;
    save_as_csv csv;
    save_as_tab tab;
    save_as_xlsx xlsx;
    // A folder that does not exist, and a device that takes nothing.
    for (const QString& target : {File("brak/raport.srp"), S("/dev/full")}) {
        for (my_save* format : std::initializer_list<my_save*>{&nura, &csv, &tab, &xlsx}) {
            CollectedMessages messages;
            EXPECT_FALSE(format->save(*report, target, messages)) << target.toStdString();
            EXPECT_EQ(messages.lines(), QStringList{S("Błąd zapisywania pliku")})
                << target.toStdString();
        }
    }
}

TEST_F(ReportExportTest, LargeReportsAreWrittenWhole)
{
    // Beyond the writer's block size, so the file goes out in several writes.
    QByteArray bytes = "[REPORT 400]\n[LINE 20]\nTEXT &a 0 0\n[END]\n";
    QByteArray expected = "a\r\n";
    for (int i = 0; i < 20000; ++i) {
        bytes += "&a=" + QByteArray::number(i) + "\n";
        expected += "\"" + QByteArray::number(i) + "\"\r\n";
    }
    const std::unique_ptr<tbl_report> report = Open(bytes);
    ASSERT_NE(report, nullptr);
    ASSERT_TRUE(save_as_csv().save(*report, File("t.csv"), m_messages));
    EXPECT_EQ(ReadBytes(File("t.csv")), expected);
}

// A report that is not a table report: the exports have nothing to write.
class PlainReport : public my_report
{
public:
    explicit PlainReport(OperatorMessages& messages)
        : my_report(S("Zestawienie"), messages, SiteValues())
    {}
    void print_header(int, int) override {}
    void print_line(int) override {}
    void print_footer(int, int, bool) override {}
    int design_width() const override { return 100; }
    int page_height_units() const override { return 100; }
};

TEST_F(ReportExportTest, OtherReportsAreRefused)
{
    PlainReport report(m_messages);
    save_as_nura nura;
    save_as_csv csv;
    save_as_tab tab;
    save_as_xlsx xlsx;
    save_as_bitmap bitmap; // nothing previewed, no picture to save
    for (my_save* format : std::initializer_list<my_save*>{&nura, &csv, &tab, &xlsx, &bitmap}) {
        CollectedMessages messages;
        EXPECT_FALSE(format->save(report, File("x"), messages));
        EXPECT_EQ(messages.lines(), QStringList{S("Niedostępne dla tego zestawienia")});
        EXPECT_FALSE(QFile::exists(File("x")));
    }
}

TEST_F(ReportExportTest, TheSaveDialogListsTheFormatsInOrder)
{
    const std::unique_ptr<tbl_report> report = Open("[REPORT 400]\n[END]\n");
    ASSERT_NE(report, nullptr);
    QStringList filters;
    for (const auto& format : report->exports())
        filters << format->filter();
    EXPECT_EQ(filters, (QStringList{S("Mapę bitową (BMP)|*.bmp"), S("Zestawienie NURA (SRP)|*.srp"),
                                    S("Tabela tekstowa (CSV)|*.csv"),
                                    S("Tekst separowany tabulacja|*.txt")}));
}

} // namespace
