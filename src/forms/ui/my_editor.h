#pragma once

#include "forms/form_event_hook.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>
#include <vector>

class QWidget;

// The editors of a form make a tree beside its descriptions: each owns the
// controls of its field and its child editors, and destroying an editor
// destroys both. The base class is the plain editor of containers (a LIST
// row, a TABS page, a subform): each operation goes to the children.
class my_editor : public QObject
{
public:
    my_editor(QWidget* container, FormEventHook hook, my_record& record);
    ~my_editor() override;
    my_editor(const my_editor&) = delete;
    my_editor& operator=(const my_editor&) = delete;

    // Takes `child` into the tree and returns it.
    my_editor* Append(std::unique_ptr<my_editor> child);
    const std::vector<std::unique_ptr<my_editor>>& Children() const { return m_children; }
    QWidget* Container() const { return m_container; }
    // What a child editor shares with its parent.
    const FormEventHook& HookOf() const { return m_hook; }
    my_record& RecordOf() const { return m_record; }

    // Shows the value of `name` again when it is this editor's field, and
    // takes the focus where it can.
    virtual void refresh(const QString& name);
    // Gives the first editable control the focus; true when one took it.
    virtual bool focus_first();
    virtual QList<QWidget*> controls() const;
    virtual bool has_focus() const;
    // The wheel turned by `notches` (positive away from the user); true when
    // it was used.
    virtual bool wheel(int notches);
    // The focused field's name, "|" and its caret position; empty when no
    // field of this editor has the focus.
    virtual QString caret() const;
    virtual bool set_caret(const QString& name, int position);
    virtual bool screen_position(const QString& name, QPoint& point) const;
    // Stores and commits the focused field as leaving it would.
    virtual void commit();

protected:
    my_record& Record() const { return m_record; }
    // Destroys the child editors, last first, with their controls: all of
    // them, or those from the `first`.
    void DestroyChildren() { DestroyChildrenFrom(0); }
    void DestroyChildrenFrom(size_t first);
    std::optional<QStringList> Raise(FormEvent event, const QString& name) const;

private:
    QWidget* m_container;
    FormEventHook m_hook;
    my_record& m_record;
    std::vector<std::unique_ptr<my_editor>> m_children;
};
