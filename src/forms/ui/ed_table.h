#pragma once

#include "forms/ui/my_editor.h"

#include <QPointer>
#include <QTableWidget>

#include <vector>

class my_table;

// TABLE: a grid of cells, each editing one value: the column's name
// template with the row's number. Locked cells cannot be chosen and show
// their text grey and wrapped. The form hears of each cell's editing
// (announce, focus, change, and commit when another cell is chosen).
class ed_table : public my_editor
{
public:
    ed_table(my_editor& parent, const my_table& description, int dx, int dy,
             const QString& substitutions);
    ~ed_table() override;

    void refresh(const QString& name) override;
    bool focus_first() override;
    QList<QWidget*> controls() const override;
    bool has_focus() const override;
    void commit() override;

    // What the cell delegate reports.
    QString CellName(int row, int column) const;
    bool IsLocked(int row, int column) const;
    void EditingStarted(int row, int column);
    void Edited(const QString& text);

private:
    void ShowCell(int row, int column);
    void CurrentCellChanged(int row, int column, int previousRow, int previousColumn);

    QPointer<QTableWidget> m_table;
    // Cell names by column, then row.
    std::vector<QStringList> m_names;
    QString m_editing;
    bool m_moving = false;
};
