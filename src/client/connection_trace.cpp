#include "client/connection_trace.h"

#include <QDateTime>
#include <QFile>

#include <atomic>
#include <mutex>

namespace {

std::atomic<bool> g_enabled{false};

struct TraceFile
{
    std::mutex lock;
    QFile file;
};

TraceFile& TheTraceFile()
{
    static TraceFile trace;
    return trace;
}

} // namespace

void SetTraceEnabled(bool enabled)
{
    g_enabled.store(enabled);
}

bool TraceEnabled()
{
    return g_enabled.load();
}

// The keep-alive traces from its own thread, so lines are written under a lock.
void Trace(const QString& text)
{
    if (!g_enabled.load())
        return;
    TraceFile& trace = TheTraceFile();
    std::lock_guard<std::mutex> guard(trace.lock);
    const QDateTime now = QDateTime::currentDateTime();
    if (!trace.file.isOpen()) {
        trace.file.setFileName(QStringLiteral("log_tcp_") +
                               now.toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss-zzz")) +
                               QStringLiteral(".txt"));
        if (!trace.file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
    }
    const QString line =
        now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss,zzz  ")) + text + QStringLiteral("\n");
    trace.file.write(line.toUtf8());
    trace.file.flush();
}
