#include "report_fixture.h"

#include "reports/recording_print_device.h"

#include <vector>

namespace {

// At 254 pixels per inch a centimetre is 100 pixels: the default margins put
// the report's origin at (150, 100), and an 800-unit report on a page 1000
// pixels wide is drawn at one pixel per unit (1000 - 150 - 50 = 800).
constexpr int kDpi = 254;

QStringList Numbered(int count, int breakAt = 0)
{
    QStringList data;
    for (int line = 1; line <= count; ++line)
        data << QStringLiteral("%1&n=%2")
                    .arg(line == breakAt ? QStringLiteral("*") : QString())
                    .arg(line);
    return data;
}

QStringList TenLinesAPage()
{
    return {QStringLiteral("[REPORT 800 ALIGN=CONST 10]"),
            QStringLiteral("[HEADER 20]"),
            QStringLiteral("TEXT #Strona_%P 0 0"),
            QStringLiteral("[LINE 10]"),
            QStringLiteral("TEXT &n 0 0"),
            QStringLiteral("[FOOTER 20]"),
            QStringLiteral("TEXT #koniec 0 0 LAST"),
            QStringLiteral("[END]")};
}

struct CountCase
{
    int row;
    int lines;
    int breakAt;
    int pages;
};

class CountPagesTest : public ReportFixture, public testing::WithParamInterface<CountCase>
{};

TEST_P(CountPagesTest, CountsThePrintersPages)
{
    const CountCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row);
    ASSERT_TRUE(Open(TenLinesAPage(), Numbered(c.lines, c.breakAt)));
    RecordingPrintDevice printer(kDpi, 1000, 1000);
    QString error = QStringLiteral("not cleared");
    EXPECT_EQ(m_report->count_pages(printer, error), c.pages);
    EXPECT_EQ(error, QString());
    EXPECT_EQ(printer.SheetCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Pages, CountPagesTest,
                         testing::Values(/* 0*/ CountCase{0, 0, 0, 1},
                                         /* 1*/ CountCase{1, 10, 0, 1},
                                         /* 2*/ CountCase{2, 25, 0, 3},
                                         /* 3*/ CountCase{3, 25, 12, 4},
                                         /* 4*/ CountCase{4, 25, 5, 3},
                                         // A break on the last line opens no section.
                                         /* 5*/ CountCase{5, 20, 20, 2}));

class PrintTest : public ReportFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Open(TenLinesAPage(), Numbered(25)));
        m_report->set_footnote(QStringLiteral("Stopka biblioteki"));
    }

    RecordingPrintDevice m_printer{kDpi, 1000, 1000};
};

TEST_F(PrintTest, RangePrintsItsSheetsWithSectionNumbersAndFootnote)
{
    m_report->set_print_range(2, 3);
    EXPECT_EQ(m_report->print_all(m_printer), QString());
    EXPECT_EQ(m_printer.Title(), QStringLiteral("Raport"));
    EXPECT_TRUE(m_printer.Ended());
    EXPECT_FALSE(m_printer.Aborted());
    ASSERT_EQ(m_printer.SheetCount(), 2);

    const QString footnote =
        QStringLiteral("text 150,910 font=\"\"/1/-21 \"Stopka biblioteki\""); // 6 points
    QStringList first{QStringLiteral("text 150,100 font=\"\"/1/16 \"Strona 2\"")};
    for (int line = 11; line <= 20; ++line)
        first << QStringLiteral("text 150,%1 font=\"\"/1/16 \"%2\"").arg(10 * line + 10).arg(line);
    first << footnote;
    EXPECT_EQ(m_printer.Sheet(0).Lines(), first);

    QStringList second{QStringLiteral("text 150,100 font=\"\"/1/16 \"Strona 3\"")};
    for (int line = 21; line <= 25; ++line)
        second << QStringLiteral("text 150,%1 font=\"\"/1/16 \"%2\"").arg(10 * line - 90).arg(line);
    second << QStringLiteral("text 150,170 font=\"\"/1/16 \"koniec\"") << footnote;
    EXPECT_EQ(m_printer.Sheet(1).Lines(), second);
    // The footnote's size does not stay.
    EXPECT_EQ(m_printer.Sheet(1).Font().height, 16);
}

TEST_F(PrintTest, WholeReportWithoutFootnote)
{
    m_report->set_footnote(QString());
    EXPECT_EQ(m_report->print_all(m_printer), QString());
    ASSERT_EQ(m_printer.SheetCount(), 3);
    EXPECT_EQ(Texts(m_printer.Sheet(2)),
              (QStringList{QStringLiteral("Strona 3"), QStringLiteral("21"), QStringLiteral("22"),
                           QStringLiteral("23"), QStringLiteral("24"), QStringLiteral("25"),
                           QStringLiteral("koniec")}));
}

struct PrintErrorCase
{
    int row;
    const char* beginFault;
    int newPageFaultSheet;
    const char* badLine; // data line 15 instead of "&n=15"
    const char* error;
    int sheets;
};

class PrintErrorTest : public ReportFixture, public testing::WithParamInterface<PrintErrorCase>
{};

