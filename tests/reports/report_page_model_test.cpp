#include "reports/report_page_model.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

ReportSettings Settings(ReportLayout layout, int width, int header, int line, int footer)
{
    ReportSettings settings;
    settings.layout = layout;
    settings.designWidth = width;
    settings.header.height = header;
    settings.line.height = line;
    settings.footer.height = footer;
    return settings;
}

TEST(ReportPageModel, RoundEven)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        double value;
        int rounded;
    } rows[] = {
        /* 0*/ {0.5, 0},
        /* 1*/ {1.5, 2},
        /* 2*/ {2.5, 2},
        /* 3*/ {-0.5, 0},
        /* 4*/ {-1.5, -2},
        /* 5*/ {-2.5, -2},
        /* 6*/ {2.4999999, 2},
        /* 7*/ {2.5000001, 3},
        /* 8*/ {-2.6, -3},
        /* 9*/ {std::nan(""), 0},
        /*10*/ {inf, INT_MAX},
        /*11*/ {-inf, INT_MIN},
        /*12*/ {1e300, INT_MAX},
        /*13*/ {-1e300, INT_MIN},
        /*14*/ {2147483646.5, 2147483646},
    };
    int index = 0;
    for (const auto& row : rows)
        EXPECT_EQ(RoundEven(row.value), row.rounded) << "row " << index++;
}

// ---- The printer ---------------------------------------------------------------

struct PrinterRow
{
    ReportSettings settings;
    int dpi, pageWidth, pageHeight;
    double scale;
    int originX, originY, lines;
};

// At 254 dpi a centimetre is 100 pixels, so the default margins are 150 left,
// 50 right, 100 top and 100 bottom, and a page of 2100 x 2970 leaves 1900 x
// 2770 pixels between them. 0.24 mm per unit is 2.4 pixels per unit there.
TEST(ReportPageModel, PrinterScale)
{
    using L = ReportLayout;
    ReportSettings width = Settings(L::Width, 1000, 40, 10, 20);
    width.physicalWidthCm = 15.0;
    width.fixedLines = 1;
    ReportSettings constTall = Settings(L::Const, 1000, 200, 250, 100);
    constTall.fixedLines = 12;
    ReportSettings constShort = Settings(L::Const, 1000, 40, 10, 20);
    constShort.fixedLines = 12;
    const PrinterRow rows[] = {
        // 1900 / 1000 = 1.9 px per unit (0.019 cm, under the cap); lines:
        // (2770 - round(60 * 1.9) = 114) / round(10 * 1.9) = 2656 / 19 = 139.
        /* 0*/ {Settings(L::Standard, 1000, 40, 10, 20), 254, 2100, 2970, 1.9, 150, 100, 139},
        // 1900 / 500 = 3.8 is over the cap: 2.4, and the report stands against
        // the right margin: 2100 - 50 - 1200 = 850; (2770 - 144) / 24 = 109.
        /* 1*/ {Settings(L::Standard, 500, 40, 10, 20), 254, 2100, 2970, 2.4, 850, 100, 109},
        // FULL with bands that fit is STANDARD.
        /* 2*/ {Settings(L::Full, 1000, 40, 10, 20), 254, 2100, 2970, 1.9, 150, 100, 139},
        /* 3*/ {Settings(L::Full, 500, 40, 10, 20), 254, 2100, 2970, 2.4, 850, 100, 109},
        // 1700 units at 1.9 need 3230 > 2770: scale 2770 / 1700; the bands
        // take round(1500 * 1.6294) = 2444 and a line round(325.88) = 326, so
        // (2770 - 2444) / 326 = 1 line.
        /* 4*/
        {Settings(L::Full, 1000, 1000, 200, 500), 254, 2100, 2970, 2770.0 / 1700, 150, 100, 1},
        // No line band: one line per page.
        /* 5*/ {Settings(L::Full, 1000, 40, 0, 20), 254, 2100, 2970, 1.9, 150, 100, 1},
        // CONST 12 keeps its 12 lines: 300 + 12 * 250 = 3300 units shrink the
        // scale to 2770 / 3300, and the report goes right: 2050 - round(839.39).
        /* 6*/ {constTall, 254, 2100, 2970, 2770.0 / 3300, 1211, 100, 12},
        /* 7*/ {constShort, 254, 2100, 2970, 1.9, 150, 100, 12},
        // WIDTH: 15 cm are 1500 pixels for 1000 units; one line per page.
        /* 8*/ {width, 254, 2100, 2970, 1.5, 150, 100, 1},
        // 300 dpi, A4: margins round(177.17) = 177, round(59.06) = 59 and
        // round(118.11) = 118; (2480 - 177 - 59) / 1000 = 2.244; lines:
        // (3508 - 236 - round(134.64)) / round(22.44) = 3137 / 22 = 142.
        /* 9*/ {Settings(L::Standard, 1000, 40, 10, 20), 300, 2480, 3508, 2.244, 177, 118, 142},
        // A line band taller than the page still gives one line.
        /*10*/ {Settings(L::Standard, 1000, 40, 5000, 20), 254, 2100, 2970, 1.9, 150, 100, 1},
    };
    int index = 0;
    for (const PrinterRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << index++);
        const DeviceScale device =
            PrinterScale(row.settings, row.dpi, row.pageWidth, row.pageHeight);
        EXPECT_NEAR(device.scale, row.scale, 1e-9);
        EXPECT_EQ(device.originX, row.originX);
        EXPECT_EQ(device.originY, row.originY);
        EXPECT_EQ(device.linesPerPage, row.lines);
    }
}

