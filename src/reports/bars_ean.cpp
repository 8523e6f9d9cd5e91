// EAN-8 and EAN-13. The data carries its own check digit.
#include "reports/bars_encoders.h"

namespace bars {
namespace {

// Module widths of the digits 0..9 in set A (the L code: space, bar, space,
// bar) and set B (the G code); set C (the R code) has the widths of set A
// with bars and spaces swapped. Seven modules each.
constexpr char kSetAModules[10][5] = {
    "3211", "2221", "2122", "1411", "1132", "1231", "1114", "1312", "1213", "3112",
};
constexpr char kSetBModules[10][5] = {
    "1123", "1222", "2212", "1141", "2311", "1321", "4111", "2131", "3121", "2113",
};

// Which set each of digits 2..7 of an EAN-13 takes, by its first digit.
constexpr char kParity[10][7] = {
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA",
};

// Sets A and B begin with a space, set C with a bar.
constexpr auto SpaceFirst(const char (&modules)[10][5])
{
    std::array<std::array<char, 4>, 10> patterns{};
    for (std::size_t d = 0; d < 10; ++d)
        for (std::size_t e = 0; e < 4; ++e)
            patterns[d][e] = BarOrSpace(e + 1, modules[d][e] - '1');
    return patterns;
}

constexpr auto kSetA = SpaceFirst(kSetAModules);
constexpr auto kSetB = SpaceFirst(kSetBModules);
constexpr auto kSetC = PatternsFromModules(kSetAModules);

std::size_t Digit(char digit)
{
    return static_cast<std::size_t>(digit - '0');
}

void RequireLength(const QByteArray& data, qsizetype length, const char* error)
{
    if (data.size() != length)
        throw TBarcodeError(QString::fromLatin1(error));
}

} // namespace

void EncodeEan8(const QByteArray& data, PatternWriter& pattern)
{
    RequireLength(data, 8, "Invalid Text len (EAN8)");
    pattern.Put("505");
    for (qsizetype i = 0; i < 4; ++i)
        pattern.Put(kSetA[Digit(data[i])]);
    pattern.Put("05050");
    for (qsizetype i = 4; i < 8; ++i)
        pattern.Put(kSetC[Digit(data[i])]);
    pattern.Put("505");
}

void EncodeEan13(const QByteArray& data, PatternWriter& pattern)
{
    RequireLength(data, 13, "Invalid Text len (EAN13)");
    // The first digit is not drawn; it shows in which sets the next six are.
    const char* parity = kParity[Digit(data[0])];
    pattern.Put("505");
    for (qsizetype i = 1; i < 7; ++i) {
        const std::size_t digit = Digit(data[i]);
        pattern.Put(parity[i - 1] == 'A' ? kSetA[digit] : kSetB[digit]);
    }
    pattern.Put("05050");
    for (qsizetype i = 7; i < 13; ++i)
        pattern.Put(kSetC[Digit(data[i])]);
    pattern.Put("505");
}

} // namespace bars
