#pragma once

#include <QString>
#include <QStringList>

// Finds `text` in the values of the data lines (not in the field names),
// without regard to case, Polish letters included. The search begins at
// line `from` (from 1), runs to the end and wraps once to the first line;
// the line of the first match, or 0 when no line holds the text.
int FindInReport(const QStringList& data, const QString& text, int from);
