#include "reports/report_itf.h"

namespace {

// Wide ("1") and narrow ("0") elements of each digit; any other character,
// "0" included, takes the widths of "0".
const char* Widths(char digit)
{
    static constexpr const char* kDigits[] = {"00110", "10001", "01001", "11000", "00101",
                                              "10100", "01100", "00011", "10010", "01010"};
    if (digit >= '1' && digit <= '9')
        return kDigits[digit - '0'];
    return kDigits[0];
}

} // namespace

QByteArray ItfPattern(QByteArray digits)
{
    if (digits.isEmpty())
        return {};
    if (digits.size() % 2 != 0)
        digits.append('0');
    QByteArray pattern;
    // Every pair holds four wide and six narrow elements: 41 modules.
    pattern.reserve(21 + digits.size() / 2 * 41);
    pattern.append("1100011000");
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        const char* bars = Widths(digits.at(i));
        const char* spaces = Widths(digits.at(i + 1));
        for (int k = 0; k < 5; ++k) {
            pattern.append(bars[k] == '0' ? "11" : "111111");
            pattern.append(spaces[k] == '0' ? "000" : "0000000");
        }
    }
    pattern.append("11111100011");
    return pattern;
}
