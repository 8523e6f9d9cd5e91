#include "forms/marker_specification.h"
#include "forms/marker_text.h"
#include "forms/memo_paste.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

using Snap = MarkerText::Snap;
using DisplayRun = MarkerText::Run;

// a and b once each, c as often as wanted; k shows as three characters so
// that a position can fall inside a marker.
MarkerText Memo(const char* stored)
{
    MarkerText memo;
    memo.UseSpecification(ParseMarkerSpecification(S("^|a|Tytuł|b|Podtytuł|cc|Uwaga|")));
    memo.RegisterMarker(u'k', S("KLU"), false, S("Klucz"));
    memo.SetStoredText(S(stored));
    return memo;
}

struct SpecCase
{
    const char* text;
    char16_t markerChar;
    const char* markers; // code, display, repeatable, description; ";" after each
};

class MarkerSpecificationTest : public testing::TestWithParam<SpecCase>
{};

TEST_P(MarkerSpecificationTest, ReadsMarkerCharAndPairs)
{
    const MarkerSpecification spec = ParseMarkerSpecification(S(GetParam().text));
    QString markers;
    for (const TSequence& m : spec.markers)
        markers += QChar(m.code) + u' ' + m.display + u' ' + QString::number(m.repeatable) + u' ' +
                   m.description + u';';
    EXPECT_EQ(spec.markerChar, QChar(GetParam().markerChar));
    EXPECT_EQ(markers, S(GetParam().markers));
}

INSTANTIATE_TEST_SUITE_P(
    Items, MarkerSpecificationTest,
    testing::Values(/* 0*/ SpecCase{"", u'^', ""},
                    /* 1*/ SpecCase{"|a|Tytuł|", u'^', ""},
                    /* 2*/ SpecCase{"#x|a|Tytuł|bb|Uwagi|", u'#', "a a 0 Tytuł;b b 1 Uwagi*;"},
                    /* 3*/ SpecCase{"^|a|Tytuł||b|Podtytuł", u'^', "a a 0 Tytuł;"},
                    /* 4*/ SpecCase{"^|a", u'^', "a a 0 ;"},
                    /* 5*/ SpecCase{"$|a||b|x", u'$', "a a 0 ;b b 0 x;"}));

// One edit on a loaded text with a display selection from `anchor` to
// `caret`; the display with markers in brackets, the stored text and the
// caret after it.
enum class Edit
{
    None,
    Type,
    Marker,
    Delete,
    Backspace,
    Paste,
    Cut
};

struct EditCase
{
    const char* stored;
    int anchor;
    int caret;
    Edit edit;
    const char* argument; // typed character, marker index or pasted text
    const char* display;
    const char* storedAfter;
    int caretAfter;
    const char* clipboard = "";
};

class MarkerEditTest : public testing::TestWithParam<EditCase>
{};

TEST_P(MarkerEditTest, EditsBothForms)
{
    const EditCase& c = GetParam();
    MarkerText memo = Memo(c.stored);
    memo.Select(c.anchor, c.caret, Snap::Outward);
    QString clipboard;
    std::optional<MarkerText::Change> change;
    switch (c.edit) {
    case Edit::None:
        break;
    case Edit::Type:
        change = memo.TypeChar(S(c.argument).front());
        break;
    case Edit::Marker:
        change = memo.InsertMarker(S(c.argument).toInt());
        break;
    case Edit::Delete:
        change = memo.DeleteForward();
        break;
    case Edit::Backspace:
        change = memo.DeleteBackward();
        break;
    case Edit::Paste:
        change = memo.Paste(S(c.argument));
        break;
    case Edit::Cut:
        clipboard = memo.SelectedStoredText();
        change = memo.DeleteSelection();
        break;
    }
    EXPECT_EQ(memo.BracketedDisplay(), S(c.display));
    EXPECT_EQ(memo.StoredText(), S(c.storedAfter));
    EXPECT_EQ(memo.DisplayCaret(), c.caretAfter);
    EXPECT_EQ(clipboard, S(c.clipboard));
    EXPECT_EQ(memo.RebuildStored(memo.DisplayRuns()), memo.StoredText());
    // The memo shows the change on the display it had before; applied to
    // that display it must give the display the model has now.
    MarkerText before = Memo(c.stored);
    QString shown = before.DisplayText();
    if (change) {
        QString inserted;
        for (const DisplayRun& run : change->inserted)
            inserted += run.text;
        shown.replace(change->position, change->removed, inserted);
    }
    EXPECT_EQ(shown, memo.DisplayText());
}

