#pragma once

#include "forms/ui/field_editor.h"

class QSpinBox;
class my_spin;

// SPIN: a number between the minimum and the maximum, stored right-aligned
// in "digits" characters. A stored value that is no number is replaced at
// once.
class ed_spinedit : public FieldEditor
{
public:
    ed_spinedit(my_editor& parent, const my_spin& description, int dx, int dy,
                const QString& substitutions);

protected:
    void ShowValue() override;
    void StoreValue() override;

private:
    QSpinBox* Spin() const;

    int m_digits;
    int m_minimum;
    int m_maximum;
};
