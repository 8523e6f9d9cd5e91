#pragma once

#include "forms/ui/field_editor.h"

// The buttons of a form (BUTTON, SPEED): they hold no value and only ask
// the form for their action; a read-only one is disabled.
class ActionEditor : public FieldEditor
{
public:
    using FieldEditor::FieldEditor;

protected:
    void ShowValue() override {}
    void ShowReadOnly(bool readOnly) override;
    void Commit() override {}
    bool AnnouncesFocus() const override { return false; }
    // A click: the form is asked for the action, then told the button was
    // left, as if it had been committed.
    void AskForAction();
};
