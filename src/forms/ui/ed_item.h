#pragma once

#include <QAction>

class ed_menu;

// An item of a MENU's popup: choosing it asks the form for the action
// named by the item.
class ed_item : public QAction
{
    Q_OBJECT
public:
    // `name` has the substitutions applied already.
    ed_item(ed_menu& editor, QString name, const QString& caption, QObject* parent);
    const QString& Name() const { return m_name; }

private:
    ed_menu& m_editor;
    QString m_name;
};
