#include "forms/ui/ed_spinedit.h"

#include "forms/form_descriptions.h"
#include "forms/form_record.h"
#include "forms/form_substitutions.h"
#include "forms/form_value_formats.h"
#include "forms/ui/editor_geometry.h"

#include <QSpinBox>

ed_spinedit::ed_spinedit(my_editor& parent, const my_spin& description, int dx, int dy,
                         const QString& substitutions)
    : FieldEditor(parent, ApplySubstitutions(description.fieldName, substitutions)),
      m_digits(description.digits), m_minimum(description.minimum), m_maximum(description.maximum)
{
    Raise(FormEvent::Announce, FieldName());
    Store(
        FormatSpinValue(SpinValueOf(Record().Value(FieldName()), m_minimum, m_maximum), m_digits));
    auto* spin = new QSpinBox(Container());
    spin->setRange(m_minimum, m_maximum);
    spin->setFont(EditorFont(*Container(), true));
    Adopt(spin, SingleLineGeometry(description, dx, dy));
    QObject::connect(spin, &QSpinBox::valueChanged, this, [this] {
        StoreValue();
        Raise(FormEvent::Change, FieldName());
    });
}

QSpinBox* ed_spinedit::Spin() const
{
    return static_cast<QSpinBox*>(Control());
}

void ed_spinedit::ShowValue()
{
    const QSignalBlocker quiet(Spin());
    Spin()->setValue(
        static_cast<int>(SpinValueOf(Record().Value(FieldName()), m_minimum, m_maximum)));
}

void ed_spinedit::StoreValue()
{
    Store(FormatSpinValue(Spin()->value(), m_digits));
}
