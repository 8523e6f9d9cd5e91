#include "demo_data.h"

#include "json_file.h"

#include "client/ansi_codec.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>

namespace {

// SHA-256 of demo files that earlier versions copied into a demo data
// folder: the fixed reports 1 to 5, which would now hide the reports the
// simulator computes, and the catalog description before report 6. A copy
// left as it was is removed (and the catalog copied afresh); a changed one
// is somebody's own and stays.
constexpr const char* kEarlierDemoFiles[][2] = {
    {"reports/1.txt", "ccee29105e89ff70ac5aff640bf4b007c889c2c8c77e8062ee977d0fe8cf04a3"},
    {"reports/2.txt", "40cf229c540c5065fef6b15ae3827e8e0ee24a951bed670370b27f6d42b7f29e"},
    {"reports/3.txt", "4fc983d45962f4c8a2081136381b9cf72ef4afc2a8e7187a6ed9a511474ee1b3"},
    {"reports/4.txt", "75fb5af05337fc3d95af507e9c3dcdfc129f243d708f54899c32428a997603b1"},
    {"reports/5.txt", "de8e68c7b84114c29d2c574bb38af91c8725a4f0f9d6c9b7bed0470f7219fc2b"},
    {"struktura.txt", "9f29dcb0921af007729d3dd28e6be7e5c391eab3034f553f2a0b6d5ebd88e26c"},
};

void RemoveEarlierDemoFiles(const QString& folder)
{
    for (const auto& [relative, digest] : kEarlierDemoFiles) {
        const QString path = QDir(folder).filePath(QLatin1String(relative));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray hash =
            QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
        file.close();
        if (hash.toHex() == digest)
            QFile::remove(path);
    }
}

} // namespace

QString CopyDemoData(const QString& folder)
{
    RemoveEarlierDemoFiles(folder);
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
