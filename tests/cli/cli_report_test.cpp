#include "cli_run.h"
#include "xlsx_cells.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kDemoReport = QStringLiteral(ZELVORAN_TEST_DATA "/reports/odwiedziny.txt");

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Lines 1 to `count`, "*" in front of the numbers in `breaks`.
QByteArray DataLines(int count, std::initializer_list<int> breaks = {})
{
    QByteArray lines;
    for (int i = 1; i <= count; ++i)
        lines += (std::find(breaks.begin(), breaks.end(), i) != breaks.end() ? "*" : "") +
                 QByteArray("&n=") + QByteArray::number(i) + '\n';
    return lines;
}

class CliReportTest : public testing::Test
{
protected:
    CliRun Cli(const QStringList& arguments) { return RunInProcess(arguments, m_dir.path()); }

    // The tool as its own process, which draws text with the platform's fonts.
    CliRun Tool(const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(CZYTELNIA_CLI), arguments);
        process.waitForFinished(60000);
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    QString Write(const char* name, const QByteArray& bytes)
    {
        const QString path = File(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
        return path;
    }

    QString File(const char* name) const { return m_dir.filePath(S(name)); }

    QTemporaryDir m_dir;
};

TEST_F(CliReportTest, PagesFollowThePreviewOrThePrinter)
{
    struct Row
    {
        QByteArray report;
        std::vector<const char*> options;
        const char* pages;
    } rows[] = {
        /* 0*/ {"[REPORT 400 ALIGN=CONST 10]\n[LINE 20]\n[END]\n" + DataLines(25),
                {},
                "1 1 1 10 0\n1 2 11 20 0\n1 3 21 25 1\n"},
        // a break line ends its section and the page
        /* 1*/
        {"[REPORT 400 ALIGN=CONST 10]\n[LINE 20]\n[END]\n" + DataLines(7, {3}),
         {"--preview"},
         "1 1 1 3 1\n2 1 4 7 1\n"},
        /* 2*/
        {"[REPORT 400 ALIGN=CONST 2]\n[LINE 20]\n[END]\n" + DataLines(4, {1, 2, 4}),
         {},
         "1 1 1 1 1\n2 1 2 2 1\n3 1 3 4 1\n"},
        // FULL: the nominal page holds all 25 lines; a printer page 800 x 400
        // pixels at 100 dpi holds (400 - 39 - 39 - 144) / 14 = 12 of them
        /* 3*/
        {"[REPORT 1000]\n[HEADER 100]\n[LINE 20]\n[FOOTER 100]\n[END]\n" + DataLines(25),
         {},
         "1 1 1 25 1\n"},
        /* 4*/
        {"[REPORT 1000]\n[HEADER 100]\n[LINE 20]\n[FOOTER 100]\n[END]\n" + DataLines(25),
         {"--dpi", "100", "--page-size", "800x400"},
         "1 1 1 12 0\n1 2 13 24 0\n1 3 25 25 1\n"},
    };
    int n = 0;
    for (const Row& row : rows) {
        QStringList words = {S("report"), S("pages"), Write("report.tmp", row.report)};
        words += Words(row.options);
        const CliRun run = Cli(words);
        EXPECT_EQ(run.rc, 0) << "row " << n << ": " << run.err.toStdString();
        EXPECT_EQ(run.out, QByteArray(row.pages)) << "row " << n;
        ++n;
    }
}

TEST_F(CliReportTest, OpsListWhatAPageDraws)
{
    const QString config = Write(
        "czytelnia.ini", "[INSTALACJA]\nnazwa=Biblioteka Miejska\n[ZESTAWIENIA]\nfont=Arial\n");
    const QString report = Write("report.tmp", "[REPORT 200 ALIGN=CONST 2]\n[HEADER 20]\n"
                                               "TEXT %0 10 2\n[LINE 10]\nH 0 0 &n\n[END]\n" +
                                                   DataLines(3));
    const CliRun run = Cli({S("--config"), config, S("report"), S("render"), report, S("--page"),
                            S("1,2"), S("--ops")});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    // Page 2 holds line 3 only: the page (200 x 20 + 10) filled white, the
    // header at the top, then one line band.
    EXPECT_EQ(run.out, QByteArray("rect 0,0 200,30 pen=FFFFFF/1 brush=FFFFFF\n"
                                  "text 10,2 font=\"Arial\"/1/16 \"Biblioteka Miejska\"\n"
                                  "line 0,20 3,20 pen=000000/1\n"));
}

TEST_F(CliReportTest, RenderFailures)
{
    const QString report =
        Write("report.tmp", "[REPORT 200 ALIGN=CONST 1]\n[LINE 10]\nV 0 0 &n\n[END]\n&n=1\n&n=x\n");
    struct Row
    {
        std::vector<const char*> options;
        const char* err;
    } rows[] = {
        /* 0*/ {{"--page", "1,3", "--ops"}, "The report has no page 1,3\n"},
        /* 1*/ {{"--page", "0,1", "--ops"}, "--page must be SECTION,PAGE, both from 1\n"},
        /* 2*/ {{"--page", "1,1"}, "Give one of --png, --bmp, --ops and --pdf\n"},
        /* 3*/ {{"--ops"}, "--page S,P is required\n"},
        /* 4*/
        {{"--pdf", "a.pdf", "--page", "1,1"},
         "--pdf prints every page; choose them with --range\n"},
        /* 5*/
        {{"--ops", "--page", "1,1", "--range", "1,2"}, "--range and --footnote go with --pdf\n"},
        /* 6*/ {{"--ops", "--ops"}, "--ops is given twice\n"},
        /* 7*/ {{"--page", "1,1", "--ops", "--dpi", "3"}, "Unknown option --dpi\n"},
    };
    int n = 0;
    for (const Row& row : rows) {
        QStringList words = {S("report"), S("render"), report};
        words += Words(row.options);
        const CliRun run = Cli(words);
        EXPECT_EQ(run.rc, 1) << "row " << n;
        EXPECT_TRUE(run.err.startsWith(row.err)) << "row " << n << ": " << run.err.toStdString();
        ++n;
    }

    // A missing file, and a page whose number does not convert: the page is
    // listed as far as it was drawn and the error ends the run.
    const CliRun missing = Cli({S("report"), S("pages"), File("brak.tmp")});
    EXPECT_EQ(missing.rc, 1);
    EXPECT_EQ(missing.err, (S("Brak pliku: ") + File("brak.tmp") + u'\n').toUtf8());
    const CliRun broken =
        Cli({S("report"), S("render"), report, S("--page"), S("1,2"), S("--ops")});
    EXPECT_EQ(broken.rc, 1);
    EXPECT_EQ(broken.out, "rect 0,0 200,10 pen=FFFFFF/1 brush=FFFFFF\n");
    EXPECT_EQ(broken.err, S("'x' nie jest liczbą całkowitą\n").toUtf8());
}

TEST_F(CliReportTest, ExportWritesTheChosenFormat)
{
    const QString report = Write("report.tmp", "[REPORT 200]\n[LINE 10]\nTEXT &a&b 0 0\n[END]\n"
                                               "&a=x\"y&b=\xb3\n");
    struct Row
    {
        const char* option;
        const char* bytes;
    } rows[] = {
        /* 0*/ {"--csv", "a;b\r\n\"x'y\";\"\xb3\"\r\n"},
        /* 1*/ {"--tab", "x\"y\t\xb3\r\n"},
        /* 2*/
        {"--srp", "[REPORT 200]\r\n[LINE 10]\r\nTEXT &a&b 0 0\r\n[END]\r\n&a=x\"y&b=\xb3\r\n"},
    };
    int n = 0;
    for (const Row& row : rows) {
        const CliRun run = Cli({S("report"), S("export"), report, S(row.option), File("out")});
        EXPECT_EQ(run.rc, 0) << "row " << n << ": " << run.err.toStdString();
        EXPECT_EQ(ReadBytes(File("out")), QByteArray(row.bytes)) << "row " << n;
        ++n;
    }
    const CliRun full = Cli({S("report"), S("export"), report, S("--csv"), S("/dev/full")});
    EXPECT_EQ(full.rc, 1);
    EXPECT_EQ(full.err, S("Błąd zapisywania pliku\n").toUtf8());
    const CliRun two =
        Cli({S("report"), S("export"), report, S("--csv"), File("a"), S("--tab"), File("b")});
    EXPECT_EQ(two.rc, 1);
    EXPECT_TRUE(two.err.startsWith(
        "Give one of --csv, --tab, --srp, --pdf and --xlsx with the file to write\n"));
}

TEST_F(CliReportTest, PicturesOfAPage)
{
    // Header 30, two lines of 24, footer 20: a picture 300 x 98.
    const QString report =
        Write("report.tmp", "[REPORT 300 ALIGN=CONST 2]\n[HEADER 30]\nTEXT #Odwiedziny 10 5 BOLD\n"
                            "[LINE 24]\nTEXT &n 10 4\nBOX 0 0 300 24\n[FOOTER 20]\n"
                            "TEXT #Strona_%P 150 2 CENTER\n[END]\n" +
                                DataLines(5));
    const CliRun png = Tool(
        {S("report"), S("render"), report, S("--page"), S("1,2"), S("--png"), File("strona.png")});
    ASSERT_EQ(png.rc, 0) << png.err.toStdString();
    const QImage picture(File("strona.png"), "PNG");
    ASSERT_EQ(picture.size(), QSize(300, 98));
    // The frame of the first line band.
    EXPECT_EQ(picture.pixel(0, 30) & 0xFFFFFFu, 0u);
    EXPECT_EQ(picture.pixel(150, 30) & 0xFFFFFFu, 0u);

    const CliRun bmp = Tool(
        {S("report"), S("render"), report, S("--page"), S("1,3"), S("--bmp"), File("strona.png")});
    ASSERT_EQ(bmp.rc, 0) << bmp.err.toStdString();
    EXPECT_TRUE(ReadBytes(File("strona.png")).startsWith("BM"));
    // Page 3 holds one line: 30 + 24 + 20.
    EXPECT_EQ(QImage(File("strona.png"), "BMP").size(), QSize(300, 74));
}

int PdfPageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int count = 0;
    for (auto match = page.globalMatch(QString::fromLatin1(pdf)); match.hasNext(); match.next())
        ++count;
    return count;
}

