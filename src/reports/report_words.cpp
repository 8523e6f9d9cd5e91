#include "reports/report_words.h"

#include "operator_messages.h"

ReportWords::ReportWords(const QString& line)
    : m_line(line), m_words(line.split(u' ', Qt::SkipEmptyParts))
{}

int ReportWords::Count() const
{
    return static_cast<int>(m_words.size());
}

QString ReportWords::Word(int index, OperatorMessages& messages) const
{
    if (index >= 0 && index < m_words.size())
        return m_words.at(index);
    // The description goes on with something rather than nothing: the line's
    // last word, which usually makes the fault visible on the page.
    messages.ShowMessage(QStringLiteral("Brak oczekiwanego parametru w \"") + m_line +
                         QLatin1Char('"'));
    return m_words.isEmpty() ? QString() : m_words.constLast();
}

int ReportWords::Find(QStringView name) const
{
    for (qsizetype i = 1; i < m_words.size(); ++i) {
        if (m_words.at(i).startsWith(name))
            return static_cast<int>(i);
    }
    return -1;
}
