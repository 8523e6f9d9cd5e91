#include "forms/cell_text_wrap.h"

QStringList WrapCellText(const QString& text, int width, int maxLines,
                         const std::function<int(const QString&)>& measure)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + u' ' + word;
        if (line.isEmpty() || measure(longer) <= width) {
            line = longer;
        } else {
            lines << line;
            line = word;
        }
    }
    if (!line.isEmpty())
        lines << line;
    if (lines.size() <= std::max(maxLines, 1))
        return lines;
    lines = lines.mid(0, std::max(maxLines, 1));
    QString& last = lines.last();
    const QString ellipsis = QStringLiteral("...");
    while (!last.isEmpty() && measure(last + ellipsis) > width) {
        const qsizetype space = last.lastIndexOf(u' ');
        last = space < 0 ? QString() : last.left(space);
    }
    last += ellipsis;
    return lines;
}
