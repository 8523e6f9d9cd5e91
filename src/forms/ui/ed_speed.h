#pragma once

#include "forms/ui/action_editor.h"

class my_speed;

// SPEED: a flat button with a picture asking the form for its action. It
// takes the focus from the form's fields first, so the field left is
// committed before the action sees the record.
class ed_speed : public ActionEditor
{
public:
    ed_speed(my_editor& parent, const my_speed& description, int dx, int dy,
             const QString& substitutions);
};
