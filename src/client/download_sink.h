#pragma once

#include <QByteArray>
#include <QFile>

#include <algorithm>

// Where a downloaded file goes: a file, a byte string, or nowhere.
struct DownloadSink
{
    // The first chunk announces the whole size; a byte target reserves at
    // most this much on the strength of it, so that a wrong size costs no
    // memory.
    static constexpr qsizetype kReserveLimit = 1 << 20;

    QFile* file = nullptr;
    QByteArray* bytes = nullptr;
    bool writeFailed = false;

    // Each attempt of a repeated request starts its target afresh.
    void Restart()
    {
        if (file != nullptr) {
            file->resize(0);
            file->seek(0);
        }
        if (bytes != nullptr)
            bytes->clear();
        writeFailed = false;
    }

    void Reserve(qint64 total)
    {
        if (bytes != nullptr)
            bytes->reserve(static_cast<qsizetype>(std::min<qint64>(total, kReserveLimit)));
    }

    // A write that fails does not stop the download: on TCP the rest of the
    // stream must still be read off the wire to keep the connection in step.
    void Append(const QByteArray& chunk)
    {
        if (file != nullptr && !writeFailed)
            writeFailed = file->write(chunk) != chunk.size();
        if (bytes != nullptr)
            bytes->append(chunk);
    }
};
