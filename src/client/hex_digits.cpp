#include "client/hex_digits.h"

#include <algorithm>

QChar HexDigit(int value)
{
    static const char digits[] = "0123456789ABCDEF";
    return QLatin1Char(digits[value & 0xF]);
}

QString HexWord(unsigned value)
{
    QString word(4, QLatin1Char('0'));
    for (int i = 3; i >= 0; --i) {
        word[i] = HexDigit(static_cast<int>(value & 0xF));
        value >>= 4;
    }
    return word;
}

int HexValue(QChar character)
{
    // The wire writes its escapes in upper case only.
    const char16_t c = character.unicode();
    if (c >= u'a' && c <= u'f')
        return 0;
    return std::max(0, HexDigitValue(c));
}

int HexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}
