#pragma once

#include <QString>

// A file of this user's own in the program's per-user folder,
// $XDG_CONFIG_HOME/Zelvoran/ (~/.config/Zelvoran/ when it is not set): the
// automatic login, the printer's remembered settings.
QString UserConfigFile(const QString& name);
