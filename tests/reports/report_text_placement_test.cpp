#include "report_fixture.h"

#include "reports/report_text_placement.h"

#include <vector>

// The recording surface measures 8 pixels a character at the report's
// default height of 16.

namespace {

struct ContinuationCase
{
    int row;
    const char* first;
    std::vector<const char*> drawn; // by the first element
    const char* next;               // where "TEXT #x + +" lands
};

class TextContinuationTest : public ReportFixture,
                             public testing::WithParamInterface<ContinuationCase>
{};

TEST_P(TextContinuationTest, PlusContinuesAtTheEndOfTheLastText)
{
    const ContinuationCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row << ": " << c.first);
    ASSERT_TRUE(
        Open({QStringLiteral("[REPORT 800]"), QStringLiteral("[HEADER 100]"),
              QString::fromUtf8(c.first), QStringLiteral("TEXT #x + +"), QStringLiteral("[END]")}));
    const QString font = QStringLiteral(" font=\"\"/1/16 ");
    QStringList expected;
    for (const char* line : c.drawn)
        expected << QString::fromUtf8(line);
    expected << QString::fromUtf8(c.next) + font + QStringLiteral("\"x\"");
    EXPECT_EQ(Render(1, 1), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Placements, TextContinuationTest,
    testing::Values(
        /* 0*/ ContinuationCase{0,
                                "TEXT #abcd 100 20",
                                {"text 100,20 font=\"\"/1/16 \"abcd\""},
                                "text 132,20"},
        // After a right-aligned text: its right edge.
        /* 1*/
        ContinuationCase{
            1, "TEXT #abcd 100 20 RIGHT", {"text 68,20 font=\"\"/1/16 \"abcd\""}, "text 100,20"},
        // After a centred one: a whole text width right of the centre.
        /* 2*/
        ContinuationCase{
            2, "TEXT #abcd 100 20 CENTER", {"text 84,20 font=\"\"/1/16 \"abcd\""}, "text 132,20"},
        // 9 pixels wide: half of it truncates toward zero, to 4.
        /* 3*/
        ContinuationCase{3,
                         "TEXT #abc 101 20 CENTER SIZE=6",
                         {"text 97,20 font=\"\"/1/6 \"abc\""},
                         "text 110,20"},
        // After wrapping: the end of the last line drawn.
        /* 4*/
        ContinuationCase{4,
                         "TEXT #ab_cd 10 20 JUST 24 32",
                         {"text 10,20 font=\"\"/1/16 \"ab\"", "text 10,36 font=\"\"/1/16 \"cd\""},
                         "text 26,36"}));

TEST_F(ReportFixture, PlusCarriesOverToTheNextBand)
{
    ASSERT_TRUE(Open({QStringLiteral("[REPORT 800]"), QStringLiteral("[HEADER 30]"),
                      QStringLiteral("TEXT #abcd 100 20"), QStringLiteral("[LINE 10]"),
                      QStringLiteral("TEXT &n + 5"), QStringLiteral("[END]")},
                     {QStringLiteral("&n=1")}));
    EXPECT_EQ(Render(1, 1), (QStringList{QStringLiteral("text 100,20 font=\"\"/1/16 \"abcd\""),
                                         QStringLiteral("text 132,35 font=\"\"/1/16 \"1\"")}));
}

TEST_F(ReportFixture, LimitShortensWithAnEllipsis)
{
    // SIZE=20: 10 pixels a character, so the text is 150 pixels wide.
    ASSERT_TRUE(Open({QStringLiteral("[REPORT 800]"), QStringLiteral("[HEADER 100]"),
                      QStringLiteral("TEXT #abcdefghijklmno 0 0 SIZE=20 LIMIT 100"),
                      QStringLiteral("TEXT #abcdefghijklmno 0 20 SIZE=20 LIMIT &w"),
                      QStringLiteral("TEXT #abcdefghijklmno 0 40 SIZE=20 LIMIT 29"),
                      QStringLiteral("[END]")},
                     {QStringLiteral("&w=150")}));
    EXPECT_EQ(RenderedTexts(1, 1),
              (QStringList{QStringLiteral("abcdefg..."), QStringLiteral("abcdefghijklmno"),
                           QStringLiteral("...")}));
}

struct WrapCase
{
    int row;
    const char* text;
    std::vector<const char*> lines; // 16 pixels apart
};

class TextWrapTest : public ReportFixture, public testing::WithParamInterface<WrapCase>
{};

// JUST 200 48 at a font height of 16: 25 characters a line, three lines.
// The expected lines come from running the wrapping rules by hand.
TEST_P(TextWrapTest, JustWrapsIntoTheBox)
{
    const WrapCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row);
    ASSERT_TRUE(Open({QStringLiteral("[REPORT 800]"), QStringLiteral("[HEADER 100]"),
                      QStringLiteral("TEXT &t 10 20 JUST 200 48"), QStringLiteral("[END]")},
                     {QStringLiteral("&t=") + QString::fromUtf8(c.text)}));
    QStringList expected;
    int y = 20;
    for (const char* line : c.lines) {
        expected << QStringLiteral("text 10,%1 font=\"\"/1/16 \"%2\"")
                        .arg(y)
                        .arg(QString::fromUtf8(line));
        y += 16;
    }
    EXPECT_EQ(Render(1, 1), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Wrapping, TextWrapTest,
    testing::Values(
        /* 0*/ WrapCase{0,
                        "Ala ma kota, a kot ma Ale i jeszcze wiele innych slow ktore sie nie "
                        "mieszcza w ramce",
                        {"Ala ma kota, a kot ma Ale", "i jeszcze wiele innych",
                         "slow ktore sie nie..."}},
        /* 1*/
        WrapCase{
            1, "Krotki tekst w dwoch liniach ramki", {"Krotki tekst w dwoch", "liniach ramki"}},
        // A word wider than the box gives up one character a line.
        /* 2*/
        WrapCase{2, "Bardzodlugiewyrazbezspacjiktorynigdysieniemiesci i dalej", {"", "", "..."}},
        /* 3*/
        WrapCase{
            3, "  spacje  na poczatku i w srodku  ", {"  spacje  na poczatku i w", "srodku  "}},
        /* 4*/ WrapCase{4, "", {""}}));

struct FitCase
{
    int row;
    const char* text;
    int limit;
    const char* fitted;
};

class FitTextTest : public testing::TestWithParam<FitCase>
{};

TEST_P(FitTextTest, KeepsTheLongestBeginningThatFitsWithTheEllipsis)
{
    const FitCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row);
    RecordingSurface surface;
    surface.SetFont({QString(), 1, 16, false});
    EXPECT_EQ(ReportTextPlacement::fit_text(surface, QString::fromUtf8(c.text), c.limit),
              QString::fromUtf8(c.fitted));
}

