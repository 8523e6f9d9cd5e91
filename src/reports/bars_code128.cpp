// Code 128 in one code set per symbol: A (upper case and control
// characters), B (printable ASCII) or C (pairs of digits).
#include "reports/bars_encoders.h"

namespace bars {
namespace {

// Module widths of the symbol values 0..105 (bar, space, bar, space, bar,
// space), eleven modules each; 103..105 are the starts of sets A, B and C.
constexpr char kModules[106][7] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", // 0..
    "132212", "221213", "221312", "231212", "112232", "122132", "122231", "113222", // 8..
    "123122", "123221", "223211", "221132", "221231", "213212", "223112", "312131", // 16..
    "311222", "321122", "321221", "312212", "322112", "322211", "212123", "212321", // 24..
    "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313", // 32..
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", // 40..
    "313121", "211331", "231131", "213113", "213311", "213131", "311123", "311321", // 48..
    "331121", "312113", "312311", "332111", "314111", "221411", "431111", "111224", // 56..
    "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114", // 64..
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", // 72..
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", // 80..
    "421211", "212141", "214121", "412121", "111143", "111341", "131141", "114113", // 88..
    "114311", "411113", "411311", "113141", "114131", "311141", "411131", "211412", // 96..
    "211214", "211232",                                                             // 104..
};

// The stop symbol has a seventh element, the final bar.
constexpr char kStopModules[1][8] = {"2331112"};

constexpr auto kPatterns = PatternsFromModules(kModules);
constexpr auto kStop = PatternsFromModules(kStopModules)[0];

constexpr int kStartA = 103;
constexpr int kStartB = 104;
constexpr int kStartC = 105;
// A character the set cannot carry is sent as value 0, the space.
constexpr int kUnknown = 0;

// Set A: space to "_" are 0..63, the control characters NUL..US 64..95.
int ValueInSetA(unsigned char code)
{
    if (code >= 32 && code <= 95)
        return code - 32;
    if (code < 32)
        return code + 64;
    return kUnknown;
}

// Set B: space to DEL are 0..95.
int ValueInSetB(unsigned char code)
{
    return code >= 32 && code <= 127 ? code - 32 : kUnknown;
}

// Start, the values, the check symbol and stop. The check is the start value
// plus each value times its position, modulo 103; it is kept reduced as it
// goes so that long data cannot overflow it.
template <typename NextValue>
void AppendSymbol(int start, qsizetype count, NextValue&& nextValue, PatternWriter& pattern)
{
    pattern.Put(kPatterns[static_cast<std::size_t>(start)]);
    qint64 check = start % 103;
    for (qsizetype position = 1; position <= count; ++position) {
        const int value = nextValue();
        pattern.Put(kPatterns[static_cast<std::size_t>(value)]);
        check = (check + value * (position % 103)) % 103;
    }
    pattern.Put(kPatterns[static_cast<std::size_t>(check)]);
    pattern.Put(kStop);
}

template <typename Lookup>
void EncodeOneCharacterPerValue(int start, Lookup&& lookup, const QByteArray& data,
                                PatternWriter& pattern)
{
    const char* next = data.constData();
    AppendSymbol(
        start, data.size(), [&] { return lookup(static_cast<unsigned char>(*next++)); }, pattern);
}

} // namespace

void EncodeCode128A(const QByteArray& data, PatternWriter& pattern)
{
    EncodeOneCharacterPerValue(kStartA, ValueInSetA, data, pattern);
}

void EncodeCode128B(const QByteArray& data, PatternWriter& pattern)
{
    EncodeOneCharacterPerValue(kStartB, ValueInSetB, data, pattern);
}

void EncodeCode128C(const QByteArray& data, PatternWriter& pattern)
{
    // Set C carries two digits per symbol; half a pair cannot be written.
    if (data.size() % 2 != 0)
        throw TBarcodeError(QStringLiteral("Invalid Text len (Code128C)"));
    const char* next = data.constData();
    AppendSymbol(
        kStartC, data.size() / 2,
        [&] {
            const int value = (next[0] - '0') * 10 + (next[1] - '0');
            next += 2;
            return value;
        },
        pattern);
}

} // namespace bars
