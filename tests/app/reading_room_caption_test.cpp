#include "app/reading_room_caption.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadingRoomCaption, BranchLabel)
{
    EXPECT_EQ(BranchLabel(QStringLiteral("Filia 3"), 12), QStringLiteral("Filia 3"));
    EXPECT_EQ(BranchLabel(QString(), 12), QStringLiteral("12"));
    EXPECT_EQ(BranchLabel(QString(), -5), QStringLiteral("-5"));
    EXPECT_EQ(BranchLabel(QString(), 0), QString());

    EXPECT_EQ(CaptionWithBranch(QStringLiteral("Czytelnia"), QStringLiteral("12")),
              QStringLiteral("Czytelnia [12]"));
    EXPECT_EQ(CaptionWithBranch(QStringLiteral("Czytelnia"), QString()),
              QStringLiteral("Czytelnia"));
}

TEST(ReadingRoomCaption, LayoutCaption)
{
    const QDate day(2026, 12, 8);
    // A named room replaces the caption with its branch label; an unnamed one
    // keeps it.
    EXPECT_EQ(
        LayoutCaption(QStringLiteral("Czytelnia główna"), QStringLiteral("Czytelnia [12]"), day),
        QStringLiteral("Czytelnia główna - 08.12.2026"));
    EXPECT_EQ(LayoutCaption(QString(), QStringLiteral("Czytelnia [12]"), day),
              QStringLiteral("Czytelnia [12] - 08.12.2026"));
    EXPECT_EQ(LayoutCaption(QString(), QStringLiteral("C"), QDate(987, 1, 2)),
              QStringLiteral("C - 02.01.0987"));
}

TEST(ReadingRoomCaption, ButtonCaption)
{
    EXPECT_EQ(ButtonCaption(QStringLiteral("Prasa"), 0), QStringLiteral("Prasa (0)"));
    EXPECT_EQ(ButtonCaption(QStringLiteral("Prasa"), -2147483647 - 1),
              QStringLiteral("Prasa (-2147483648)"));
}

} // namespace
