#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <map>

// A visit list as the server writes it: a description with all three bands
// and TEXT, BAR and frame elements, then the data lines (about 200 bytes
// each, in the 8-bit code page), every so often a break line. About forty
// lines fill a preview page.
inline constexpr char kVisitListDescription[] =
    "[REPORT 800 ALIGN=STANDARD LEFT=20]\r\n"
    "[HEADER 110]\r\n"
    "TEXT #Odwiedziny_czytelni 400 20 SIZE=28 BOLD CENTER FIRST\r\n"
    "TEXT #Dzie\xf1:_&dzien 0 58 BOLD\r\n"
    "BOX 0 84 800 26\r\n"
    "[LINE 24]\r\n"
    "TEXT &lp 6 4 RIGHT\r\n"
    "TEXT &godzina 40 4\r\n"
    "TEXT &czytelnik 100 4 LIMIT 200\r\n"
    "TEXT &tytul 310 4 LIMIT 250\r\n"
    "TEXT &sygnatura#_/_&kategoria 570 4 LIMIT 120\r\n"
    "BAR &karta 700 3 90 18\r\n"
    "H 0 23 800\r\n"
    "[FOOTER 60]\r\n"
    "TEXT #Razem:_&suma 0 10 BOLD LAST\r\n"
    "TEXT #Strona_%P 400 34 CENTER\r\n"
    "[END]\r\n";

// Data line `number` (from 1); every `sectionEvery`th one is a break line.
inline QByteArray VisitListLine(int number, int sectionEvery)
{
    const QByteArray n = QByteArray::number(number);
    QByteArray line;
    if (number % sectionEvery == 0)
        line += '*';
    line += "&lp=" + n + "&godzina=" + QByteArray::number(9 + number % 9) + ":" +
            QByteArray::number(10 + number % 50) + "&czytelnik=Ma\xb3gorzata Wi\x9cniewska-" + n +
            "&tytul=Pan Tadeusz, czyli ostatni zajazd na Litwie \x1b"
            "1 inne " +
            n + "&sygnatura=II-" + n +
            "&kategoria=Czytelnia og\xf3lna&karta=" + QByteArray::number(100000 + number % 900000) +
            "&dzien=08.12.2026&uwagi=\"pilne\"\r\n";
    return line;
}

// The break lines cut a visit list into this many sections.
inline constexpr int kVisitListSections = 20;

// Writes a visit list of `lines` data lines to `path`; false when the file
// cannot be written.
inline bool WriteVisitList(const QString& path, int lines, int sections = kVisitListSections)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(kVisitListDescription) < 0)
        return false;
    const int sectionEvery = std::max(1, lines / std::max(sections, 1));
    QByteArray block;
    for (int i = 1; i <= lines; ++i) {
        block += VisitListLine(i, sectionEvery);
        // Written in blocks: a million lines do not fit in one array twice.
        if (block.size() > (1 << 20) || i == lines) {
            if (out.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return out.flush();
}

// A visit list of `lines` data lines, generated at the first call for that
// size and kept in a scratch folder for the whole run; empty when it could
// not be written.
inline QString VisitListFile(int lines)
{
    static QTemporaryDir folder;
    static std::map<int, QString> files;
    if (const auto found = files.find(lines); found != files.end())
        return found->second;
    const QString path = folder.filePath(QStringLiteral("report_%1.txt").arg(lines));
    return files.emplace(lines, WriteVisitList(path, lines) ? path : QString()).first->second;
}