INSTANTIATE_TEST_SUITE_P(Limits, FitTextTest,
                         testing::Values(/* 0*/ FitCase{0, "abc", 24, "abc"},
                                         /* 1*/ FitCase{1, "abcd", 24, "..."},
                                         /* 2*/ FitCase{2, "abcdefgh", 48, "abc..."},
                                         /* 3*/ FitCase{3, "abcdefgh", 55, "abc..."},
                                         /* 4*/ FitCase{4, "abcdefgh", 10, "..."},
                                         /* 5*/ FitCase{5, "abcdefgh", -1, "..."},
                                         /* 6*/ FitCase{6, "", 0, ""}));

QStringList TextLines(const RecordingSurface& surface)
{
    QStringList lines;
    for (const SurfaceRecord& record : surface.Records())
        lines << QStringLiteral("%1 %2").arg(record.points.at(0).y).arg(record.text);
    return lines;
}

// Fonts and boxes without height or width must still end.
TEST(TextWrapping, DegenerateBoxesEnd)
{
    RecordingSurface surface;
    ReportTextPlacement placement;
    // A font of height 0 measures as the default but takes no height: every
    // line lands on the same y until the text is used up.
    surface.SetFont({QString(), 1, 0, false});
    placement.draw_text_wrapped(surface, 0, 5, QStringLiteral("aa bb cc"), 0, 16);
    EXPECT_EQ(TextLines(surface), (QStringList{QStringLiteral("5 aa"), QStringLiteral("5 bb"),
                                               QStringLiteral("5 cc")}));

    surface.Clear();
    surface.SetFont({QString(), 1, -16, false});
    placement.draw_text_wrapped(surface, 0, 0, QStringLiteral("abc"), 100, -5);
    for (const SurfaceRecord& record : surface.Records())
        EXPECT_EQ(record.text, QString());

    // A long word in a tall narrow box: one character a line, as many lines
    // as the box holds, and the last one says the text goes on.
    surface.Clear();
    surface.SetFont({QString(), 1, 16, false});
    placement.draw_text_wrapped(surface, 0, 0, QString(200000, u'a'), 16 * 5000, 100);
    ASSERT_EQ(surface.Records().size(), 5000);
    EXPECT_EQ(surface.Records().constLast().text, QStringLiteral("..."));
    EXPECT_EQ(placement.end().y, 16 * 4999);
}

} // namespace
