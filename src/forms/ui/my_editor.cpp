#include "forms/ui/my_editor.h"

#include <QWidget>

my_editor::my_editor(QWidget* container, FormEventHook hook, my_record& record)
    : m_container(container), m_hook(std::move(hook)), m_record(record)
{}

// Children go first: their controls may stand on a container of ours.
my_editor::~my_editor()
{
    DestroyChildren();
}

void my_editor::DestroyChildrenFrom(size_t first)
{
    while (m_children.size() > first)
        m_children.pop_back();
}

my_editor* my_editor::Append(std::unique_ptr<my_editor> child)
{
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

void my_editor::refresh(const QString& name)
{
    for (const auto& child : m_children)
        child->refresh(name);
}

bool my_editor::focus_first()
{
    for (const auto& child : m_children) {
        if (child->focus_first())
            return true;
    }
    return false;
}

QList<QWidget*> my_editor::controls() const
{
    QList<QWidget*> all;
    for (const auto& child : m_children)
        all += child->controls();
    return all;
}

bool my_editor::has_focus() const
{
    for (const auto& child : m_children) {
        if (child->has_focus())
            return true;
    }
    return false;
}

bool my_editor::wheel(int notches)
{
    for (const auto& child : m_children) {
        if (child->has_focus())
            return child->wheel(notches);
    }
    return false;
}

QString my_editor::caret() const
{
    for (const auto& child : m_children) {
        const QString text = child->caret();
        if (!text.isEmpty())
            return text;
    }
    return QString();
}

bool my_editor::set_caret(const QString& name, int position)
{
    for (const auto& child : m_children) {
        if (child->set_caret(name, position))
            return true;
    }
    return false;
}

bool my_editor::screen_position(const QString& name, QPoint& point) const
{
    for (const auto& child : m_children) {
        if (child->screen_position(name, point))
            return true;
    }
    return false;
}

void my_editor::commit()
{
    for (const auto& child : m_children)
        child->commit();
}

std::optional<QStringList> my_editor::Raise(FormEvent event, const QString& name) const
{
    return m_hook ? m_hook(event, m_record, name) : std::nullopt;
}
