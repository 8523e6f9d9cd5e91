#include "record_log.h"

QString RecordLog::Open(const QString& path)
{
    if (path.isEmpty())
        return {};
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        return QStringLiteral("cannot open the record file %1: %2").arg(path, m_file.errorString());
    return {};
}

void RecordLog::Append(const QString& line)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_file.isOpen())
        return;
    m_file.write(line.toUtf8() + '\n');
    m_file.flush();
}
