#pragma once

#include "forms/edit_mask.h"
#include "forms/ui/field_editor.h"

class QLineEdit;
class my_mask;

// FIELD with MASK: a line edit that takes only what the mask allows. The
// record keeps what the mask shows (trailing spaces removed, literals only
// when the mask keeps them), converted by the kind of field; after a commit
// the stored value is shown again as it converts back.
class ed_mask_editor : public FieldEditor
{
public:
    ed_mask_editor(my_editor& parent, const my_mask& description, int dx, int dy,
                   const QString& substitutions);

    enum class Direction
    {
        ToShown,
        ToRecord
    };
    // A stored value to the mask's characters, or those back to a stored
    // value; the plain mask keeps them as they are.
    virtual QString convert(const QString& value, Direction direction) const;

    QLineEdit* Edit() const;

protected:
    void ShowValue() override;
    void StoreValue() override;
    void Commit() override;
    int CaretPosition() const override;
    void MoveCaret(int position) override;

    // The value stored when the operator changed the text.
    virtual void Stored() {}

private:
    EditMask m_mask;
};
