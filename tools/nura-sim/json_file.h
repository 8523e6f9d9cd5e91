#pragma once

#include <QJsonDocument>
#include <QString>

// JSON files of the data folder. Writes go to a temporary file that
// replaces the old one only when complete, so a crash or a full disk never
// leaves a half-written file behind.

// A missing file reads as a null document without error.
QString ReadJsonFile(const QString& path, QJsonDocument& document);
// Returns an error text, empty on success.
QString WriteJsonFileAtomic(const QString& path, const QJsonDocument& document);
// The same for raw bytes.
QString WriteFileAtomic(const QString& path, const QByteArray& bytes);
