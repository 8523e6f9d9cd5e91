#pragma once

#include "forms/ui/field_editor.h"

class TSMemo;
class my_markedit;

// MARKERS: a marker memo set up from the field's MASK. The memo tells of
// every change of its stored text, which is kept when it differs from the
// record's; leaving the field drops the control characters.
class ed_mark_editor : public FieldEditor
{
public:
    ed_mark_editor(my_editor& parent, const my_markedit& description, int dx, int dy,
                   const QString& substitutions);

protected:
    void ShowValue() override;
    void StoreValue() override;
    int CaretPosition() const override;
    void MoveCaret(int position) override;

private:
    TSMemo* Memo() const;
    void TextChanged();
};
