#pragma once

#include <QStringView>

#include <limits>

// Integers in configuration values: blanks around, an optional sign and
// decimal digits within the 32-bit range. False for anything else, and
// `value` is then left alone, so the caller's default stands.
bool ParseConfigInteger(QStringView text, int& value);

// The same for a narrower field (a byte, a 16-bit identifier): a number
// that does not fit counts as no number.
template <typename Integer> bool ParseNarrowInteger(QStringView text, Integer& value)
{
    int wide = 0;
    if (!ParseConfigInteger(text, wide) || wide < std::numeric_limits<Integer>::min() ||
        wide > std::numeric_limits<Integer>::max())
        return false;
    value = static_cast<Integer>(wide);
    return true;
}
