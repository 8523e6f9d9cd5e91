#include "config/wildcard_match.h"

namespace {

// Whether the pattern element at `p` matches `c`; `length` receives how many
// pattern characters that element takes (2 for an escaped character).
bool ElementMatches(const QString& pattern, qsizetype p, QChar c, qsizetype& length)
{
    const QChar element = pattern[p];
    if (element == QLatin1Char('\\')) {
        const bool last = p + 1 == pattern.size();
        length = last ? 1 : 2;
        return c == (last ? element : pattern[p + 1]);
    }
    length = 1;
    return element == QLatin1Char('?') || element == c;
}

} // namespace

// The classic greedy match with one backtracking point: when a later element
// fails, only the most recent "*" needs to swallow one more character, because
// any earlier star's choices are subsumed by it. That keeps the work at
// text length times pattern length at worst, with no recursion.
bool WildcardMatch(const QString& text, const QString& pattern)
{
    const qsizetype textSize = text.size();
    const qsizetype patternSize = pattern.size();
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype afterStar = -1; // pattern position behind the last "*" seen
    qsizetype starText = 0;   // text position where that star's run ends so far
    while (t < textSize) {
        qsizetype length = 0;
        if (p < patternSize && pattern[p] == QLatin1Char('*')) {
            afterStar = ++p;
            starText = t;
        } else if (p < patternSize && ElementMatches(pattern, p, text[t], length)) {
            p += length;
            ++t;
        } else if (afterStar >= 0) {
            p = afterStar;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < patternSize && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == patternSize;
}
