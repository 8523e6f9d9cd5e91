#pragma once

#include <QString>
#include <QStringList>

// The configuration file of this run: the first command-line argument when it
// is not a switch ("-..."), completed with the program's folder when it names
// no folder and with ".ini" when it has no extension; otherwise the program's
// own path with ".ini" in place of its extension. `arguments` excludes the
// program itself.
QString ConfigurationFileName(const QString& programFilePath, const QStringList& arguments);
