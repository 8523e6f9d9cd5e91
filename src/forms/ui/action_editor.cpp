#include "forms/ui/action_editor.h"

void ActionEditor::ShowReadOnly(bool readOnly)
{
    Control()->setEnabled(!readOnly);
}

void ActionEditor::AskForAction()
{
    Raise(FormEvent::Action, FieldName());
    Raise(FormEvent::Commit, FieldName());
}
