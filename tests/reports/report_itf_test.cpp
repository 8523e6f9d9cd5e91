#include "reports/report_itf.h"

#include <gtest/gtest.h>

namespace {

// Start "11 000 11 000" and stop "111111 000 11" around the pairs; in a
// pair the first character's widths make the bars (narrow "11", wide
// "111111") and the second's the spaces (narrow "000", wide "0000000").
TEST(ReportItf, Patterns)
{
    const struct
    {
        QByteArray digits;
        QByteArray pattern;
    } rows[] = {
        // "1" 10001 as bars, "2" 01001 as spaces:
        // W n, N w, N n, N n, W w.
        /* 0*/ {"12", QByteArray("1100011000") + "111111000" + "110000000" + "11000" + "11000" +
                          "1111110000000" + "11111100011"},
        // Odd: "12345" is encoded as "123450". "3" 11000 with "4" 00101:
        // W n, W n, N w, N n, N w; "5" 10100 with "0" 00110: W n, N n, W w,
        // N w, N n.
        /* 1*/
        {"12345", QByteArray("1100011000") + "111111000" + "110000000" + "11000" + "11000" +
                      "1111110000000" + "111111000" + "111111000" + "110000000" + "11000" +
                      "110000000" + "111111000" + "11000" + "1111110000000" + "110000000" +
                      "11000" + "11111100011"},
        /* 2*/ {"", ""},
        // Anything but "1" to "9" has the widths of "0" (00110).
        /* 3*/
        {"A", QByteArray("1100011000") + "11000" + "11000" + "1111110000000" + "1111110000000" +
                  "11000" + "11111100011"},
    };
    int index = 0;
    for (const auto& row : rows)
        EXPECT_EQ(ItfPattern(row.digits), row.pattern) << "row " << index++;
}

TEST(ReportItf, EveryPairTakesFortyOneModules)
{
    for (const QByteArray& digits :
         {QByteArray("0123456789"), QByteArray("9876543"), QByteArray("x-?")}) {
        const qsizetype pairs = (digits.size() + 1) / 2;
        const QByteArray pattern = ItfPattern(digits);
        EXPECT_EQ(pattern.size(), 21 + 41 * pairs) << digits.constData();
        EXPECT_TRUE(pattern.startsWith("1100011000")) << digits.constData();
        EXPECT_TRUE(pattern.endsWith("11111100011")) << digits.constData();
    }
}

} // namespace
