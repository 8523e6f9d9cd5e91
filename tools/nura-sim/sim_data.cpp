#include "sim_data.h"

#include <QDir>

QString SimData::FilePath(const QString& name) const
{
    return QDir(dir).filePath(name);
}

QString SimData::Load(const QString& folder, const SimOptions& options)
{
    dir = folder;
    QDir root(folder);
    for (const char* area : {"reports", "files", "blobs"}) {
        if (!root.mkpath(QLatin1String(area)))
            return QStringLiteral("cannot create %1").arg(root.filePath(QLatin1String(area)));
    }
    QString error = profile.Load(folder, options);
    if (error.isEmpty())
        error = users.Load(FilePath(QStringLiteral("users.json")));
    if (error.isEmpty())
        error = registry.Load(FilePath(QStringLiteral("registry.json")));
    if (error.isEmpty())
        error = canned.Load(FilePath(QStringLiteral("replies.json")));
    if (error.isEmpty())
        error = lists.Load(FilePath(QStringLiteral("lists.json")));
    return error;
}
