#include "demo_data.h"

#include "json_file.h"

#include "client/ansi_codec.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>

QString CopyDemoData(const QString& folder)
{
    const QString root = QStringLiteral(":/demo");
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = source.mid(root.size() + 1);
        const QString target = QDir(folder).filePath(relative);
        // What the folder holds already wins: the demo's visit counts and
        // changed passwords survive a restart, and a test can put its own
        // replies or reports in place before the first start.
        if (QFileInfo::exists(target))
            continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("cannot read the built-in %1").arg(relative);
        QByteArray bytes = file.readAll();
        if (relative.startsWith(QLatin1String("reports/")))
            bytes = EncodeAnsi(QString::fromUtf8(bytes));
        if (QString error = WriteFileAtomic(target, bytes); !error.isEmpty())
            return error;
    }
    return {};
}

QString PrepareDataFolder(const QString& dataDir, bool demo, QString& folder)
{
    if (!demo) {
        folder = dataDir;
        if (!QDir().mkpath(folder))
            return QStringLiteral("cannot create the data folder %1").arg(folder);
        return {};
    }
    if (dataDir.isEmpty()) {
        QByteArray pattern =
            QDir(QDir::tempPath()).filePath(QStringLiteral("nura-sim-demo-XXXXXX")).toLocal8Bit();
        if (mkdtemp(pattern.data()) == nullptr)
            return QStringLiteral("cannot create a folder for the demo data");
        folder = QString::fromLocal8Bit(pattern);
        return CopyDemoData(folder);
    }
    folder = dataDir;
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the data folder %1").arg(folder);
    return CopyDemoData(folder);
}
