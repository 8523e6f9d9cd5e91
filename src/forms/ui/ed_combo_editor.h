#pragma once

#include "forms/ui/field_editor.h"

class QComboBox;
class my_combo;

// COMBO: a drop-down list of the labels storing the chosen entry's value. A
// value that is not in the list is replaced by the first entry's at once.
class ed_combo_editor : public FieldEditor
{
public:
    ed_combo_editor(my_editor& parent, const my_combo& description, int dx, int dy,
                    const QString& substitutions);

protected:
    void ShowValue() override;
    void ShowReadOnly(bool readOnly) override;

private:
    QComboBox* List() const;

    QStringList m_values;
};
