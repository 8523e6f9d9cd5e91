#pragma once

#include <QString>

// Turns a name the client sent into a path below `root`, or an empty string
// when the name is empty, absolute, has a drive letter, or climbs out of
// the folder with "..". Backslashes count as separators, since the names
// may come from Windows-minded clients.
QString PathInside(const QString& root, const QString& name);
