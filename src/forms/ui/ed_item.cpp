#include "forms/ui/ed_item.h"

#include "forms/ui/ed_menu.h"

ed_item::ed_item(ed_menu& editor, QString name, const QString& caption, QObject* parent)
    : QAction(caption, parent), m_editor(editor), m_name(std::move(name))
{
    connect(this, &QAction::triggered, this, [this] { m_editor.Choose(m_name); });
}
