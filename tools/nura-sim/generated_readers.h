#pragma once

#include <QChar>
#include <QString>

#include <vector>

// A reader of the simulated library. The readers are made up from fixed
// lists of names and streets, the same on every start, so a report over
// them reads the same in every run of the demo and the tests.
struct GeneratedReader
{
    QString surname;
    QString firstName;
    QString address;
    // Eight digits, printed as an interleaved 2 of 5 bar code.
    QString card;
    // 'S' a student, 'U' a pupil, 'D' any other (adult) reader.
    QChar kind;
};

// Every reader, sorted by surname and first name in Polish alphabetical
// order.
const std::vector<GeneratedReader>& GeneratedReaders();

// A key that sorts names in Polish alphabetical order, whatever their case
// ("Łukasz" after "Lucyna" and before "Maria").
QString PolishSortKey(const QString& text);