TEST_F(CliReportTest, PdfHasThePrintersPages)
{
    // The demo report on A4 at 300 dpi, the PDF's own page: the same
    // sequence of pages as the page command gives for that page.
    const CliRun pages = Cli({S("report"), S("pages"), kDemoReport, S("--dpi"), S("300"),
                              S("--page-size"), S("2480x3508")});
    ASSERT_EQ(pages.rc, 0) << pages.err.toStdString();
    const int expected = static_cast<int>(pages.out.count('\n'));
    ASSERT_GE(expected, 3);

    const CliRun all = Tool({S("report"), S("render"), kDemoReport, S("--pdf"), File("all.pdf"),
                             S("--footnote"), S("Biblioteka Miejska")});
    ASSERT_EQ(all.rc, 0) << all.err.toStdString();
    EXPECT_EQ(PdfPageCount(ReadBytes(File("all.pdf"))), expected);

    const CliRun range = Tool({S("report"), S("render"), kDemoReport, S("--pdf"), File("range.pdf"),
                               S("--range"), S("2,3")});
    ASSERT_EQ(range.rc, 0) << range.err.toStdString();
    EXPECT_EQ(PdfPageCount(ReadBytes(File("range.pdf"))), 2);

    const CliRun bad = Cli(
        {S("report"), S("render"), kDemoReport, S("--pdf"), File("x.pdf"), S("--range"), S("3,2")});
    EXPECT_EQ(bad.rc, 1);
    EXPECT_EQ(bad.err, "--range must be FROM,TO with 1 <= FROM <= TO\n");
}

