#pragma once

#include <QChar>
#include <QString>

// Upper-case hexadecimal digits as the wire escapes and the protocol write them.

// "0".."9", "A".."F" for 0..15.
QChar HexDigit(int value);
// Four upper-case digits of the low 16 bits of value.
QString HexWord(unsigned value);
// 0..15 for "0".."9" and "A".."F"; 0 for anything else (lower case included).
int HexValue(QChar character);
// 0..15 for a hexadecimal digit of either case; -1 for anything else.
int HexDigitValue(char16_t character);
