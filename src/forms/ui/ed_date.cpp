#include "forms/ui/ed_date.h"

#include "forms/date_validation.h"
#include "forms/form_descriptions.h"
#include "forms/form_record.h"
#include "forms/form_value_formats.h"

ed_date::ed_date(my_editor& parent, const my_date& description, int dx, int dy,
                 const QString& substitutions)
    : ed_mask_editor(parent, description, dx, dy, substitutions)
{
    // The base showed the value before it could convert it.
    ShowValue();
}

QString ed_date::convert(const QString& value, Direction direction) const
{
    return direction == Direction::ToShown ? DateStoredToMask(value) : DateMaskToStored(value);
}

void ed_date::CheckCommitted()
{
    ValidateDateField(Record(), FieldName());
}
