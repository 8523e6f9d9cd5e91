#pragma once

#include "forms/ui/my_editor.h"

#include <QLabel>
#include <QMenu>
#include <QPointer>

class my_menu;
struct FormMenuItem;

// MENU: an underlined caption or a picture that pops up a menu of actions.
// Pressing a mouse button on the caption, or clicking the picture, opens
// the menu where the mouse is.
class ed_menu : public my_editor
{
public:
    ed_menu(my_editor& parent, const my_menu& description, int dx, int dy,
            const QString& substitutions);
    ~ed_menu() override;

    QList<QWidget*> controls() const override;
    // An item was chosen: the form hears of the action `name`.
    void Choose(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddItems(QMenu& menu, const std::vector<FormMenuItem>& items,
                  const QString& substitutions);

    QPointer<QLabel> m_label;
    QMenu* m_menu = nullptr;
    bool m_opensOnPress = false;
};
