#include "app/message_window_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageWindowLayout, Kinds)
{
    const MessageWindowSpec error = MessageWindowFor(MessageKind::Error, 0);
    EXPECT_EQ(error.caption, QStringLiteral("Błąd!"));
    ASSERT_EQ(error.buttons.size(), 1u);
    EXPECT_EQ(error.buttons[0].caption, QStringLiteral("Akceptacja"));
    EXPECT_EQ(error.buttons[0].answer, 1);
    EXPECT_EQ(MessageWindowFor(MessageKind::Notice, 0).caption, QStringLiteral("Komunikat"));

    const struct
    {
        int defaultAnswer;
        bool yesFirst;
        bool noFirst;
    } rows[] = {
        /* 0*/ {kAnswerYes, true, false},
        /* 1*/ {kAnswerNo, false, true},
        /* 2*/ {1, false, false},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const MessageWindowSpec question =
            MessageWindowFor(MessageKind::Question, rows[i].defaultAnswer);
        EXPECT_EQ(question.caption, QStringLiteral("Pytanie"));
        EXPECT_EQ(question.grid.columns, 2);
        ASSERT_EQ(question.buttons.size(), 2u);
        EXPECT_EQ(question.buttons[0].caption, QStringLiteral("Tak")) << "row " << i;
        EXPECT_EQ(question.buttons[0].answer, 6) << "row " << i;
        EXPECT_EQ(question.buttons[0].first, rows[i].yesFirst) << "row " << i;
        EXPECT_EQ(question.buttons[1].caption, QStringLiteral("Nie")) << "row " << i;
        EXPECT_EQ(question.buttons[1].answer, 7) << "row " << i;
        EXPECT_EQ(question.buttons[1].first, rows[i].noFirst) << "row " << i;
    }
}

TEST(MessageWindowLayout, ClientSize)
{
    const MessageButtonGrid one{1, 80, 1};
    const MessageButtonGrid two{2, 80, 1};
    const struct
    {
        MessageButtonGrid grid;
        QSize text;
        QSize client;
    } rows[] = {
        /* 0*/ {one, {20, 13}, {112, 104}},  // one short word: the button row decides
        /* 1*/ {one, {30, 13}, {112, 104}},  // 30 + 82 = 112 exactly
        /* 2*/ {one, {100, 13}, {182, 104}}, // the text decides: width + 82
        /* 3*/ {one, {100, 50}, {182, 122}}, // a text higher than the icon
        /* 4*/ {two, {20, 13}, {200, 104}},  // 2 x 80 + 8 + 32
        /* 5*/ {{2, 80, 3}, {20, 13}, {200, 164}},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(MessageClientSize(rows[i].grid, rows[i].text), rows[i].client) << "row " << i;
}

TEST(MessageWindowLayout, ButtonRects)
{
    const struct
    {
        MessageButtonGrid grid;
        QSize client;
        int k;
        QRect rect;
    } rows[] = {
        /* 0*/ {{1, 80, 1}, {112, 104}, 1, {16, 64, 80, 24}},
        /* 1*/ {{1, 80, 1}, {183, 104}, 1, {51, 64, 80, 24}}, // (183 - 80) / 2 truncated
        /* 2*/ {{2, 80, 1}, {200, 104}, 1, {16, 64, 80, 24}},
        /* 3*/ {{2, 80, 1}, {200, 104}, 2, {104, 64, 80, 24}},
        // two rows: the first 30 pixels above the last
        /* 4*/ {{2, 80, 2}, {200, 134}, 1, {16, 64, 80, 24}},
        /* 5*/ {{2, 80, 2}, {200, 134}, 4, {104, 94, 80, 24}},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(MessageButtonRect(rows[i].grid, rows[i].client, rows[i].k), rows[i].rect)
            << "row " << i;
    }
}

} // namespace
