#pragma once

#include <QFile>
#include <QString>

#include <mutex>

// The --record file: one line per request received, appended and flushed at
// once so that a test can read it while the simulator runs. Shared by all
// connections.
class RecordLog
{
public:
    // An empty path records nothing. Returns an error text, empty on success.
    QString Open(const QString& path);
    void Append(const QString& line);

private:
    std::mutex m_mutex;
    QFile m_file;
};
