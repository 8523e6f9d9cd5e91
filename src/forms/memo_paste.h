#pragma once

#include <QString>

// Clipboard text as a rich memo takes it: as it is where the memo accepts
// line breaks; otherwise line feeds are removed and carriage returns become
// spaces, so a pasted CR LF leaves one space between the lines.
QString MemoPasteText(const QString& clipboard, bool acceptsLineBreaks);
