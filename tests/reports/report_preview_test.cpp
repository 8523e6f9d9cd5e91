#include "report_fixture.h"

#include "config/ini_file.h"
#include "reports/preview_pages.h"
#include "reports/preview_picture_size.h"
#include "reports/preview_window_settings.h"
#include "reports/print_progress_device.h"
#include "reports/recording_print_device.h"
#include "reports/report_search.h"

#include <QTemporaryDir>

#include <vector>

namespace {

// Data lines "&n=1" ... with a "*" in front of the break lines.
QStringList Lines(int count, const std::vector<int>& breaks = {})
{
    QStringList data;
    for (int line = 1; line <= count; ++line) {
        const bool isBreak = std::find(breaks.begin(), breaks.end(), line) != breaks.end();
        data << QStringLiteral("%1&n=%2").arg(isBreak ? QStringLiteral("*") : QString()).arg(line);
    }
    return data;
}

std::vector<int> EveryLine(int count)
{
    std::vector<int> lines;
    for (int line = 1; line <= count; ++line)
        lines.push_back(line);
    return lines;
}

// A walk, written "s,p first-last" for each page visited, with the buttons
// offered on it: "<" for back, ">" for forward.
QString Describe(const PreviewPages& pages, PageAddress at)
{
    const int index = pages.IndexOf(at);
    const ReportPageModel::Page& page = pages.At(index);
    return QStringLiteral("%1,%2 %3-%4 %5/%6%7%8")
        .arg(at.section)
        .arg(at.page)
        .arg(page.first)
        .arg(page.last)
        .arg(index + 1)
        .arg(pages.Count())
        .arg(pages.HasPrevious(at) ? QStringLiteral(" <") : QString())
        .arg(pages.HasNext(at) ? QStringLiteral(" >") : QString());
}

struct WalkCase
{
    int row;
    int lines;
    std::vector<int> breaks;
    std::vector<const char*> forward;  // from "|<", ">>" until the last page
    const char* last;                  // where ">|" goes
    std::vector<const char*> backward; // from ">|", "<<" until the first page
};

QStringList Texts(const std::vector<const char*>& texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

class PreviewWalkTest : public testing::TestWithParam<WalkCase>
{};

TEST_P(PreviewWalkTest, WalksThePagesBothWays)
{
    const WalkCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row);
    const ReportPageModel model(Lines(c.lines, c.breaks));
    const PreviewPages pages(model, 10);

    QStringList forward;
    PageAddress at = pages.First();
    forward << Describe(pages, at);
    while (pages.HasNext(at)) {
        at = pages.Next(at);
        forward << Describe(pages, at);
    }
    EXPECT_EQ(forward, Texts(c.forward));
    EXPECT_EQ(Describe(pages, pages.Last()), QString::fromUtf8(c.last));

    QStringList backward;
    at = pages.Last();
    backward << Describe(pages, at);
    while (pages.HasPrevious(at)) {
        at = pages.Previous(at);
        backward << Describe(pages, at);
    }
    EXPECT_EQ(backward, Texts(c.backward));
}

INSTANTIATE_TEST_SUITE_P(
    Preview, PreviewWalkTest,
    testing::Values(
        /* 0*/ WalkCase{0,
                        25,
                        {},
                        {"1,1 1-10 1/3 >", "1,2 11-20 2/3 < >", "1,3 21-25 3/3 <"},
                        "1,3 21-25 3/3 <",
                        {"1,3 21-25 3/3 <", "1,2 11-20 2/3 < >", "1,1 1-10 1/3 >"}},
        // Every line a break: one line a page, each the first of its section.
        /* 1*/
        WalkCase{1,
                 3,
                 EveryLine(3),
                 {"1,1 1-1 1/3 >", "2,1 2-2 2/3 < >", "3,1 3-3 3/3 <"},
                 "3,1 3-3 3/3 <",
                 {"3,1 3-3 3/3 <", "2,1 2-2 2/3 < >", "1,1 1-1 1/3 >"}},
        // No data: one page and no buttons.
        /* 2*/ WalkCase{2, 0, {}, {"1,1 1-0 1/1"}, "1,1 1-0 1/1", {"1,1 1-0 1/1"}},
        // A break on the last line opens no empty section.
        /* 3*/
        WalkCase{3,
                 12,
                 {12},
                 {"1,1 1-10 1/2 >", "1,2 11-12 2/2 <"},
                 "1,2 11-12 2/2 <",
                 {"1,2 11-12 2/2 <", "1,1 1-10 1/2 >"}},
        // "<<" from a section's first page goes to the last page of the one
        // before; a break inside a page ends it early.
        /* 4*/
        WalkCase{4,
                 30,
                 {4, 18},
                 {"1,1 1-4 1/5 >", "2,1 5-14 2/5 < >", "2,2 15-18 3/5 < >", "3,1 19-28 4/5 < >",
                  "3,2 29-30 5/5 <"},
                 "3,2 29-30 5/5 <",
                 {"3,2 29-30 5/5 <", "3,1 19-28 4/5 < >", "2,2 15-18 3/5 < >", "2,1 5-14 2/5 < >",
                  "1,1 1-4 1/5 >"}}));

TEST(PreviewPagesTest, FindsPagesByPlaceAndLine)
{
    const ReportPageModel model(Lines(30, {4, 18}));
    const PreviewPages pages(model, 10);
    const struct
    {
        int line;
        int index;
    } lines[] = {{-5, 0}, {1, 0}, {4, 0}, {5, 1}, {15, 2}, {18, 2}, {19, 3}, {30, 4}, {99, 4}};
    for (const auto& c : lines)
        EXPECT_EQ(pages.IndexOfLine(c.line), c.index) << "line " << c.line;
    EXPECT_EQ(pages.IndexOf({2, 3}), -1);
    EXPECT_EQ(pages.IndexOf({4, 1}), -1);
    EXPECT_EQ(pages.Next({4, 1}), pages.First()) << "a page that is not there";
    EXPECT_EQ(pages.Next(pages.Last()), pages.Last());
    EXPECT_EQ(pages.Previous(pages.First()), pages.First());
}

TEST(ReportSearchTest, FindsValuesFromALineOnwardWrappingOnce)
{
    const QStringList data = {
        QStringLiteral("&tytul=Pan Tadeusz&autor=Mickiewicz"),
        QStringLiteral("*&tytul=Lalka&autor=Prus"),
        QStringLiteral("&tytul=ŻÓŁW i zając&autor=Ąćęłńóśźż"),
        QStringLiteral("&tytul=Dzieci\x1b"
                       "1ryby&autor=Anon"),
        QStringLiteral("&tytul=pan wołodyjowski"),
    };
    const struct
    {
        int row;
        const char* text;
        int from;
        int line;
    } cases[] = {
        {0, "pan", 1, 1},         {1, "pan", 2, 5},       {2, "PAN", 5, 5},   {3, "pan t", 3, 1},
        {4, "żółw", 1, 3},        {5, "ĄĆĘŁŃÓŚŹŻ", 1, 3}, {6, "tytul", 1, 0}, {7, "*", 1, 0},
        {8, "dzieci&ryby", 1, 4}, {9, "nie ma", 1, 0},    {10, "", 1, 0},     {11, "Prus", 0, 2},
        {12, "Prus", 99, 2},      {13, "=Prus", 1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindInReport(data, QString::fromUtf8(c.text), c.from), c.line) << "row " << c.row;
    EXPECT_EQ(FindInReport({}, QStringLiteral("x"), 1), 0);
}

TEST(PreviewPictureSizeTest, SizesPagesAndZooms)
{
    ReportSettings settings;
    settings.designWidth = 800;
    settings.header.height = 20;
    settings.line.height = 10;
    settings.footer.height = 30;
    PreviewPictureSize size;
    QString error;
    ASSERT_TRUE(PreviewPageSize(settings, {1, 1, 1, 10, true}, size, error));
    EXPECT_EQ(size.width, 800);
    EXPECT_EQ(size.height, 150);
    ASSERT_TRUE(PreviewPageSize(settings, {1, 1, 1, 0, true}, size, error)) << "no data lines";
    EXPECT_EQ(size.height, 60);

    settings.designWidth = 1'000'000;
    settings.line.height = 100'000;
    EXPECT_FALSE(PreviewPageSize(settings, {1, 1, 1, 10, true}, size, error));
    EXPECT_EQ(error,
              QString::fromUtf8("Strona zestawienia jest za duża do pokazania (1000000 × 1000050 "
                                "pikseli)"));
    settings.designWidth = 0;
    EXPECT_FALSE(PreviewPageSize(settings, {1, 1, 1, 10, true}, size, error));

    const struct
    {
        int row;
        int got;
        int expected;
    } zooms[] = {
        {0, ZoomIn(100), 110},
        {1, ZoomIn(400), 400},
        {2, ZoomIn(105), 110},
        {3, ZoomOut(100), 90},
        {4, ZoomOut(25), 25},
        {5, ZoomOut(105), 100},
        {6, ZoomToWidth(800, 1600), 200},
        {7, ZoomToWidth(800, 100), 25},
        {8, ZoomToWidth(100, 9000), 400},
        {9, ZoomToPage({800, 1000}, 1600, 500), 50},
        {10, ZoomThatFits({4000, 4000}, 400), 200},
        {11, ZoomThatFits({800, 1100}, 400), 400},
        {12, Zoomed(3, 33), 1},
        {13, Zoomed(800, 125), 1000},
    };
    for (const auto& z : zooms)
        EXPECT_EQ(z.got, z.expected) << "row " << z.row;
}

TEST(PreviewWindowSettingsTest, ReadsDefaultsAndWritesBackAllButTheFont)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("czytelnia.ini"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[ZESTAWIENIA]\nfont=Liberation Mono\nwartości=a|b|\n");
    }
    IniFile ini(path);
    PreviewWindowSettings settings = ReadPreviewWindowSettings(ini);
    EXPECT_EQ(settings.font, QStringLiteral("Liberation Mono"));
    EXPECT_EQ(settings.x, 0);
    EXPECT_EQ(settings.y, 0);
    EXPECT_EQ(settings.width, 800);
    EXPECT_EQ(settings.height, 600);
    EXPECT_FALSE(settings.maximized);
    EXPECT_EQ(settings.printer, QString());

    settings = {QStringLiteral("Other"), 10, -20, 1024, 700, true, QStringLiteral("PDF na biurku")};
    ASSERT_EQ(WritePreviewWindowSettings(ini, settings), QString());
    const PreviewWindowSettings back = ReadPreviewWindowSettings(IniFile(path));
    EXPECT_EQ(back.font, QStringLiteral("Liberation Mono")) << "the font is never written";
    EXPECT_EQ(back.x, 10);
    EXPECT_EQ(back.y, -20);
    EXPECT_EQ(back.width, 1024);
    EXPECT_EQ(back.height, 700);
    EXPECT_TRUE(back.maximized);
    EXPECT_EQ(back.printer, QStringLiteral("PDF na biurku"));
}

class PrintProgressTest : public ReportFixture
{};

TEST_F(PrintProgressTest, HearsEverySheetAndStopsWhenTold)
{
    ASSERT_TRUE(Open({QStringLiteral("[REPORT 800 ALIGN=CONST 10]"), QStringLiteral("[LINE 10]"),
                      QStringLiteral("TEXT &n 0 0"), QStringLiteral("[END]")},
                     Lines(35)));
    RecordingPrintDevice printer(254, 1000, 1000);
    std::vector<int> heard;
    PrintProgressDevice all(printer, [&heard](int sheet) {
        heard.push_back(sheet);
        return true;
    });
    EXPECT_EQ(m_report->print_all(all), QString());
    EXPECT_EQ(heard, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(printer.SheetCount(), 4);

    RecordingPrintDevice second(254, 1000, 1000);
    PrintProgressDevice stopped(second, [](int sheet) { return sheet < 3; });
    EXPECT_EQ(m_report->print_all(stopped), QStringLiteral("Błąd druku: Drukowanie przerwane"));
    EXPECT_TRUE(stopped.Cancelled());
    EXPECT_TRUE(second.Aborted());
    EXPECT_FALSE(second.Ended());

    RecordingPrintDevice none(254, 1000, 1000);
    PrintProgressDevice atOnce(none, [](int) { return false; });
    EXPECT_EQ(m_report->print_all(atOnce), QStringLiteral("Błąd druku: Drukowanie przerwane"));
    EXPECT_EQ(none.SheetCount(), 0) << "no job reaches the printer";
}

} // namespace
