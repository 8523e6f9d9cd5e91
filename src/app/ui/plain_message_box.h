#pragma once

#include <QString>

// The plain message box (an "OK" button, the program's title as caption
// unless one is given), for the server's refusals and the message handler.
// On the GUI thread.
void ShowPlainMessage(const QString& text, const QString& caption = {}, bool errorIcon = false);
