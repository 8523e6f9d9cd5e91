#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The columns of the table exports (CSV and tab): the fields the line band's
// TEXT elements show, so a spreadsheet gets what the printed lines show.
class ExportColumns
{
public:
    // Takes the names from the TEXT elements of the first "[LINE" band of
    // `description`: every "&" of a TEXT expression starts a name, which runs
    // to the next "#", "%" or "&". Repeated names stay, in order.
    explicit ExportColumns(const QStringList& description);

    const QStringList& Names() const { return m_names; }
    int Count() const { return static_cast<int>(m_names.size()); }
    // The cell of column `column` in a data line: the field's value with
    // ESC "1" turned back into "&", empty when the line lacks the field.
    QString Cell(QStringView dataLine, int column) const;

private:
    QStringList m_names;
    QStringList m_needles; // "&" name "=" for each column
};
