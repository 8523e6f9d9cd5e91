#pragma once

#include "client/ansi_codec.h"
#include "print_output.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>

// A report file of `lines` numbered data lines, ten to a page whatever the
// paper, so its pages are known before it is printed: "Strona N" heads
// page N, "Wiersz N" is data line N, and "Koniec raportu" closes the last
// page.
inline QByteArray NumberedReport(int lines)
{
    QStringList text = {
        QStringLiteral("[REPORT 800 ALIGN=CONST 10]"),   QStringLiteral("[HEADER 40]"),
        QStringLiteral("TEXT #Strona_%P 0 0 SIZE=14"),   QStringLiteral("[LINE 30]"),
        QStringLiteral("TEXT #Wiersz_&n 0 0"),           QStringLiteral("[FOOTER 40]"),
        QStringLiteral("TEXT #Koniec_raportu 0 0 LAST"), QStringLiteral("[END]")};
    for (int line = 1; line <= lines; ++line)
        text << QStringLiteral("&n=%1").arg(line);
    return EncodeAnsi(text.join(u'\n'));
}

// Whether `output` holds exactly pages `from` to `to` of NumberedReport(lines),
// one sheet each, with `footnote` on every sheet: empty when it does,
// otherwise what differs.
inline QString CheckNumberedPages(const PrintOutput& output, int lines, int from, int to,
                                  const QString& footnote)
{
    QStringList problems;
    if (output.Pages() != to - from + 1)
        problems
            << QStringLiteral("%1 sheets instead of %2").arg(output.Pages()).arg(to - from + 1);
    for (int page = from; page <= to && problems.isEmpty(); ++page) {
        const int sheet = page - from + 1;
        QList<int> expected;
        for (int line = (page - 1) * 10 + 1; line <= std::min(page * 10, lines); ++line)
            expected << line;
        const QString text = output.PageText(sheet);
        const bool last = page * 10 >= lines;
        if (output.NumbersAfter(QStringLiteral("Strona"), sheet) != QList<int>{page} ||
            output.NumbersAfter(QStringLiteral("Wiersz"), sheet) != expected ||
            text.contains(QStringLiteral("Koniec raportu")) != last || !text.contains(footnote))
            problems
                << QStringLiteral("sheet %1 is not page %2:\n%3").arg(sheet).arg(page).arg(text);
    }
    return problems.join(u'\n');
}
