#pragma once

#include <QByteArray>

// A report file of exactly `size` bytes: the end of the description, then
// data lines as the server writes them, in the 8-bit code page ("łó").
inline QByteArray GeneratedReport(qsizetype size)
{
    QByteArray report("[END]\r\n");
    report.reserve(size);
    for (int row = 0; report.size() < size; ++row)
        report += "&wiersz=" + QByteArray::number(row) +
                  "&tytul=Pan Tadeusz \xb3\xf3&sygnatura=II-4711&kod=9788301234567\r\n";
    report.truncate(size);
    return report;
}
