#include "forms/ui/ed_combo_editor.h"

#include "forms/form_descriptions.h"
#include "forms/form_record.h"
#include "forms/form_substitutions.h"
#include "forms/ui/editor_geometry.h"

#include <QComboBox>

namespace {

constexpr int kMostLinesDropped = 35;

} // namespace

ed_combo_editor::ed_combo_editor(my_editor& parent, const my_combo& description, int dx, int dy,
                                 const QString& substitutions)
    : FieldEditor(parent, ApplySubstitutions(description.fieldName, substitutions)),
      m_values(description.values)
{
    Raise(FormEvent::Announce, FieldName());
    auto* list = new QComboBox(Container());
    list->setEditable(false);
    list->setMaxVisibleItems(kMostLinesDropped);
    list->setFont(EditorFont(*Container(), true));
    list->addItems(description.labels);
    if (!m_values.isEmpty() && !m_values.contains(Record().Value(FieldName())))
        Store(m_values.first());
    Adopt(list, SingleLineGeometry(description, dx, dy));
    QObject::connect(list, &QComboBox::activated, this, [this](int index) {
        if (index < 0 || index >= m_values.size())
            return;
        Store(m_values[index]);
        Record().RemoveErrorsFor(FieldName());
        Raise(FormEvent::Change, FieldName());
    });
}

QComboBox* ed_combo_editor::List() const
{
    return static_cast<QComboBox*>(Control());
}

void ed_combo_editor::ShowValue()
{
    List()->setCurrentIndex(static_cast<int>(m_values.indexOf(Record().Value(FieldName()))));
}

void ed_combo_editor::ShowReadOnly(bool readOnly)
{
    FieldEditor::ShowReadOnly(readOnly);
    List()->setEnabled(!readOnly);
}
