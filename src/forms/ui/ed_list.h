#pragma once

#include "forms/list_rows.h"
#include "forms/ui/my_editor.h"

#include <QPointer>
#include <QScrollBar>

#include <memory>
#include <vector>

class QLabel;
class my_list;

// LIST: a few visible rows of a template onto rows numbered from 1, moved
// with a scroll bar. Every move builds the visible rows afresh for their
// row numbers; the values of rows out of sight stay in the record. Two
// green marks by the scroll bar show that rows above or below hold values
// and take the list there; the scroll bar's menu searches the rows.
class ed_list : public my_editor
{
public:
    ed_list(my_editor& parent, const my_list& description, int dx, int dy,
            const QString& substitutions);
    ~ed_list() override;

    QList<QWidget*> controls() const override;
    bool wheel(int notches) override;

    int Position() const { return m_position; }
    void ScrollTo(int row);
    // The scroll bar's "Wyszukaj tekst": asks for the text and moves to the
    // first row after the visible first one that holds it.
    void Search();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildRows();
    void ShowMarks();

    const my_list& m_description;
    QString m_substitutions;
    std::vector<ListRowField> m_fields;
    int m_rows;
    int m_position = 1;
    QPointer<QScrollBar> m_scrollBar;
    QPointer<QLabel> m_upper;
    QPointer<QLabel> m_lower;
    std::vector<QPointer<QWidget>> m_panels;
    bool m_scrolling = false;
};