TEST_F(CliReportTest, ExportToPdfAndSpreadsheet)
{
    const QString report = Write("report.tmp", "[REPORT 200]\n[LINE 10]\nTEXT &a&b 0 0\n[END]\n"
                                               "&a=x\"y&b=\xb3\n&a=12,5\n");
    const CliRun xlsx = Cli({S("report"), S("export"), report, S("--xlsx"), File("raport.xlsx")});
    EXPECT_EQ(xlsx.rc, 0) << xlsx.err.toStdString();
    EXPECT_EQ(xlsx.out, QByteArray());
    QString error;
    EXPECT_EQ(OnlySheetRows(File("raport.xlsx"), error),
              QJsonValue(QJsonArray{QJsonArray{S("a"), S("b")}, QJsonArray{S("x\"y"), S("ł")},
                                    QJsonArray{12.5, QJsonValue()}}))
        << error.toStdString();

    // The PDF export prints every page, as the printer's page holds them.
    const CliRun pages = Cli({S("report"), S("pages"), kDemoReport, S("--dpi"), S("300"),
                              S("--page-size"), S("2480x3508")});
    ASSERT_EQ(pages.rc, 0) << pages.err.toStdString();
    const CliRun pdf =
        Tool({S("report"), S("export"), kDemoReport, S("--pdf"), File("raport.pdf")});
    EXPECT_EQ(pdf.rc, 0) << pdf.err.toStdString();
    EXPECT_EQ(PdfPageCount(ReadBytes(File("raport.pdf"))), pages.out.count('\n'));

    const CliRun noFolder =
        Cli({S("report"), S("export"), report, S("--xlsx"), File("brak/raport.xlsx")});
    EXPECT_EQ(noFolder.rc, 1);
    EXPECT_EQ(noFolder.err, S("Błąd zapisywania pliku\n").toUtf8());
    const CliRun noPdfFolder =
        Tool({S("report"), S("export"), report, S("--pdf"), File("brak/raport.pdf")});
    EXPECT_EQ(noPdfFolder.rc, 1);
    EXPECT_TRUE(noPdfFolder.err.contains(
        (S("Błąd druku: Nie można utworzyć pliku ") + File("brak/raport.pdf")).toUtf8()))
        << noPdfFolder.err.toStdString();
}

