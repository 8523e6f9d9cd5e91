// Code 39 and its full-ASCII form, which spells every other character of
// 7-bit ASCII as a pair of Code 39 characters.
#include "reports/bars_encoders.h"

namespace bars {
namespace {

constexpr char kCharacters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. *$/+%";

// Nine elements per character (bar, space, ..., bar), 1 = wide; three wide
// elements each. In the order of kCharacters.
constexpr char kFlags[44][10] = {
    "000110100", "100100001", "001100001", "101100000", "000110001", // 0..4
    "100110000", "001110000", "000100101", "100100100", "001100100", // 5..9
    "100001001", "001001001", "101001000", "000011001", "100011000", // A..E
    "001011000", "000001101", "100001100", "001001100", "000011100", // F..J
    "100000011", "001000011", "101000010", "000010011", "100010010", // K..O
    "001010010", "000000111", "100000110", "001000110", "000010110", // P..T
    "110000001", "011000001", "111000000", "010010001", "110010000", // U..Y
    "011010000", "010000101", "110000100", "011000100", "010010100", // Z - . space *
    "010101000", "010100010", "010001010", "000101010",              // $ / + %
};

// Full ASCII: each character below 128 as one or two Code 39 characters.
constexpr char kFullAscii[128][3] = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", // 0..
    "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O", // 8..
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", // 16..
    "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E", // 24..
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", // 32..
    "/H", "/I", "/J", "/K", "/L", "-",  ".",  "/O", // 40..
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  // 48..
    "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J", // 56..
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  // 64..
    "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",  // 72..
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  // 80..
    "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O", // 88..
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", // 96..
    "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O", // 104..
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", // 112..
    "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T", // 120..
};

constexpr auto kPatterns = PatternsFromWideFlags(kFlags);
constexpr auto kIndex = IndexOf(kCharacters);
constexpr int kStartStop = 39; // "*"

static_assert(sizeof(kCharacters) - 1 == std::size(kFlags));
static_assert(kCharacters[kStartStop] == '*');

// Appends one data character followed by the narrow gap between characters.
// "*" would read as the end of the symbol, so like every other character the
// code cannot carry it is left out.
void AppendCharacter(char character, PatternWriter& pattern)
{
    const int index = kIndex[static_cast<unsigned char>(character)];
    if (index < 0 || index == kStartStop)
        return;
    pattern.Put(kPatterns[static_cast<std::size_t>(index)]);
    pattern.Put('0');
}

void AppendStart(PatternWriter& pattern)
{
    pattern.Put(kPatterns[kStartStop]);
    pattern.Put('0');
}

} // namespace

void EncodeCode39(const QByteArray& data, PatternWriter& pattern)
{
    AppendStart(pattern);
    for (const char character : data)
        AppendCharacter(character, pattern);
    pattern.Put(kPatterns[kStartStop]);
}

void EncodeCode39Extended(const QByteArray& data, PatternWriter& pattern)
{
    AppendStart(pattern);
    for (const char character : data) {
        const auto code = static_cast<unsigned char>(character);
        if (code >= 128)
            continue;
        for (const char* part = kFullAscii[code]; *part != '\0'; ++part)
            AppendCharacter(*part, pattern);
    }
    pattern.Put(kPatterns[kStartStop]);
}

} // namespace bars
