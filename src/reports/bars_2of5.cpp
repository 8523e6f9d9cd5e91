// The 2 of 5 family: interleaved, industrial and matrix. All three draw each
// digit with the same five wide/narrow flags; they differ in what carries
// them (bars and spaces, bars only, or both in turn).
#include "reports/bars_encoders.h"

namespace bars {
namespace {

// Element widths of the digits 0..9 (1 = wide), two wide of five.
constexpr char kDigitFlags[10][6] = {
    "00110", "10001", "01001", "11000", "00101", "10100", "01100", "00011", "10010", "01010",
};

const char* FlagsOf(char digit)
{
    return kDigitFlags[digit - '0'];
}

} // namespace

void EncodeInterleaved2of5(const QByteArray& data, PatternWriter& pattern)
{
    pattern.Put("5050");
    // The first digit of a pair rides on the bars, the second on the spaces
    // between them, so a digit without a partner has nowhere to go.
    for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
        const char* bars = FlagsOf(data[i]);
        const char* spaces = FlagsOf(data[i + 1]);
        for (int k = 0; k < 5; ++k) {
            pattern.Put(bars[k] == '1' ? '6' : '5');
            pattern.Put(spaces[k] == '1' ? '1' : '0');
        }
    }
    pattern.Put("605");
}

void EncodeIndustrial2of5(const QByteArray& data, PatternWriter& pattern)
{
    pattern.Put("606050");
    for (const char digit : data) {
        const char* flags = FlagsOf(digit);
        for (int k = 0; k < 5; ++k)
            pattern.Put(flags[k] == '1' ? "60" : "50", 2);
    }
    pattern.Put("605060");
}

void EncodeMatrix2of5(const QByteArray& data, PatternWriter& pattern)
{
    pattern.Put("705050");
    for (const char digit : data) {
        const char* flags = FlagsOf(digit);
        for (std::size_t k = 0; k < 5; ++k)
            pattern.Put(BarOrSpace(k, flags[k] == '1' ? 1 : 0));
        pattern.Put('0');
    }
    pattern.Put("70505");
}

} // namespace bars
