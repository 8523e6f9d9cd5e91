#include "reports/report_search.h"

#include <algorithm>

namespace {

constexpr QChar kEscape = u'\x1b';

// A value as the exports show it: ESC "1" stands for "&" inside a value.
bool ValueContains(QStringView value, const QString& text)
{
    if (!value.contains(kEscape))
        return value.contains(text, Qt::CaseInsensitive);
    QString shown = value.toString();
    shown.replace(QStringLiteral("\x1b"
                                 "1"),
                  QStringLiteral("&"));
    return shown.contains(text, Qt::CaseInsensitive);
}

// The values of a data line are what follows "&" name "=" up to the next
// "&"; whatever stands before the first "&" (a break line's "*") is no
// value.
bool LineContains(QStringView line, const QString& text)
{
    // Most lines hold no match at all: one look at the whole line settles
    // them before the fields are taken apart. A "&" searched for stands as
    // ESC "1" in the line, which that look would miss.
    if (!text.contains(u'&') && !line.contains(text, Qt::CaseInsensitive))
        return false;
    qsizetype at = line.indexOf(u'&');
    while (at >= 0) {
        const qsizetype next = line.indexOf(u'&', at + 1);
        const QStringView field = next < 0 ? line.mid(at + 1) : line.mid(at + 1, next - at - 1);
        const qsizetype equals = field.indexOf(u'=');
        if (equals >= 0 && ValueContains(field.mid(equals + 1), text))
            return true;
        at = next;
    }
    return false;
}

} // namespace

int FindInReport(const QStringList& data, const QString& text, int from)
{
    const int count = static_cast<int>(data.size());
    if (text.isEmpty() || count == 0)
        return 0;
    const int start = std::clamp(from, 1, count);
    for (int step = 0; step < count; ++step) {
        const int line = (start - 1 + step) % count + 1;
        if (LineContains(data.at(line - 1), text))
            return line;
    }
    return 0;
}
