#include "forms/ui/ts_popup_menu_item.h"

#include <utility>

TSPopupMenuItem::TSPopupMenuItem(int index, const QString& caption, Callback onClick,
                                 QObject* parent)
    : QAction(caption, parent), m_index(index), m_onClick(std::move(onClick))
{
    connect(this, &QAction::triggered, this, [this] {
        if (m_onClick)
            m_onClick(m_index);
    });
}
