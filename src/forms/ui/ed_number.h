#pragma once

#include "forms/ui/ed_mask_editor.h"

class my_number;

// NUMBER: digits right-aligned in the stored text with the decimal
// separator of the time; a negative value is shown red.
class ed_number : public ed_mask_editor
{
public:
    ed_number(my_editor& parent, const my_number& description, int dx, int dy,
              const QString& substitutions);

    QString convert(const QString& value, Direction direction) const override;

protected:
    void Stored() override;

private:
    int m_digits;
    int m_decimals;
    bool m_signed;
};
