#include "config/config_integer.h"

#include "config/config_text.h"

#include <limits>

bool ParseConfigInteger(QStringView text, int& value)
{
    const QStringView trimmed = TrimBlanks(text);
    qsizetype i = 0;
    const bool negative = !trimmed.isEmpty() && trimmed[0] == QLatin1Char('-');
    if (!trimmed.isEmpty() && (negative || trimmed[0] == QLatin1Char('+')))
        i = 1;
    if (i == trimmed.size())
        return false;
    // Accumulated as a magnitude one past the largest positive value, so
    // that the most negative number fits and overflow stops early.
    const long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long magnitude = 0;
    for (; i < trimmed.size(); ++i) {
        const char16_t c = trimmed[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            return false;
    }
    if (!negative && magnitude == limit)
        return false;
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}
