#pragma once

#include "forms/ui/ed_mask_editor.h"

class my_date;

// DATE: shown DD.MM.YYYY, kept YYYYMMDD; a date that is badly formed or
// does not exist adds its error to the record when the field is committed.
class ed_date : public ed_mask_editor
{
public:
    ed_date(my_editor& parent, const my_date& description, int dx, int dy,
            const QString& substitutions);

    QString convert(const QString& value, Direction direction) const override;

protected:
    void CheckCommitted() override;
};
