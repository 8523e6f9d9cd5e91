#include "forms/ui/ed_number.h"

#include "forms/form_descriptions.h"
#include "forms/form_record.h"
#include "forms/form_value_formats.h"

#include <QLineEdit>

ed_number::ed_number(my_editor& parent, const my_number& description, int dx, int dy,
                     const QString& substitutions)
    : ed_mask_editor(parent, description, dx, dy, substitutions), m_digits(description.digits),
      m_decimals(description.decimals), m_signed(description.isSigned)
{
    // The base showed the value before it could convert it.
    ShowValue();
}

QString ed_number::convert(const QString& value, Direction direction) const
{
    return direction == Direction::ToShown
               ? NumberStoredToMask(value, m_digits, m_decimals, m_signed)
               : NumberMaskToStored(value, m_digits, m_decimals);
}

void ed_number::Stored()
{
    QPalette palette = Edit()->palette();
    palette.setColor(QPalette::Text, NumberIsNegative(Record().Value(FieldName()))
                                         ? QColor(Qt::red)
                                         : Edit()->palette().color(QPalette::WindowText));
    Edit()->setPalette(palette);
}
