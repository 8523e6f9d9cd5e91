#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Small files for the configuration tests, written and read as raw bytes so
// that encodings and line breaks are checked exactly.

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
