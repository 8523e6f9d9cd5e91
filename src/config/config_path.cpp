#include "config/config_path.h"

#include <QDir>
#include <QFileInfo>

QString FolderOf(const QString& filePath)
{
    QString folder = QFileInfo(filePath).absolutePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString LocalPath(const QString& value, const QString& baseFolder)
{
    QString path = value;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty())
        return baseFolder;
    const bool folder = path.endsWith(QLatin1Char('/'));
    if (QDir::isRelativePath(path) && !baseFolder.isEmpty())
        path = baseFolder + QLatin1Char('/') + path;
    path = QDir::cleanPath(path);
    if (folder && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}
