#pragma once

#include <QString>

// Paths written in configuration files. Files made for the Windows version
// hold backslashes and paths relative to the configuration's own folder.

// The absolute folder of `filePath`, with its trailing "/".
QString FolderOf(const QString& filePath);

// `value` as a local path: backslashes become "/", and a relative path
// (".\x", "..\x", "x") is taken from `baseFolder`. A trailing "/" is kept, so
// a folder stays usable as a prefix of file names.
QString LocalPath(const QString& value, const QString& baseFolder);
