#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class OperatorMessages;

// The words of a description line: split at runs of spaces, word 0 the
// keyword. Options are found among the parameters (never word 0) as the
// first word that begins with the option's name.
class ReportWords
{
public:
    explicit ReportWords(const QString& line);

    int Count() const;
    // Word `index`; a missing one shows "Brak oczekiwanego parametru w "
    // followed by the whole line in double quotes and gives the line's last
    // word instead.
    QString Word(int index, OperatorMessages& messages) const;
    // Index of the first parameter beginning with `name`, or -1.
    int Find(QStringView name) const;
    bool Has(QStringView name) const { return Find(name) >= 0; }
    const QString& Line() const { return m_line; }

private:
    QString m_line;
    QStringList m_words;
};
