// The rich memo and the marker memo on Qt's offscreen platform: keys go in
// through QTest, menus open without waiting and their items are triggered.
#include "forms/marker_specification.h"
#include "forms/ui/marker_menu.h"
#include "forms/ui/tl_rich_edit.h"
#include "forms/ui/ts_memo.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

using Keys = std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>;

void Press(QWidget& widget, const Keys& keys)
{
    for (const auto& [key, modifiers] : keys)
        QTest::keyClick(&widget, key, modifiers);
}

std::unique_ptr<TSMemo> MarkerMemo(const char* specification, const char* stored)
{
    auto memo = std::make_unique<TSMemo>();
    memo->UseSpecification(ParseMarkerSpecification(S(specification)));
    memo->SetText(S(stored));
    memo->show();
    return memo;
}

// Opens the context menu as a right click does and gives the enabled state
// of its items in order, separators left out.
QString MenuStates(TLRichEdit& memo)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), memo.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(memo.viewport(), &event);
    EXPECT_TRUE(memo.ContextMenu()->isVisible());
    QString states;
    for (QAction* action : memo.ContextMenu()->actions())
        if (!action->isSeparator())
            states += action->isEnabled() ? u'1' : u'0';
    memo.ContextMenu()->close();
    return states;
}

void TriggerMenuItem(TLRichEdit& memo, const char* name)
{
    MenuStates(memo);
    memo.ContextMenu()->findChild<QAction*>(QString::fromLatin1(name))->trigger();
}

struct MenuCase
{
    bool markerMemo;
    bool editable;
    bool selected;
    bool edited;
    const char* states; // Cofnij, Wytnij, Kopiuj, Wklej, Usuń, Zaznacz wszystko
};

class ContextMenuTest : public testing::TestWithParam<MenuCase>
{};

TEST_P(ContextMenuTest, EnablesItemsByState)
{
    const MenuCase& c = GetParam();
    std::unique_ptr<TLRichEdit> memo =
        c.markerMemo ? MarkerMemo("^|a|A|", "^axy") : std::make_unique<TLRichEdit>();
    if (!c.markerMemo)
        memo->setPlainText(S("xy"));
    memo->show();
    if (c.edited)
        QTest::keyClick(memo.get(), Qt::Key_Z);
    if (c.selected)
        QTest::keyClick(memo.get(), Qt::Key_Right, Qt::ShiftModifier);
    memo->setReadOnly(!c.editable);
    EXPECT_EQ(MenuStates(*memo), S(c.states));
}

INSTANTIATE_TEST_SUITE_P(States, ContextMenuTest,
                         testing::Values(/* 0*/ MenuCase{false, true, false, false, "000111"},
                                         /* 1*/ MenuCase{false, true, true, true, "111111"},
                                         /* 2*/ MenuCase{false, false, true, true, "001001"},
                                         /* 3*/ MenuCase{false, false, false, false, "000001"},
                                         /* 4*/ MenuCase{true, true, true, true, "111111"},
                                         /* 5*/ MenuCase{true, false, true, false, "001001"}));

// One table for the keys of both memos: the rich memo starts with "xy" and
// the caret at the end, the marker memo with a stored text and the caret at
// a stored index; the result is the memo's text, stored form for the marker
// memo, and the clipboard.
struct KeysCase
{
    bool markerMemo;
    bool lineBreaks;
    bool editable;
    const char* stored;
    int caret;
    const char* clipboard;
    Keys keys;
    const char* text;
    const char* clipboardAfter;
};

class MemoKeysTest : public testing::TestWithParam<KeysCase>
{};

TEST_P(MemoKeysTest, ShortcutsAndEditingKeys)
{
    const KeysCase& c = GetParam();
    QApplication::clipboard()->setText(S(c.clipboard));
    if (!c.markerMemo) {
        TLRichEdit memo;
        memo.SetAcceptsLineBreaks(c.lineBreaks);
        memo.setPlainText(S(c.stored));
        memo.moveCursor(QTextCursor::End);
        memo.setReadOnly(!c.editable);
        Press(memo, c.keys);
        EXPECT_EQ(memo.toPlainText(), S(c.text));
    } else {
        auto memo = MarkerMemo("^|a|Tytuł|b|Podtytuł|", c.stored);
        memo->SetCaret(c.caret);
        memo->setReadOnly(!c.editable);
        QSignalSpy changed(memo.get(), &TSMemo::StoredTextChanged);
        Press(*memo, c.keys);
        EXPECT_EQ(memo->StoredText(), S(c.text));
        EXPECT_EQ(changed.isEmpty(), S(c.stored) == S(c.text));
    }
    EXPECT_EQ(QApplication::clipboard()->text(), S(c.clipboardAfter));
}

