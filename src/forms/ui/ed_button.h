#pragma once

#include "forms/ui/action_editor.h"

class my_button;

// BUTTON: a push button asking the form for its action, then committing.
// It never answers Enter: the form's owner in this program takes actions
// without doing anything, so Enter confirms the window instead.
class ed_button : public ActionEditor
{
public:
    ed_button(my_editor& parent, const my_button& description, int dx, int dy,
              const QString& substitutions);
};
