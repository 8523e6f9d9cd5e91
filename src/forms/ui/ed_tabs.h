#pragma once

#include "forms/ui/my_editor.h"

#include <QPointer>
#include <QTabWidget>

class my_tabs;

// One page of a TABS control: the editor of the page's fields, which stand
// on the page's scrolling area. Showing a page puts the focus on its first
// editable field, and only the page shown answers for the first field.
class ed_tabs : public my_editor
{
public:
    // `content` is the page's area; `ownsTabs` makes this editor destroy
    // the page control with itself.
    ed_tabs(my_editor& parent, QTabWidget& tabs, int index, QWidget& content, bool ownsTabs);
    ~ed_tabs() override;

    bool focus_first() override;

private:
    bool IsShown() const;

    QPointer<QTabWidget> m_tabs;
    int m_index;
    bool m_ownsTabs;
};

// Builds the page control of `description` on the parent's container and an
// ed_tabs editor for each page into the parent.
void BuildTabs(const my_tabs& description, my_editor& parent, int dx, int dy,
               const QString& substitutions);
