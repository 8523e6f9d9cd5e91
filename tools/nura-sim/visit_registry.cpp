#include "visit_registry.h"

#include "json_file.h"

#include <QJsonDocument>

QString VisitRegistry::Load(const QString& path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_path = path;
    QJsonDocument document;
    QString error = ReadJsonFile(path, document);
    m_days = document.object();
    return error;
}

QString VisitRegistry::Add(const QString& date, const QString& type, qint64 delta)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QJsonObject day = m_days.value(date).toObject();
    const qint64 before = day.value(type).toInteger();
    day.insert(type, qMax<qint64>(0, before + delta));
    QJsonObject days = m_days;
    days.insert(date, day);
    QString error = WriteJsonFileAtomic(m_path, QJsonDocument(days));
    if (error.isEmpty())
        m_days = std::move(days);
    return error;
}

qint64 VisitRegistry::Count(const QString& date, const QString& type) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_days.value(date).toObject().value(type).toInteger();
}

QMap<QString, qint64> VisitRegistry::Day(const QString& date) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const QJsonObject day = m_days.value(date).toObject();
    QMap<QString, qint64> counts;
    for (auto it = day.begin(); it != day.end(); ++it)
        counts.insert(it.key(), it.value().toInteger());
    return counts;
}