TEST_P(PrintErrorTest, AbandonsTheJobWithItsText)
{
    const PrintErrorCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row);
    QStringList description = TenLinesAPage();
    description.insert(5, QStringLiteral("V &v 0 1"));
    QStringList data = Numbered(25);
    if (c.badLine)
        data[14] = QString::fromUtf8(c.badLine);
    ASSERT_TRUE(Open(description, data));
    RecordingPrintDevice printer(kDpi, 1000, 1000);
    if (c.beginFault)
        printer.FailBegin(QString::fromUtf8(c.beginFault));
    if (c.newPageFaultSheet)
        printer.FailNewPage(c.newPageFaultSheet, QStringLiteral("Brak papieru"));
    EXPECT_EQ(m_report->print_all(printer), QString::fromUtf8(c.error));
    EXPECT_EQ(printer.SheetCount(), c.sheets);
    EXPECT_FALSE(printer.Ended());
    EXPECT_EQ(printer.Aborted(), c.beginFault == nullptr);

    // The preview draws as before, and the page that failed in print draws
    // up to its error there too.
    m_preview.Clear();
    const QString pageError = m_report->render_page(1, 2);
    EXPECT_EQ(m_preview.Lines().at(1), QStringLiteral("text 0,0 font=\"\"/1/16 \"Strona 2\""));
    EXPECT_EQ(pageError,
              c.badLine ? QString::fromUtf8("'zle' nie jest liczbą całkowitą") : QString());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PrintErrorTest,
    testing::Values(
        /* 0*/ PrintErrorCase{0, "Drukarka niedostępna", 0, nullptr,
                              "Błąd druku: Drukarka niedostępna", 0},
        /* 1*/ PrintErrorCase{1, nullptr, 2, nullptr, "Błąd druku: Brak papieru", 1},
        /* 2*/
        PrintErrorCase{2, nullptr, 0, "&n=15&v=zle", "Błąd druku: 'zle' nie jest liczbą całkowitą",
                       2}));

TEST_F(ReportFixture, PrinterScaleWidensLinesAndText)
{
    // 1800 pixels wide: two pixels a unit.
    ASSERT_TRUE(Open({QStringLiteral("[REPORT 800 ALIGN=CONST 10]"), QStringLiteral("[HEADER 20]"),
                      QStringLiteral("H 0 0 10"), QStringLiteral("H 5 5 10 BOLD"),
                      QStringLiteral("TEXT #a 0 0"), QStringLiteral("[END]")}));
    RecordingPrintDevice printer(kDpi, 1800, 1000);
    EXPECT_EQ(m_report->print_all(printer), QString());
    ASSERT_EQ(printer.SheetCount(), 1);
    EXPECT_EQ(printer.Sheet(0).Lines(),
              (QStringList{QStringLiteral("line 150,100 170,100 pen=000000/2"),
                           QStringLiteral("line 160,110 180,110 pen=000000/4"),
                           QStringLiteral("text 150,100 font=\"\"/1/32 \"a\"")}));
}

struct HostileCase
{
    int row;
    const char* settings;
    const char* lineHeight;
    const char* element;
};

class HostileReportTest : public ReportFixture, public testing::WithParamInterface<HostileCase>
{};

// Descriptions come from the server: absurd sizes must neither hang nor
// crash the preview or the print job.
TEST_P(HostileReportTest, DrawsAndPrintsToTheEnd)
{
    const HostileCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row << ": " << c.element);
    ASSERT_TRUE(Open({QString::fromUtf8(c.settings), QStringLiteral("[HEADER 10]"),
                      QString::fromUtf8(c.element),
                      QStringLiteral("[LINE ") + QString::fromUtf8(c.lineHeight) + QLatin1Char(']'),
                      QString::fromUtf8(c.element), QStringLiteral("[FOOTER 10]"),
                      QStringLiteral("TEXT &n 0 0"), QStringLiteral("[END]")},
                     Numbered(30)));
    for (const int page : {1, 2}) {
        Render(1, page);
        EXPECT_EQ(m_error, QString());
    }
    RecordingPrintDevice printer(kDpi, 1000, 1000);
    QString error;
    const int pages = m_report->count_pages(printer, error);
    EXPECT_GE(pages, 1);
    EXPECT_EQ(m_report->print_all(printer), QString());
    EXPECT_EQ(printer.SheetCount(), pages);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, HostileReportTest,
    testing::Values(
        /* 0*/ HostileCase{0, "[REPORT 100]", "10", "TEXT #a 2000000000 -2000000000"},
        /* 1*/ HostileCase{1, "[REPORT 100]", "10", "BOX -2147483647 0 2147483647 2147483647 BOLD"},
        /* 2*/ HostileCase{2, "[REPORT 100]", "10", "TEXT #abc_def 0 0 SIZE=9999 JUST 9999 9999"},
        /* 3*/ HostileCase{3, "[REPORT 100]", "10", "TEXT #abc_def_ghi 0 0 SIZE=0 JUST 10 100"},
        /* 4*/ HostileCase{4, "[REPORT 100]", "10", "TEXT #abc_def 0 0 SIZE=-16 JUST -10 -10"},
        /* 5*/ HostileCase{5, "[REPORT 100]", "-50", "TEXT &n 0 0"},
        /* 6*/ HostileCase{6, "[REPORT 100]", "0", "TEXT &n 0 0"},
        /* 7*/ HostileCase{7, "[REPORT 100]", "10", "BAR #1234 0 0 2000000000 2000000000"},
        /* 8*/ HostileCase{8, "[REPORT 100]", "10", "BAR #1234 0 0 2000000000 10 MODE=1"},
        /* 9*/ HostileCase{9, "[REPORT 100]", "10", "TEXT #x 0 0 LIMIT -5"},
        // A printed width of 0: the printer's scale is 0.
        /*10*/ HostileCase{10, "[REPORT 100 ALIGN=WIDTH 0]", "10", "TEXT #a_b 0 0 JUST 100 100"},
        /*11*/ HostileCase{11, "[REPORT 100 ALIGN=CONST 2000000000]", "10", "TEXT &n 0 0"},
        /*12*/ HostileCase{12, "[REPORT 100 LEFT=99999 RIGHT=99999]", "10", "TEXT &n 0 0"},
        /*13*/ HostileCase{13, "[REPORT 2000000000]", "2000000000", "TEXT &n 0 0"}));

} // namespace
