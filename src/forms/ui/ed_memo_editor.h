#pragma once

#include "forms/ui/field_editor.h"

class TLRichEdit;
class my_memo;

// MEMO: a rich memo of its own size. Every change is stored at once; a
// MULTILINE memo keeps its line breaks as paragraph marks, a single-line
// one loses its control characters when it is left. LIMIT caps the length.
class ed_memo_editor : public FieldEditor
{
public:
    ed_memo_editor(my_editor& parent, const my_memo& description, int dx, int dy,
                   const QString& substitutions);

protected:
    void ShowValue() override;
    void StoreValue() override;
    int CaretPosition() const override;
    void MoveCaret(int position) override;

private:
    TLRichEdit* Memo() const;
    void TextChanged();

    int m_maxLength;
    bool m_multiLine;
    // Set while the record's value is put into the memo, which is no edit.
    bool m_showing = false;
};
