// The options a print job is sent with.
#include "printer/print_job_options.h"

#include <gtest/gtest.h>

namespace {

QStringList L(const char* text)
{
    return QString::fromLatin1(text).split(u' ');
}

TEST(PrintJobOptionsTest, PrinterSettingsThenTheDriversOwn)
{
    const struct
    {
        int row;
        PrintJobSettings settings;
        QStringList options;
    } rows[] = {
        {0, {}, L("sides one-sided")},
        {1,
         {QStringLiteral("A5"), 3, true, DMDUP_VERTICAL, false, {}},
         L("media A5 copies 3 Collate True sides two-sided-long-edge")},
        // Collating means nothing for one copy.
        {2,
         {QStringLiteral("A4"), 1, true, DMDUP_HORIZONTAL, false, {}},
         L("media A4 sides two-sided-short-edge")},
        {3,
         {QStringLiteral("A4"), 2, false, DMDUP_SIMPLEX, true, L("ColorModel gray sides x Odd")},
         QStringList({QStringLiteral("media"), QStringLiteral("A4"), QStringLiteral("copies"),
                      QStringLiteral("2"), QStringLiteral("sides"), QStringLiteral("one-sided"),
                      QStringLiteral("landscape"), QString(), QStringLiteral("ColorModel"),
                      QStringLiteral("gray")})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << row.row);
        EXPECT_EQ(PrintJobOptions(row.settings), row.options);
    }
}

} // namespace
