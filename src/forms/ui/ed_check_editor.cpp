#include "forms/ui/ed_check_editor.h"

#include "forms/form_descriptions.h"
#include "forms/form_record.h"
#include "forms/form_substitutions.h"
#include "forms/form_value_formats.h"
#include "forms/ui/editor_geometry.h"

#include <QCheckBox>

ed_check_editor::ed_check_editor(my_editor& parent, const my_check& description, int dx, int dy,
                                 const QString& substitutions)
    : FieldEditor(parent, ApplySubstitutions(description.fieldName, substitutions))
{
    Raise(FormEvent::Announce, FieldName());
    auto* box = new QCheckBox(description.caption, Container());
    box->setFont(EditorFont(*Container(), false));
    Adopt(box, SingleLineGeometry(description, dx, dy));
    QObject::connect(box, &QCheckBox::clicked, this, [this](bool ticked) {
        Store(CheckStoredValue(ticked));
        Record().RemoveErrorsFor(FieldName());
        Raise(FormEvent::Change, FieldName());
    });
}

QCheckBox* ed_check_editor::Box() const
{
    return static_cast<QCheckBox*>(Control());
}

void ed_check_editor::ShowValue()
{
    Box()->setChecked(CheckIsTicked(Record().Value(FieldName())));
}

void ed_check_editor::ShowReadOnly(bool readOnly)
{
    Box()->setEnabled(!readOnly);
}