const Qt::KeyboardModifiers kNone = Qt::NoModifier;
const Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
const Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
const Qt::Key kLeft = Qt::Key_Left;

INSTANTIATE_TEST_SUITE_P(
    Keys, MemoKeysTest,
    testing::Values(
        /* 0*/ KeysCase{false,
                        false,
                        true,
                        "xy",
                        0,
                        "a\r\nb\nc",
                        {{Qt::Key_V, kCtrl}},
                        "xya bc",
                        "a\r\nb\nc"},
        /* 1*/ KeysCase{false, true, true, "xy", 0, "a\nb", {{Qt::Key_V, kCtrl}}, "xya\nb", "a\nb"},
        /* 2*/ KeysCase{false, false, false, "xy", 0, "a", {{Qt::Key_V, kCtrl}}, "xy", "a"},
        /* 3*/ KeysCase{false, false, true, "xy", 0, "a", {{Qt::Key_Insert, kShift}}, "xya", "a"},
        /* 4*/ KeysCase{false, false, true, "xy", 0, "", {{Qt::Key_Return, kNone}}, "xy", ""},
        /* 5*/ KeysCase{false, true, true, "xy", 0, "", {{Qt::Key_Return, kNone}}, "xy\n", ""},
        /* 6*/
        KeysCase{
            false, false, true, "xy", 0, "", {{Qt::Key_A, kCtrl}, {Qt::Key_X, kCtrl}}, "", "xy"},
        /* 7*/
        KeysCase{
            false, false, false, "xy", 0, "", {{Qt::Key_A, kCtrl}, {Qt::Key_X, kCtrl}}, "xy", ""},
        /* 8*/
        KeysCase{
            false, false, false, "xy", 0, "", {{Qt::Key_A, kCtrl}, {Qt::Key_C, kCtrl}}, "xy", "xy"},
        /* 9*/
        KeysCase{false,
                 false,
                 true,
                 "xy",
                 0,
                 "",
                 {{Qt::Key_A, kCtrl}, {Qt::Key_Delete, kShift}},
                 "",
                 "xy"},
        /*10*/
        KeysCase{false,
                 false,
                 true,
                 "xy",
                 0,
                 "",
                 {{Qt::Key_A, kCtrl}, {Qt::Key_Insert, kCtrl}},
                 "xy",
                 "xy"},
        /*11*/ KeysCase{false, false, true, "xy", 0, "a", {{Qt::Key_V, kCtrl | kShift}}, "xy", "a"},
        /*12*/ KeysCase{false, false, true, "xy", 0, "", {{Qt::Key_V, kNone}}, "xyv", ""},
        /*13*/ KeysCase{true, false, true, "^aTy", 2, "", {{Qt::Key_Backspace, kNone}}, "Ty", ""},
        /*14*/ KeysCase{true, false, true, "x^ay", 1, "", {{Qt::Key_Delete, kNone}}, "xy", ""},
        /*15*/
        KeysCase{true,
                 false,
                 true,
                 "^aTy",
                 0,
                 "",
                 {{Qt::Key_End, kShift}, {Qt::Key_C, kCtrl}},
                 "^aTy",
                 "^aTy"},
        /*16*/ KeysCase{true, false, true, "xy", 1, "^b^a", {{Qt::Key_V, kCtrl}}, "x^b^ay", "^b^a"},
        /*17*/
        KeysCase{true,
                 false,
                 true,
                 "^aTy",
                 4,
                 "",
                 {{kLeft, kShift}, {kLeft, kShift}, {Qt::Key_X, kCtrl}},
                 "^a",
                 "Ty"},
        /*18*/
        KeysCase{true,
                 false,
                 true,
                 "xy",
                 2,
                 "",
                 {{Qt::Key_Z, kNone}, {Qt::Key_Return, kNone}},
                 "xyz",
                 ""},
        /*19*/
        KeysCase{true,
                 false,
                 true,
                 "^ax",
                 3,
                 "",
                 {{Qt::Key_Home, kShift}, {Qt::Key_Delete, kNone}},
                 "",
                 ""},
        /*20*/
        KeysCase{
            true, false, true, "xy", 2, "", {{Qt::Key_F7, kNone}, {Qt::Key_Tab, kNone}}, "xy", ""},
        /*21*/
        KeysCase{true, false, false, "^aTy", 2, "", {{Qt::Key_Backspace, kNone}}, "^aTy", ""}));

