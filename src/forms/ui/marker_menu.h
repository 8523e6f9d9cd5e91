#pragma once

#include "forms/ui/ts_popup_menu_item.h"

#include <QMenu>
#include <QPoint>

#include <vector>

class QGridLayout;
class QToolButton;

// The menu of markers that typing the marker character opens: one item per
// definition, a fixed number to a column. A menu lays its items out in
// columns only when they outgrow the screen, so the items are buttons in a
// grid inside the menu; their code letters still choose them as a menu's
// accelerators do.
class MarkerMenu : public QMenu
{
    Q_OBJECT
public:
    explicit MarkerMenu(QWidget* parent);

    // Replaces the items; item i goes to column i / rows, row i % rows.
    void SetItems(const QStringList& captions, int rows, const TSPopupMenuItem::Callback& onClick);
    const std::vector<TSPopupMenuItem*>& Items() const { return m_items; }
    // Column (x) and row (y) of an item.
    QPoint Cell(int index) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Choose(size_t index);
    void MoveFocus(int step);

    QWidget* m_grid;
    QGridLayout* m_layout;
    std::vector<TSPopupMenuItem*> m_items;
    std::vector<QToolButton*> m_buttons;
    int m_rows = 1;
};
