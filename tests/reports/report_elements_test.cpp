#include "report_fixture.h"

#include "reports/bars.h"

#include <vector>

namespace {

struct ElementCase
{
    int row;
    const char* element;
    std::vector<const char*> drawn;
    const char* message = nullptr;
};

class ReportElementTest : public ReportFixture, public testing::WithParamInterface<ElementCase>
{};

// One element in the header of page 1, against the data line
// &x=30&t=Atlas&n=-4; the drawing in device pixels at scale 1.
TEST_P(ReportElementTest, DrawsItsGeometry)
{
    const ElementCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row << ": " << c.element);
    ASSERT_TRUE(Open({QStringLiteral("[REPORT 800]"), QStringLiteral("[HEADER 100]"),
                      QString::fromUtf8(c.element), QStringLiteral("[END]")},
                     {QStringLiteral("&x=30&t=Atlas&n=-4")}));
    QStringList expected;
    for (const char* line : c.drawn)
        expected << QString::fromUtf8(line);
    EXPECT_EQ(Render(1, 1), expected);
    EXPECT_EQ(m_error, QString());
    EXPECT_EQ(m_messages.lines(),
              c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Elements, ReportElementTest,
    testing::Values(
        /* 0*/ ElementCase{0,
                           "BOX 10 20 30 40",
                           {"polyline 10,20 10,60 40,60 40,20 10,20 pen=000000/1"}},
        /* 1*/
        ElementCase{
            1, "BOX 10 20 30 40 BOLD", {"polyline 10,20 10,60 40,60 40,20 10,20 pen=000000/2"}},
        /* 2*/ ElementCase{2, "V 5 6 7", {"line 5,6 5,13 pen=000000/1"}},
        /* 3*/ ElementCase{3, "H &x 6 7 BOLD", {"line 30,6 37,6 pen=000000/2"}},
        /* 4*/ ElementCase{4, "L 5 6 7 &n", {"line 5,6 12,2 pen=000000/1"}},
        // An absent field reads as 0.
        /* 5*/ ElementCase{5, "L 5 6 7 &brak", {"line 5,6 12,6 pen=000000/1"}},
        /* 6*/ ElementCase{6, "TEXT #Ala_ma 10 20", {"text 10,20 font=\"\"/1/16 \"Ala ma\""}},
        /* 7*/
        ElementCase{7,
                    "TEXT &t 10 20 FONT=Courier_New BOLD SIZE=20",
                    {"text 10,20 font=\"Courier New\"/1/20/bold \"Atlas\""}},
        // Five characters of 8 pixels: 40 wide.
        /* 8*/ ElementCase{8, "TEXT &t 100 20 RIGHT", {"text 60,20 font=\"\"/1/16 \"Atlas\""}},
        /* 9*/ ElementCase{9, "TEXT &t 100 20 CENTER", {"text 80,20 font=\"\"/1/16 \"Atlas\""}},
        // Only four characters of SIZE= count.
        /*10*/ ElementCase{10, "TEXT &t 0 0 SIZE=-2000", {"text 0,0 font=\"\"/1/-200 \"Atlas\""}},
        /*11*/ ElementCase{11, "XBOX 1 2 3 4", {}},
        /*12*/ ElementCase{12, "CIRCLE 1 2 3", {}},
        // The header of a section's first page has the first flag.
        /*13*/ ElementCase{13, "V 1 2 3 FIRST", {"line 1,2 1,5 pen=000000/1"}},
        /*14*/ ElementCase{14, "V 1 2 3 NOFIRST", {}},
        /*15*/ ElementCase{15, "V 1 2 3 WHEN &t", {"line 1,2 1,5 pen=000000/1"}},
        /*16*/ ElementCase{16, "V 1 2 3 WHEN &brak", {}},
        /*17*/ ElementCase{17, "V 1 2 3 EXCEPT &t", {}},
        /*18*/ ElementCase{18, "V 1 2 3 WHEN #tak EXCEPT &brak", {"line 1,2 1,5 pen=000000/1"}},
        // A missing parameter is reported; the line's last word stands in.
        /*19*/
        ElementCase{19,
                    "BOX 10 20 30",
                    {"polyline 10,20 10,50 40,50 40,20 10,20 pen=000000/1"},
                    "Brak oczekiwanego parametru w \"BOX 10 20 30\""}));

TEST_F(ReportFixture, TextStyleReturnsToNormalAndTheFaceToTheBands)
{
    ASSERT_TRUE(
        Open({QStringLiteral("[REPORT 800]"), QStringLiteral("[HEADER 40]"),
              QStringLiteral("TEXT #a 0 0 FONT=Arial BOLD SIZE=10"), QStringLiteral("TEXT #b 0 20"),
              QStringLiteral("TEXT #c 0 30 FONT=Arial"), QStringLiteral("[LINE 20]"),
              QStringLiteral("TEXT #d 0 0"), QStringLiteral("[END]")},
             {QStringLiteral("&x=1")}));
    m_report->set_report_font(QStringLiteral("Tahoma"));
    EXPECT_EQ(Render(1, 1), (QStringList{QStringLiteral("text 0,0 font=\"Arial\"/1/10/bold \"a\""),
                                         QStringLiteral("text 0,20 font=\"Tahoma\"/1/16 \"b\""),
                                         QStringLiteral("text 0,30 font=\"Arial\"/1/16 \"c\""),
                                         QStringLiteral("text 0,40 font=\"Tahoma\"/1/16 \"d\"")}));
    EXPECT_EQ(m_preview.Font().face, QStringLiteral("Tahoma"));
    EXPECT_FALSE(m_preview.Font().bold);
}

// The flags of each band on the three pages of 25 lines at 10 a page.
TEST_F(ReportFixture, PageConditionsInEachBand)
{
    QStringList data;
    for (int line = 1; line <= 25; ++line)
        data << QStringLiteral("&n=%1").arg(line);
    ASSERT_TRUE(Open(
        {QStringLiteral("[REPORT 100 ALIGN=CONST 10]"), QStringLiteral("[HEADER 20]"),
         QStringLiteral("TEXT #h-first 0 0 FIRST"), QStringLiteral("TEXT #h-last 0 0 LAST"),
         QStringLiteral("TEXT #h-nofirst 0 0 NOFIRST"), QStringLiteral("TEXT #h-nolast 0 0 NOLAST"),
         QStringLiteral("TEXT #h-other 0 0 OTHER"), QStringLiteral("[LINE 10]"),
         QStringLiteral("TEXT &n 0 0"), QStringLiteral("TEXT #l-first 0 0 FIRST"),
         QStringLiteral("TEXT #l-nofirst 0 0 NOFIRST"), QStringLiteral("[FOOTER 20]"),
         QStringLiteral("TEXT #f-first 0 0 FIRST"), QStringLiteral("TEXT #f-last 0 0 LAST"),
         QStringLiteral("TEXT #f-nolast 0 0 NOLAST"), QStringLiteral("TEXT #f-other 0 0 OTHER"),
         QStringLiteral("[END]")},
        data));
    const auto page = [](QStringList header, int from, int to, QStringList footer) {
        QStringList texts = header;
        for (int line = from; line <= to; ++line)
            texts << QString::number(line) << QStringLiteral("l-nofirst");
        return texts + footer;
    };
    const QStringList notFirstHeader{QStringLiteral("h-nofirst"), QStringLiteral("h-nolast"),
                                     QStringLiteral("h-other")};
    const QStringList notLastFooter{QStringLiteral("f-nolast"), QStringLiteral("f-other")};
    EXPECT_EQ(RenderedTexts(1, 1),
              page({QStringLiteral("h-first"), QStringLiteral("h-nolast")}, 1, 10, notLastFooter));
    EXPECT_EQ(RenderedTexts(1, 2), page(notFirstHeader, 11, 20, notLastFooter));
    EXPECT_EQ(RenderedTexts(1, 3), page(notFirstHeader, 21, 25, {QStringLiteral("f-last")}));
    EXPECT_EQ(m_error, QString());
}

TEST_F(ReportFixture, WhenAndExceptReadTheLinesData)
{
    ASSERT_TRUE(
        Open({QStringLiteral("[REPORT 100]"), QStringLiteral("[LINE 10]"),
              QStringLiteral("TEXT #when 0 0 WHEN &flag"),
              QStringLiteral("TEXT #except 50 0 EXCEPT &flag"), QStringLiteral("[END]")},
             {QStringLiteral("&flag=1"), QStringLiteral("&other=2"), QStringLiteral("&flag=")}));
    EXPECT_EQ(RenderedTexts(1, 1), (QStringList{QStringLiteral("when"), QStringLiteral("except"),
                                                QStringLiteral("except")}));
}

// Bands follow one another down the page; a break line ends the section,
// so the next page is the first of its section again.
TEST_F(ReportFixture, SectionsRestartPageNumbersAfterABreak)
{
    ASSERT_TRUE(Open({QStringLiteral("[REPORT 100 ALIGN=CONST 2]"), QStringLiteral("[HEADER 20]"),
                      QStringLiteral("TEXT #Strona_%P 0 0"),
                      QStringLiteral("TEXT #first 50 0 FIRST"), QStringLiteral("[LINE 10]"),
                      QStringLiteral("TEXT &n 0 0"), QStringLiteral("[FOOTER 10]"),
                      QStringLiteral("TEXT #end 0 0 LAST"), QStringLiteral("[END]")},
                     {QStringLiteral("&n=1"), QStringLiteral("&n=2"), QStringLiteral("*&n=3"),
                      QStringLiteral("&n=4"), QStringLiteral("&n=5"), QStringLiteral("&n=6")}));
    EXPECT_EQ(Render(2, 1), (QStringList{QStringLiteral("text 0,0 font=\"\"/1/16 \"Strona 1\""),
                                         QStringLiteral("text 50,0 font=\"\"/1/16 \"first\""),
                                         QStringLiteral("text 0,20 font=\"\"/1/16 \"4\""),
                                         QStringLiteral("text 0,30 font=\"\"/1/16 \"5\"")}));
    EXPECT_EQ(RenderedTexts(1, 1), (QStringList{QStringLiteral("Strona 1"), QStringLiteral("first"),
                                                QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(RenderedTexts(1, 2), (QStringList{QStringLiteral("Strona 2"), QStringLiteral("3"),
                                                QStringLiteral("end")}));
    EXPECT_EQ(RenderedTexts(2, 2), (QStringList{QStringLiteral("Strona 2"), QStringLiteral("6"),
                                                QStringLiteral("end")}));
}

TEST_F(ReportFixture, ConversionErrorEndsThePageWithItsText)
{
    ASSERT_TRUE(Open({QStringLiteral("[REPORT 100]"), QStringLiteral("[HEADER 10]"),
                      QStringLiteral("TEXT #a 0 0"), QStringLiteral("[LINE 10]"),
                      QStringLiteral("BOX &n 0 1 1"), QStringLiteral("TEXT &n 0 0"),
                      QStringLiteral("[FOOTER 10]"), QStringLiteral("TEXT #stopka 0 0"),
                      QStringLiteral("[END]")},
                     {QStringLiteral("&n=1"), QStringLiteral("&n=x1"), QStringLiteral("&n=3")}));
    EXPECT_EQ(RenderedTexts(1, 1), (QStringList{QStringLiteral("a"), QStringLiteral("1")}));
    EXPECT_EQ(m_error, QString::fromUtf8("'x1' nie jest liczbą całkowitą"));
    // The error belonged to that page only.
    ASSERT_TRUE(Open({QStringLiteral("[REPORT 100]"), QStringLiteral("[LINE 10]"),
                      QStringLiteral("TEXT #a 0 0 SIZE=1x"), QStringLiteral("[END]")},
                     {QStringLiteral("&n=1")}));
    Render(1, 1);
    EXPECT_EQ(m_error, QString::fromUtf8("'1x' nie jest liczbą całkowitą"));
}

// The interleaved 2 of 5 modules of 12345 and the "0" that completes the
// last pair, from the standard's digit table by hand: 2 modules a narrow
// bar, 6 a wide one, 3 a narrow space, 7 a wide one.
TEST_F(ReportFixture, BarWithoutModeDrawsInterleavedTwoOfFiveModules)
{
    const QByteArray modules = "110001100011111100011000000011000110001111110000000111111000"
                               "111111000110000000110001100000001111110001100011111100000001"
                               "100000001100011111100011";
    ASSERT_EQ(modules.size(), 144);
    // 288 pixels over 144 modules: two pixels each, one module right of x.
    ASSERT_TRUE(Open({QStringLiteral("[REPORT 800]"), QStringLiteral("[HEADER 100]"),
                      QStringLiteral("BAR &kod 10 20 288 30"), QStringLiteral("BAR &brak 0 0 9 9"),
                      QStringLiteral("[END]")},
                     {QStringLiteral("&kod=12345")}));
    QStringList expected;
    for (int k = 1; k <= modules.size(); ++k) {
        if (modules.at(k - 1) == '1')
            expected << QStringLiteral("rect %1,20 %2,50 pen=000000/1 brush=000000")
                            .arg(10 + 2 * k)
                            .arg(12 + 2 * k);
    }
    EXPECT_EQ(Render(1, 1), expected);
}

TEST_F(ReportFixture, BarWithModeIsTheComponentsSymbol)
{
    ASSERT_TRUE(
        Open({QStringLiteral("[REPORT 800]"), QStringLiteral("[HEADER 100]"),
              QStringLiteral("TEXT #x 10 5"), QStringLiteral("BAR &kod + 20 200 40 MODE=14"),
              // The symbology carries over when MODE= names none.
              QStringLiteral("BAR &kod 10 70 200 40 MODE=99"), QStringLiteral("[END]")},
             {QStringLiteral("&kod=96385074")}));
    RecordingSurface direct;
    TBarcode barcode;
    barcode.Typ = bcCodeEAN8;
    barcode.Text = "96385074";
    for (const int top : {20, 70}) {
        barcode.SetWidth(200);
        barcode.Height = 40;
        barcode.Top = top;
        // The first code continues after the text, 8 pixels wide.
        barcode.Left = top == 20 ? 18 : 10;
        barcode.Draw(direct);
    }
    QStringList expected = direct.Lines();
    expected.prepend(QStringLiteral("text 10,5 font=\"\"/1/16 \"x\""));
    EXPECT_EQ(Render(1, 1), expected);
    EXPECT_EQ(m_error, QString());
}

TEST_F(ReportFixture, BarCodeDataErrorEndsThePage)
{
    ASSERT_TRUE(Open({QStringLiteral("[REPORT 800]"), QStringLiteral("[HEADER 100]"),
                      QStringLiteral("BAR #123 10 20 200 40 MODE=14"), QStringLiteral("V 1 2 3"),
                      QStringLiteral("[END]")}));
    EXPECT_EQ(Render(1, 1), QStringList());
    EXPECT_EQ(m_error, QStringLiteral("Invalid Text len (EAN8)"));
}

struct ImageCase
{
    int row;
    const char* name;
    const char* type;
    const char* drawnFile; // below the report's folder; null: nothing drawn
};

class ReportImageTest : public ReportFixture, public testing::WithParamInterface<ImageCase>
{};

TEST_P(ReportImageTest, DrawsOnlyPicturesOfTheirTypeInTheReportsFolder)
{
    const ImageCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row << ": " << c.name);
    Write(QStringLiteral("rep/logo.png"), QByteArray("\x89PNG\r\n\x1A\n....", 12));
    Write(QStringLiteral("rep/pic.bmp"), "BM......");
    Write(QStringLiteral("rep/sub/x.jpg"), "\xFF\xD8\xFF\xE0....");
    const QString outside =
        Write(QStringLiteral("outside.png"), QByteArray("\x89PNG\r\n\x1A\n", 8));
    QString name = QString::fromUtf8(c.name);
    name.replace(QStringLiteral("OUTSIDE"), outside);
    ASSERT_TRUE(Open({QStringLiteral("[REPORT 800]"), QStringLiteral("[HEADER 100]"),
                      QStringLiteral("IMG &f 10 20 110 &y2 ") + QString::fromUtf8(c.type),
                      QStringLiteral("[END]")},
                     {QStringLiteral("&y2=70&f=") + name}, QStringLiteral("rep")));
    QStringList expected;
    if (c.drawnFile)
        expected << QStringLiteral("picture 10,20 110,70 \"%1/rep/%2\"")
                        .arg(m_dir.path(), QString::fromUtf8(c.drawnFile));
    EXPECT_EQ(Render(1, 1), expected);
    EXPECT_EQ(m_error, QString());
    EXPECT_EQ(m_messages.lines(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Images, ReportImageTest,
                         testing::Values(/* 0*/ ImageCase{0, "logo.png", "PNG", "logo.png"},
                                         /* 1*/ ImageCase{1, "pic.bmp", "BMP", "pic.bmp"},
                                         /* 2*/ ImageCase{2, "sub\\x.jpg", "JPG", "sub/x.jpg"},
                                         /* 3*/ ImageCase{3, "logo.png", "JPG", nullptr},
                                         /* 4*/ ImageCase{4, "logo.png", "png", nullptr},
                                         /* 5*/ ImageCase{5, "pic.bmp", "GIF", nullptr},
                                         /* 6*/ ImageCase{6, "missing.png", "PNG", nullptr},
                                         /* 7*/ ImageCase{7, "../outside.png", "PNG", nullptr},
                                         /* 8*/ ImageCase{8, "sub/../logo.png", "PNG", nullptr},
                                         /* 9*/ ImageCase{9, "..\\outside.png", "PNG", nullptr},
                                         /*10*/ ImageCase{10, "OUTSIDE", "PNG", nullptr},
                                         /*11*/ ImageCase{11, "", "PNG", nullptr}));

} // namespace
