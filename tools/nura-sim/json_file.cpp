#include "json_file.h"

#include <QFile>
#include <QJsonParseError>
#include <QSaveFile>

QString ReadJsonFile(const QString& path, QJsonDocument& document)
{
    document = QJsonDocument();
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    QJsonParseError error{};
    document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("%1: %2 at offset %3")
            .arg(path, error.errorString())
            .arg(error.offset);
    return {};
}

QString WriteFileAtomic(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return {};
}

QString WriteJsonFileAtomic(const QString& path, const QJsonDocument& document)
{
    return WriteFileAtomic(path, document.toJson(QJsonDocument::Indented));
}