INSTANTIATE_TEST_SUITE_P(
    Edits, MarkerEditTest,
    testing::Values(
        /* 0*/ EditCase{"^aTytuł^bPod", 0, 0, Edit::None, "", "[a]Tytuł[b]Pod", "^aTytuł^bPod", 0},
        /* 1*/ EditCase{"x^zy^", 0, 0, Edit::None, "", "xy^", "xy^^", 0},
        /* 2*/ EditCase{"a^^b", 0, 0, Edit::None, "", "a^b", "a^^b", 0},
        /* 3*/ EditCase{"^aTy", 1, 1, Edit::Backspace, "", "Ty", "Ty", 0},
        /* 4*/ EditCase{"x^ay", 1, 1, Edit::Delete, "", "xy", "xy", 1},
        /* 5*/ EditCase{"x^^y", 2, 2, Edit::Backspace, "", "xy", "xy", 1},
        /* 6*/ EditCase{"^ax", 2, 2, Edit::Marker, "0", "[a]x", "^ax", 2},
        /* 7*/ EditCase{"^cx", 2, 2, Edit::Marker, "2", "[c]x[c]", "^cx^c", 3},
        /* 8*/ EditCase{"^ax", 0, 1, Edit::Marker, "0", "[a]x", "^ax", 1},
        /* 9*/ EditCase{"xy", 1, 1, Edit::Paste, "^a", "x[a]y", "x^ay", 2},
        /*10*/ EditCase{"xy", 2, 2, Edit::Paste, "^az\r\n^^^q", "xy[a]z ^^q", "xy^az ^^^^q", 8},
        /*11*/ EditCase{"", 0, 0, Edit::Paste, "^a^a^c^c", "[a][c][c]", "^a^c^c", 3},
        /*12*/ EditCase{"^aTy^bx", 1, 3, Edit::Type, "Z", "[a]Z[b]x", "^aZ^bx", 2},
        /*13*/ EditCase{"p^aTy^bx", 0, 5, Edit::Cut, "", "x", "x", 0, "p^aTy^b"},
        /*14*/ EditCase{"x", 1, 1, Edit::Type, "^", "x", "x", 1},
        /*15*/ EditCase{"x", 1, 1, Edit::Type, "\t", "x", "x", 1},
        /*16*/ EditCase{"x", 1, 1, Edit::Type, "\x7f", "x", "x", 1},
        /*17*/ EditCase{"x^k", 4, 4, Edit::Backspace, "", "x", "x", 1},
        /*18*/ EditCase{"^a", 0, 0, Edit::Paste, "^k", "[KLU][a]", "^k^a", 3}));

// Display positions inside a marker's display text ("KLU" at 1..3 of
// "xKLUy") move out of it in the direction of the movement.
struct SnapCase
{
    int anchor;
    int caret;
    Snap snap;
    int anchorAfter;
    int caretAfter;
    int storedStart;
    int storedLength;
};

class MarkerSnapTest : public testing::TestWithParam<SnapCase>
{};

TEST_P(MarkerSnapTest, SelectionNeverSplitsAMarker)
{
    const SnapCase& c = GetParam();
    MarkerText memo = Memo("x^ky");
    memo.Select(c.anchor, c.caret, c.snap);
    EXPECT_EQ(memo.DisplayAnchor(), c.anchorAfter);
    EXPECT_EQ(memo.DisplayCaret(), c.caretAfter);
    EXPECT_EQ(memo.StoredSelectionStart(), c.storedStart);
    EXPECT_EQ(memo.StoredSelectionLength(), c.storedLength);
}

