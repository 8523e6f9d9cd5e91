#pragma once

#include <QString>

class my_report;
class OperatorMessages;

// One export format of the save dialog: its filter ("description|*.ext")
// and how it writes a report.
class my_save
{
public:
    explicit my_save(QString filter) : m_filter(std::move(filter)) {}
    virtual ~my_save() = default;
    my_save(const my_save&) = delete;
    my_save& operator=(const my_save&) = delete;

    const QString& filter() const { return m_filter; }
    // Writes `report` to `file`, whatever its extension. Failures go to
    // `messages` ("Błąd zapisywania pliku", "Niedostępne dla tego
    // zestawienia"); false when the file is not complete.
    virtual bool save(my_report& report, const QString& file, OperatorMessages& messages) = 0;

private:
    QString m_filter;
};
