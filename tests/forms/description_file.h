#pragma once

#include <QFile>
#include <QTemporaryDir>

// Writes a form description to PARAMS.TMP in `dir`, as the main window
// writes it before a run, and returns its path.
inline QString WriteDescription(const QTemporaryDir& dir, const char* text)
{
    const QString path = dir.filePath(QStringLiteral("PARAMS.TMP"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
    return path;
}
