#pragma once

#include <QString>

// One marker a marker memo offers: the code written after the marker
// character in the stored text, what the memo shows for it, the menu's
// description, and whether the text may hold it more than once.
struct TSequence
{
    char16_t code = 0;
    QString display;
    QString description;
    bool repeatable = false;
};
