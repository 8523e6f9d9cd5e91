#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>

#include <mutex>

// Visit counts per date and visit type (registry.json in the data folder:
// {"2026-05-04": {"CZ": 3}}). Every change is on disk before the caller
// acknowledges it: a visit the client saw counted must survive a crash or a
// restart of the simulator.
class VisitRegistry
{
public:
    // Returns an error text, empty on success; a missing file means no visits.
    QString Load(const QString& path);
    // Adds `delta` (may be negative; the count never goes below 0) to the
    // count of `type` on `date` ("yyyy-MM-dd"). Returns an error text, empty
    // on success; on error the count stays as it was.
    QString Add(const QString& date, const QString& type, qint64 delta);
    qint64 Count(const QString& date, const QString& type) const;
    // Every type counted on `date`, with its count.
    QMap<QString, qint64> Day(const QString& date) const;

private:
    mutable std::mutex m_mutex;
    QString m_path;
    QJsonObject m_days;
};
