// The codes that belong to no family here: MSI, PostNet and Codabar.
#include "reports/bars_encoders.h"

namespace bars {
namespace {

// PostNet: five bars per digit, 1 = tall; two tall bars each.
constexpr char kPostNetTall[10][6] = {
    "11000", "00011", "00101", "00110", "01001", "01010", "01100", "10001", "10010", "10100",
};

constexpr char kCodabarCharacters[] = "0123456789-$:/.+ABCD";

// Seven elements per character (bar, space, ..., bar), 1 = wide, in the
// order of kCodabarCharacters.
constexpr char kCodabarFlags[20][8] = {
    "0000011", "0000110", "0001001", "1100000", "0010010", // 0..4
    "1000010", "0100001", "0100100", "0110000", "1001000", // 5..9
    "0001100", "0011000", "1000101", "1010001", "1010100", // - $ : / .
    "0010101", "0011010", "0101001", "0001011", "0001110", // + A B C D
};

constexpr auto kCodabarPatterns = PatternsFromWideFlags(kCodabarFlags);
constexpr auto kCodabarIndex = IndexOf(kCodabarCharacters);
constexpr std::size_t kCodabarStart = 16; // "A"
constexpr std::size_t kCodabarStop = 17;  // "B"

static_assert(sizeof(kCodabarCharacters) - 1 == std::size(kCodabarFlags));
static_assert(kCodabarCharacters[kCodabarStart] == 'A' && kCodabarCharacters[kCodabarStop] == 'B');

int DigitValue(char digit)
{
    return digit - '0';
}

void AppendMsiDigit(int digit, PatternWriter& pattern)
{
    for (int bit = 3; bit >= 0; --bit)
        pattern.Put((digit >> bit & 1) != 0 ? "60" : "51", 2);
}

// The modulo-10 check that scanners verify: counting from the right, every
// other digit starting with the last is doubled and the digits of the
// products are added to the remaining digits; the check digit brings the
// total up to a multiple of 10.
int MsiCheckDigit(const QByteArray& data)
{
    int sum = 0;
    bool doubled = true;
    for (qsizetype i = data.size() - 1; i >= 0; --i) {
        const int digit = DigitValue(data[i]);
        sum += doubled ? (digit * 2 > 9 ? digit * 2 - 9 : digit * 2) : digit;
        sum %= 10;
        doubled = !doubled;
    }
    return (10 - sum) % 10;
}

} // namespace

void EncodeMsi(const QByteArray& data, PatternWriter& pattern)
{
    pattern.Put("60");
    for (const char digit : data)
        AppendMsiDigit(DigitValue(digit), pattern);
    AppendMsiDigit(MsiCheckDigit(data), pattern);
    pattern.Put("515");
}

void EncodePostNet(const QByteArray& data, PatternWriter& pattern)
{
    pattern.Put("51");
    for (const char digit : data) {
        const char* tall = kPostNetTall[DigitValue(digit)];
        for (int k = 0; k < 5; ++k)
            pattern.Put(tall[k] == '1' ? "51" : "A1", 2);
    }
    pattern.Put('5');
}

void EncodeCodabar(const QByteArray& data, PatternWriter& pattern)
{
    // The symbol always starts with "A" and stops with "B"; those four
    // letters inside the data would end it early for a scanner, so only the
    // sixteen data characters are taken.
    for (const char character : data) {
        const int index = kCodabarIndex[static_cast<unsigned char>(character)];
        if (index < 0 || index >= static_cast<int>(kCodabarStart))
            throw TBarcodeError(QStringLiteral("%1:Codabar bad Data <%2>")
                                    .arg(QLatin1String(kClassName), DataText(data)));
    }
    pattern.Put(kCodabarPatterns[kCodabarStart]);
    pattern.Put('0');
    for (const char character : data) {
        pattern.Put(kCodabarPatterns[static_cast<std::size_t>(
            kCodabarIndex[static_cast<unsigned char>(character)])]);
        pattern.Put('0');
    }
    pattern.Put(kCodabarPatterns[kCodabarStop]);
}

} // namespace bars
