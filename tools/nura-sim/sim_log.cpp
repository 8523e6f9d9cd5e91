#include "sim_log.h"

#include <cstdio>
#include <mutex>

void SimLog(const QString& line)
{
    static std::mutex mutex;
    const QByteArray bytes = line.toUtf8() + '\n';
    std::lock_guard<std::mutex> lock(mutex);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

QString ShortenedForLog(const QString& text)
{
    constexpr qsizetype kLimit = 400;
    return text.size() <= kLimit ? text : text.left(kLimit) + QLatin1String("...");
}
