#pragma once

#include "forms/ui/field_editor.h"

class QLineEdit;
class my_lineedit;

// FIELD: a single-line edit. Every change is stored at once and told to the
// form; LIMIT caps the length and PASSWORD hides the characters.
class ed_lineedit : public FieldEditor
{
public:
    // `narrower` leaves room at the right for a button of a derived editor.
    ed_lineedit(my_editor& parent, const my_lineedit& description, int dx, int dy,
                const QString& substitutions, int narrower = 0);

    QLineEdit* Edit() const;

protected:
    void ShowValue() override;
    void StoreValue() override;
    int CaretPosition() const override;
    void MoveCaret(int position) override;
};
