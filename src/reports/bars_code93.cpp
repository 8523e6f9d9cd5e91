// Code 93 and its full-ASCII form. Data writes the four shift characters
// ($), (%), (/), (+) as "[", "]", "{", "}".
#include "reports/bars_encoders.h"

namespace bars {
namespace {

constexpr char kCharacters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%[]{}";

// Module widths of the values 0..46 (bar, space, bar, space, bar, space),
// nine modules each, in the order of kCharacters.
constexpr char kModules[47][7] = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114", // 0..7
    "131211", "141111", "211113", "211212", "211311", "221112", "221211", "231111", // 8..F
    "112113", "112212", "112311", "122112", "132111", "111123", "111222", "111321", // G..N
    "121122", "131121", "212112", "212211", "211122", "211221", "221121", "222111", // O..V
    "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111", // W..$
    "112131", "113121", "211131", "121221", "312111", "311121", "122211",           // /..(+)
};

constexpr char kStartModules[1][7] = {"111141"};
// The stop is the start with a final bar.
constexpr char kStopModules[1][8] = {"1111411"};

// Full ASCII: each character below 128 as one or two Code 93 characters.
// Unlike Code 39, "$", "%", "/" and "+" stand for themselves: the shifts are
// characters of their own.
constexpr char kFullAscii[128][3] = {
    "]U", "[A", "[B", "[C", "[D", "[E", "[F", "[G", // 0..
    "[H", "[I", "[J", "[K", "[L", "[M", "[N", "[O", // 8..
    "[P", "[Q", "[R", "[S", "[T", "[U", "[V", "[W", // 16..
    "[X", "[Y", "[Z", "]A", "]B", "]C", "]D", "]E", // 24..
    " ",  "{A", "{B", "{C", "$",  "%",  "{F", "{G", // 32..
    "{H", "{I", "{J", "+",  "{L", "-",  ".",  "/",  // 40..
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  // 48..
    "8",  "9",  "{Z", "]F", "]G", "]H", "]I", "]J", // 56..
    "]V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  // 64..
    "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",  // 72..
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  // 80..
    "X",  "Y",  "Z",  "]K", "]L", "]M", "]N", "]O", // 88..
    "]W", "}A", "}B", "}C", "}D", "}E", "}F", "}G", // 96..
    "}H", "}I", "}J", "}K", "}L", "}M", "}N", "}O", // 104..
    "}P", "}Q", "}R", "}S", "}T", "}U", "}V", "}W", // 112..
    "}X", "}Y", "}Z", "]P", "]Q", "]R", "]S", "]T", // 120..
};

constexpr auto kPatterns = PatternsFromModules(kModules);
constexpr auto kStart = PatternsFromModules(kStartModules)[0];
constexpr auto kStop = PatternsFromModules(kStopModules)[0];
constexpr auto kIndex = IndexOf(kCharacters);

static_assert(sizeof(kCharacters) - 1 == std::size(kModules));

// The two checks weigh each character by its distance from the right end,
// so the encoder first learns how many characters there are (`count`), then
// walks them from the left, appending each and adding it to both sums.
class CheckedSymbol
{
public:
    CheckedSymbol(qsizetype count, PatternWriter& pattern) : m_remaining(count), m_pattern(pattern)
    {
        m_pattern.Put(kStart);
    }

    void Add(int value)
    {
        --m_remaining; // this character's distance from the right end
        m_c = (m_c + value * static_cast<int>(m_remaining % 20 + 1)) % 47;
        m_k = (m_k + value * static_cast<int>((m_remaining + 1) % 15 + 1)) % 47;
        m_pattern.Put(kPatterns[static_cast<std::size_t>(value)]);
    }

    // C with weight 1 in K, then C, K and the stop.
    void Finish()
    {
        m_k = (m_k + m_c) % 47;
        m_pattern.Put(kPatterns[static_cast<std::size_t>(m_c)]);
        m_pattern.Put(kPatterns[static_cast<std::size_t>(m_k)]);
        m_pattern.Put(kStop);
    }

private:
    qsizetype m_remaining;
    PatternWriter& m_pattern;
    int m_c = 0;
    int m_k = 0;
};

int ValueOf(char character)
{
    return kIndex[static_cast<unsigned char>(character)];
}

} // namespace

void EncodeCode93(const QByteArray& data, PatternWriter& pattern)
{
    for (const char character : data) {
        if (ValueOf(character) < 0)
            throw TBarcodeError(QStringLiteral("%1:Code93 bad Data <%2>")
                                    .arg(QLatin1String(kClassName), DataText(data)));
    }
    CheckedSymbol symbol(data.size(), pattern);
    for (const char character : data)
        symbol.Add(ValueOf(character));
    symbol.Finish();
}

void EncodeCode93Extended(const QByteArray& data, PatternWriter& pattern)
{
    // Characters from 128 up have no spelling and are left out.
    qsizetype count = 0;
    for (const char character : data) {
        const auto code = static_cast<unsigned char>(character);
        if (code < 128)
            count += kFullAscii[code][1] == '\0' ? 1 : 2;
    }
    CheckedSymbol symbol(count, pattern);
    for (const char character : data) {
        const auto code = static_cast<unsigned char>(character);
        if (code >= 128)
            continue;
        for (const char* part = kFullAscii[code]; *part != '\0'; ++part)
            symbol.Add(ValueOf(*part));
    }
    symbol.Finish();
}

} // namespace bars
