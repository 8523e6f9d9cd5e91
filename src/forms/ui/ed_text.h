#pragma once

#include "forms/ui/field_editor.h"

class TLRichEdit;
class my_text;

// TEXT: a memo showing what the form gives for the field (ESC commands for
// paragraphs, colours, background and style). It keeps nothing of its own:
// the form asks for the content again when the field is refreshed.
class ed_text : public FieldEditor
{
public:
    ed_text(my_editor& parent, const my_text& description, int dx, int dy,
            const QString& substitutions);

protected:
    void ShowValue() override;
    void Commit() override {}

private:
    TLRichEdit* Memo() const;
};