INSTANTIATE_TEST_SUITE_P(Positions, MarkerSnapTest,
                         testing::Values(/* 0*/ SnapCase{2, 2, Snap::ToStart, 1, 1, 1, 0},
                                         /* 1*/ SnapCase{3, 3, Snap::ToEnd, 4, 4, 3, 0},
                                         /* 2*/ SnapCase{2, 2, Snap::Outward, 1, 1, 1, 0},
                                         /* 3*/ SnapCase{3, 3, Snap::Outward, 4, 4, 3, 0},
                                         /* 4*/ SnapCase{0, 2, Snap::ToEnd, 0, 4, 0, 3},
                                         /* 5*/ SnapCase{5, 3, Snap::ToStart, 5, 1, 1, 3},
                                         /* 6*/ SnapCase{3, 2, Snap::Outward, 4, 1, 1, 2},
                                         /* 7*/ SnapCase{-3, 99, Snap::ToStart, 0, 5, 0, 4}));

TEST(MarkerSnapTest, StoredCaretGoesToTheMarkersStart)
{
    MarkerText memo = Memo("x^ky");
    const int expected[] = {/*0*/ 0, /*1*/ 1, /*2*/ 1, /*3*/ 4, /*4*/ 5, /*5*/ 5};
    for (int index = 0; index < 6; ++index) {
        memo.SetStoredCaret(index);
        EXPECT_EQ(memo.DisplayCaret(), expected[index]) << "stored index " << index;
    }
}

struct RebuildCase
{
    std::vector<DisplayRun> runs;
    const char* stored;
};

class MarkerRebuildTest : public testing::TestWithParam<RebuildCase>
{};

TEST_P(MarkerRebuildTest, ReadsStoredTextFromColouredRuns)
{
    EXPECT_EQ(Memo("").RebuildStored(GetParam().runs), S(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(Runs, MarkerRebuildTest,
                         testing::Values(/* 0*/ RebuildCase{{{S("a"), true}, {S("Ty"), false}},
                                                            "^aTy"},
                                         /* 1*/ RebuildCase{{{S("ab"), true}}, "^a^b"},
                                         /* 2*/ RebuildCase{{{S("KLUa"), true}}, "^k^a"},
                                         /* 3*/ RebuildCase{{{S("q"), true}}, "^q"},
                                         /* 4*/ RebuildCase{{{S("aqb"), true}}, "^a^qb"},
                                         /* 5*/ RebuildCase{{{S("x^y"), false}}, "x^^y"}));

TEST(MarkerDefinitionTest, RefusesMarkersThatCouldNotBeReadBack)
{
    MarkerText memo = Memo("");
    EXPECT_FALSE(memo.RegisterMarker(u'm', S("a"), false, S("shows as a"))) << "row 0";
    EXPECT_FALSE(memo.RegisterMarker(u'm', QString(), false, S("invisible"))) << "row 1";
    EXPECT_TRUE(memo.RegisterMarker(u'a', S("A"), false, S("second a"))) << "row 2";
    memo.SetStoredText(S("^a"));
    EXPECT_EQ(memo.BracketedDisplay(), S("[a]")) << "the first definition of a code shows it";
}

TEST(MarkerDefinitionTest, MenuCaptionKeepsTheCodeAsAccelerator)
{
    MarkerText memo;
    memo.UseSpecification(ParseMarkerSpecification(S("&|a|A&B|")));
    EXPECT_EQ(memo.MenuCaption(0), S("&&&a :A&&B"));
    memo.SetMarkerChar(u'^');
    EXPECT_EQ(memo.MenuCaption(0), S("^&a :A&&B"));
}

TEST(MarkerDefinitionTest, ANewMarkerCharDropsMarkersOfThatCode)
{
    MarkerText memo = Memo("^a^b#");
    memo.SetMarkerChar(u'a');
    EXPECT_EQ(memo.BracketedDisplay(), S("[b]#"));
    EXPECT_EQ(memo.StoredText(), S("ab#"));
}

TEST(MemoPasteTest, LineBreaksOnlyWhereAccepted)
{
    EXPECT_EQ(MemoPasteText(S("a\r\nb\nc\rd"), true), S("a\r\nb\nc\rd"));
    EXPECT_EQ(MemoPasteText(S("a\r\nb\nc\rd"), false), S("a bc d"));
}

} // namespace