TEST(MarkerMemoTest, ShowsMarkersInRedBold)
{
    auto memo = MarkerMemo("^|a|Tytuł|b|Podtytuł|", "^aTytuł^bSub^zX");
    EXPECT_EQ(memo->toPlainText(), S("aTytułbSubX"));
    EXPECT_EQ(memo->StoredText(), S("^aTytuł^bSubX"));
    const auto formatAt = [&memo](int position) {
        QTextCursor cursor(memo->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    };
    const int markers[] = {0, 6};
    for (const int position : markers) {
        EXPECT_EQ(formatAt(position).foreground().color(), QColor(Qt::red)) << position;
        EXPECT_EQ(formatAt(position).fontWeight(), QFont::Bold) << position;
    }
    EXPECT_FALSE(formatAt(1).hasProperty(QTextFormat::ForegroundBrush));
}

TEST(MarkerMemoTest, UndoFromTheMenuReadsTheMarkersBack)
{
    auto memo = MarkerMemo("^|a|Tytuł|b|Podtytuł|", "^a^bT");
    memo->SetCaret(4);
    QTest::keyClick(memo.get(), Qt::Key_Backspace);
    ASSERT_EQ(memo->StoredText(), S("^aT"));
    TriggerMenuItem(*memo, "Cofnij");
    EXPECT_EQ(memo->StoredText(), S("^a^bT"));
    memo->SetCaret(4);
    QTest::keyClick(memo.get(), Qt::Key_Backspace);
    EXPECT_EQ(memo->StoredText(), S("^aT")) << "the model follows the caret after an undo";
}

TEST(MarkerMemoTest, MarkerMenuHasTenItemsAColumn)
{
    auto memo = MarkerMemo("^|a|A|b|B|c|C|d|D|e|E|f|F|g|G|h|H|i|I|j|J|kk|K|l|L|", "x");
    memo->SetCaret(1);
    QTest::keyClick(memo.get(), '^');
    MarkerMenu* menu = memo->Menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), memo->mapToGlobal(QPoint(0, 0)));
    ASSERT_EQ(menu->Items().size(), 12u);
    EXPECT_EQ(menu->Items()[10]->text(), S("^&k :K*"));
    const QPoint cells[] = {{0, 0}, {0, 9}, {1, 0}, {1, 1}};
    const int items[] = {0, 9, 10, 11};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(menu->Cell(items[i]), cells[i]) << "item " << items[i];

    // The code letter chooses its item; a present non-repeatable marker
    // cannot come twice, a repeatable one can.
    const char letters[] = {'b', 'b', 'k', 'k'};
    for (const char letter : letters) {
        QTest::keyClick(memo.get(), '^');
        QTest::keyClick(menu, letter);
        EXPECT_FALSE(menu->isVisible());
    }
    EXPECT_EQ(memo->StoredText(), S("x^b^k^k"));
}

TEST(MarkerMemoTest, FocusIsReported)
{
    auto memo = MarkerMemo("^|a|A|", "");
    QSignalSpy gained(memo.get(), &TSMemo::FocusGained);
    memo->activateWindow();
    memo->setFocus();
    EXPECT_TRUE(!gained.isEmpty() || gained.wait(2000));
}

TEST(RichEditHeightTest, NeverLowerThanOneLine)
{
    TLRichEdit memo;
    memo.resize(100, 1);
    EXPECT_GE(memo.height(), memo.fontMetrics().height());
    const int small = memo.height();
    QFont font = memo.font();
    font.setPixelSize(60);
    memo.setFont(font);
    memo.resize(100, 1);
    EXPECT_GT(memo.height(), small);
}

} // namespace
