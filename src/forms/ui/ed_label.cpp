#include "forms/ui/ed_label.h"

#include "forms/form_descriptions.h"
#include "forms/form_substitutions.h"
#include "forms/ui/editor_geometry.h"
#include "forms/ui/field_editor.h"

#include <QLabel>

ed_label::ed_label(my_editor& parent, const my_label& description, int dx, int dy,
                   const QString& substitutions)
    : my_editor(parent.Container(), parent.HookOf(), parent.RecordOf())
{
    const bool numbered = dynamic_cast<const my_lp*>(&description) != nullptr;
    m_label = new QLabel(numbered ? ApplySubstitutions(description.caption, substitutions)
                                  : description.caption,
                         Container());
    m_label->setTextFormat(Qt::PlainText);
    m_label->setFont(FieldEditor::EditorFont(*Container(), false));
    m_label->move(EditorPosition(description, dx, dy));
    m_label->adjustSize();
    m_label->show();
}

ed_label::~ed_label()
{
    delete m_label;
}

QList<QWidget*> ed_label::controls() const
{
    QList<QWidget*> all = my_editor::controls();
    if (m_label)
        all.prepend(m_label);
    return all;
}