TEST(ReportPageModel, PrinterScaleSurvivesNonsense)
{
    ReportSettings settings = Settings(ReportLayout::Full, 0, 0, 0, 0);
    settings.leftCm = 500; // wider than the page
    for (int dpi : {0, 1, 600}) {
        const DeviceScale device = PrinterScale(settings, dpi, 10, 0);
        EXPECT_TRUE(std::isfinite(device.scale) && device.scale >= 0) << dpi;
        EXPECT_GE(device.linesPerPage, 1) << dpi;
    }
}

// ---- The preview -----------------------------------------------------------------

struct PreviewRow
{
    ReportSettings settings;
    int dataLines;
    int pageHeight;
    int lines;
};

// The nominal page is 20 x 28.7 cm; the default margins leave 18 x 26.7 cm.
TEST(ReportPageModel, PreviewPage)
{
    using L = ReportLayout;
    ReportSettings constant = Settings(L::Const, 1000, 40, 10, 20);
    constant.fixedLines = 12;
    ReportSettings width = Settings(L::Width, 1000, 40, 10, 20);
    width.physicalWidthCm = 15.0;
    width.fixedLines = 1;
    ReportSettings landscape = Settings(L::Standard, 1000, 40, 10, 20);
    landscape.orientation = ReportOrientation::Landscape;
    const PreviewRow rows[] = {
        // 0.018 cm per unit: round(26.7 / 0.018) = 1483 units, (1483 - 60) / 10 = 142.
        /* 0*/ {Settings(L::Standard, 1000, 40, 10, 20), 1000, 60 + 1420, 142},
        // At most the data lines.
        /* 1*/ {Settings(L::Standard, 1000, 40, 10, 20), 25, 60 + 250, 25},
        // Capped at 0.024: 26.7 / 0.024 = 1112.5 rounds to even, 1112 - 60 lines.
        /* 2*/ {Settings(L::Standard, 500, 40, 1, 20), 2000, 1112, 1052},
        /* 3*/ {Settings(L::Full, 1000, 40, 10, 20), 1000, 1480, 142},
        // 1700 units at 0.018 cm do not fit 26.7 cm: 26.7 / 1700 per unit,
        // so the page is 1700 units and holds one line.
        /* 4*/ {Settings(L::Full, 1000, 1000, 200, 500), 1000, 1700, 1},
        /* 5*/ {constant, 1000, 60 + 120, 12},
        /* 6*/ {constant, 3, 60 + 120, 12},
        // WIDTH: 0.015 cm per unit, (1780 - 60) / 10 = 172 lines high, but
        // one data line per page.
        /* 7*/ {width, 1000, 60 + 1720, 1},
        // Landscape: 26.7 / 1000 is capped at 0.024, 18 / 0.024 = 750 units.
        /* 8*/ {landscape, 1000, 750, 69},
        /* 9*/ {Settings(L::Full, 1000, 40, 0, 20), 1000, 60, 1},
        /*10*/ {Settings(L::Full, 1000, 40, 10, 20), 0, 60, 1},
    };
    int index = 0;
    for (const PreviewRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << index++);
        EXPECT_EQ(PreviewPageHeightUnits(row.settings, row.dataLines), row.pageHeight);
        EXPECT_EQ(PreviewLinesPerPage(row.settings, row.dataLines), row.lines);
    }
}

// ---- Sections and pages ----------------------------------------------------------

// Data lines: "*" marks a break line, any other character a plain one.
QStringList Data(const char* marks)
{
    QStringList data;
    for (const char* c = marks; *c; ++c)
        data << (*c == '*' ? QStringLiteral("*&a=1") : QStringLiteral("&a=1"));
    return data;
}

// The pages as "section,page:first-last" with "!" for the last of a section.
QString Describe(const std::vector<ReportPageModel::Page>& pages)
{
    QStringList parts;
    for (const ReportPageModel::Page& page : pages) {
        parts << QStringLiteral("%1,%2:%3-%4%5")
                     .arg(page.section)
                     .arg(page.page)
                     .arg(page.first)
                     .arg(page.last)
                     .arg(page.lastOfSection ? QStringLiteral("!") : QString());
    }
    return parts.join(u' ');
}