// The reading rooms' desktops run in Polish, whose numbers have a decimal
// comma; the tool, like the program, takes its locale from the environment.
TEST_F(CliReportTest, SpreadsheetNumbersIgnoreAPolishDesktop)
{
    // The locale is built for the test, since the machine need not have one.
    QProcess localedef;
    localedef.start(S("localedef"),
                    {S("-i"), S("pl_PL"), S("-f"), S("UTF-8"), File("pl_PL.UTF-8")});
    ASSERT_TRUE(localedef.waitForFinished(60000));
    ASSERT_EQ(localedef.exitCode(), 0) << localedef.readAllStandardError().toStdString();
    QProcessEnvironment polish = QProcessEnvironment::systemEnvironment();
    polish.insert(S("LOCPATH"), m_dir.path());
    polish.insert(S("LC_ALL"), S("pl_PL.UTF-8"));
    QProcess locale;
    locale.setProcessEnvironment(polish);
    locale.start(S("locale"), {S("-k"), S("decimal_point")});
    ASSERT_TRUE(locale.waitForFinished(60000));
    ASSERT_EQ(locale.readAllStandardOutput(), "decimal_point=\",\"\n");
    // glibc keeps the locale path it read from LOCPATH to the end of the
    // process, which the leak checker would take for a leak of the tool's.
    const QString sanitizer = polish.value(S("ASAN_OPTIONS"));
    polish.insert(S("ASAN_OPTIONS"),
                  sanitizer + S(sanitizer.isEmpty() ? "" : ":") + S("detect_leaks=0"));

    const QString report =
        Write("report.tmp", "[REPORT 200]\n[LINE 10]\nTEXT &n 0 0\n[END]\n&n=4,5\n&n=-0.25\n");
    const CliRun run =
        Tool({S("report"), S("export"), report, S("--xlsx"), File("raport.xlsx")}, polish);
    ASSERT_EQ(run.rc, 0) << run.err.toStdString();
    QString error;
    EXPECT_EQ(OnlySheetRows(File("raport.xlsx"), error),
              QJsonValue(QJsonArray{QJsonArray{S("n")}, QJsonArray{4.5}, QJsonArray{-0.25}}))
        << error.toStdString();
}

} // namespace
