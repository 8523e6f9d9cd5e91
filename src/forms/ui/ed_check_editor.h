#pragma once

#include "forms/ui/field_editor.h"

class QCheckBox;
class my_check;

// CHECK: a check box storing "T" or "F" when clicked, nothing before.
class ed_check_editor : public FieldEditor
{
public:
    ed_check_editor(my_editor& parent, const my_check& description, int dx, int dy,
                    const QString& substitutions);

protected:
    void ShowValue() override;
    void ShowReadOnly(bool readOnly) override;

private:
    QCheckBox* Box() const;
};
