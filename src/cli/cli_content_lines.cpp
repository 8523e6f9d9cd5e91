#include "cli/cli_content_lines.h"

#include "client/ansi_code_page.h"

QStringList ContentLines(const QByteArray& bytes)
{
    QStringList lines;
    QList<QByteArray> rawLines = bytes.split('\n');
    if (!rawLines.isEmpty() && rawLines.last().isEmpty())
        rawLines.removeLast();
    for (QByteArray& line : rawLines) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines << DecodeCodePage(line);
    }
    return lines;
}