TEST(ReportPageModel, PagesOfSections)
{
    const struct
    {
        QStringList data;
        int linesPerPage;
        const char* pages;
    } rows[] = {
        /* 0*/ {Data("........................."), 10, "1,1:1-10 1,2:11-20 1,3:21-25!"},
        /* 1*/ {Data("...*....*..."), 3, "1,1:1-3 1,2:4-4! 2,1:5-7 2,2:8-9! 3,1:10-12!"},
        // A break line on the last line opens no empty section.
        /* 2*/ {Data(".**"), 5, "1,1:1-2! 2,1:3-3!"},
        /* 3*/ {Data("****"), 10, "1,1:1-1! 2,1:2-2! 3,1:3-3! 4,1:4-4!"},
        /* 4*/ {Data(""), 10, "1,1:1-0!"},
        // A page that is full exactly at a break line ends its section.
        /* 5*/ {Data("..*..."), 3, "1,1:1-3! 2,1:4-6!"},
        /* 6*/ {Data("......"), 3, "1,1:1-3 1,2:4-6!"},
        /* 7*/ {Data("..."), 0, "1,1:1-1 1,2:2-2 1,3:3-3!"}, // never less than one line
        /* 8*/ {Data("..."), INT_MAX, "1,1:1-3!"},
    };
    int index = 0;
    for (const auto& row : rows) {
        const ReportPageModel model(row.data);
        EXPECT_EQ(Describe(model.Pages(row.linesPerPage)), QString::fromUtf8(row.pages))
            << "row " << index++;
    }
}

TEST(ReportPageModel, FirstAndLastLineOfPage)
{
    const ReportPageModel plain(Data("........................."));
    EXPECT_EQ(plain.FirstLineOfPage(1, 1, 10), 1);
    EXPECT_EQ(plain.LastLineOfPage(1, 1, 10), 10);
    EXPECT_EQ(plain.FirstLineOfPage(1, 2, 10), 11);
    EXPECT_EQ(plain.LastLineOfPage(1, 2, 10), 20);
    EXPECT_EQ(plain.FirstLineOfPage(1, 3, 10), 21);
    EXPECT_EQ(plain.LastLineOfPage(1, 3, 10), 26); // the data end within the page

    const ReportPageModel sections(Data("...*....*..."));
    EXPECT_EQ(sections.FirstLineOfPage(1, 2, 3), 4);
    EXPECT_EQ(sections.LastLineOfPage(1, 2, 3), 4);
    EXPECT_EQ(sections.FirstLineOfPage(2, 1, 3), 5);
    EXPECT_EQ(sections.FirstLineOfPage(2, 2, 3), 8);
    EXPECT_EQ(sections.LastLineOfPage(2, 2, 3), 9);
    EXPECT_EQ(sections.FirstLineOfPage(3, 1, 3), 10);
    EXPECT_EQ(sections.LastLineOfPage(3, 1, 3), 12);
    // Past the data every line is a break: section 5 begins after the
    // breaks at 4, 9, 13 and 14.
    EXPECT_EQ(sections.FirstLineOfPage(5, 1, 3), 15);
    // A page beyond its section stops at the section's break line.
    EXPECT_EQ(sections.FirstLineOfPage(1, 9, 3), 4);

    const ReportPageModel empty(QStringList{});
    EXPECT_EQ(empty.FirstLineOfPage(1, 1, 10), 1);
    EXPECT_EQ(empty.LastLineOfPage(1, 1, 10), 1);

    EXPECT_TRUE(sections.IsBreak(4));
    EXPECT_FALSE(sections.IsBreak(5));
    EXPECT_TRUE(sections.IsBreak(13));
    EXPECT_FALSE(sections.IsBreak(0));
}

// The walk as a reader of the page rules would write it, line by line.
int WalkFirstLine(const ReportPageModel& model, int section, int page, int k)
{
    int line = 1;
    for (int s = 1; s < section; ++s) {
        while (!model.IsBreak(line))
            ++line;
        ++line;
    }
    for (int p = 1; p < page; ++p) {
        for (int taken = 0; taken < k && !model.IsBreak(line); ++taken)
            ++line;
    }
    return line;
}

int WalkLastLine(const ReportPageModel& model, int section, int page, int k)
{
    int line = WalkFirstLine(model, section, page, k);
    for (int taken = 1; taken < k && !model.IsBreak(line); ++taken)
        ++line;
    return line;
}

// The indexed answers agree with the plain walk for every page, real or not.
TEST(ReportPageModel, IndexAgreesWithTheWalk)
{
    const char* patterns[] = {".......", "*.*..*", "..**...*", "*", "...*", ""};
    for (const char* pattern : patterns) {
        const ReportPageModel model(Data(pattern));
        for (int k = 1; k <= 4; ++k) {
            for (int s = 1; s <= 5; ++s) {
                for (int p = 1; p <= 5; ++p) {
                    SCOPED_TRACE(testing::Message()
                                 << pattern << " k=" << k << " s=" << s << " p=" << p);
                    EXPECT_EQ(model.FirstLineOfPage(s, p, k), WalkFirstLine(model, s, p, k));
                    EXPECT_EQ(model.LastLineOfPage(s, p, k), WalkLastLine(model, s, p, k));
                }
            }
            for (const ReportPageModel::Page& page : model.Pages(k)) {
                EXPECT_EQ(page.first, model.FirstLineOfPage(page.section, page.page, k));
                EXPECT_EQ(page.last, std::min(model.LastLineOfPage(page.section, page.page, k),
                                              model.LineCount()));
            }
        }
    }
}

} // namespace
