#include "data_paths.h"

#include <QDir>
#include <QStringList>

QString PathInside(const QString& root, const QString& name)
{
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (relative.isEmpty() || relative.startsWith(QLatin1Char('/')) ||
        relative.contains(QLatin1Char(':')) || relative.contains(QChar(0)))
        return {};
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    for (const QString& part : parts) {
        if (part == QLatin1String("..") || part == QLatin1String("."))
            return {};
    }
    return QDir(root).filePath(parts.join(QLatin1Char('/')));
}
