#include "client/standard_nura_client.h"

#include "client/download_sink.h"
#include "client/scramble.h"
#include "client/tcp_client.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace {

// Uploads go in chunks of this size, each in a send of its own.
constexpr qint64 kUploadChunk = 10000;

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

// Chunks of (remaining, length, bytes) until a chunk carries all that
// remains. Every number is checked before it is trusted: a length beyond
// what remains or beyond the receive buffer, or a remaining count that does
// not follow from the previous chunk, is a broken reply, so a wrong stream
// can neither overrun the buffer nor make the transfer grow without end.
bool TStandardNuraClient::Download(DownloadSink& sink, TProgressHandler progress)
{
    const QByteArray key = m_socket->LoginKey();
    qint64 done = 0;
    qint64 expected = -1; // what the next chunk must announce as remaining
    for (;;) {
        const qint32 remaining = ReadCount();
        if (m_socket->ErrorFlag() || remaining == -1)
            return false;
        if (remaining < 0 || (expected >= 0 && remaining != expected)) {
            BadShape(remaining);
            return false;
        }
        const qint32 length = m_socket->GetInteger();
        if (m_socket->ErrorFlag())
            return false;
        if (length < 0 || length > std::min<qint32>(remaining, LMSocket::kBufferSize)) {
            BadShape(length);
            return false;
        }
        if (expected < 0)
            sink.Reserve(remaining);
        progress(done + length, done + remaining);
        QByteArray block;
        if (!m_socket->GetBlock(length, block))
            return false;
        UnscrambleBytes(key, block.data(), block.size());
        sink.Append(block);
        done += length;
        if (length == remaining)
            return true;
        expected = remaining - length;
    }
}

bool TStandardNuraClient::Fetch(const char* /*label*/, Items items, Repeat repeat,
                                DownloadSink& sink, TProgressHandler progress, Status form,
                                QString* status)
{
    bool complete = false;
    Frame(items, repeat, [&] {
        sink.Restart();
        if (form == Status::Long)
            *status = m_socket->GetLong();
        else if (form == Status::Plain)
            *status = m_socket->GetString();
        complete = !m_socket->ErrorFlag() && Download(sink, progress);
        if (m_socket->ErrorFlag())
            errorHandler(m_socket->ErrorText());
    });
    return complete;
}

void TStandardNuraClient::Upload(QFile* file, const QByteArray& bytes, TProgressHandler progress)
{
    const qint64 size = file != nullptr ? file->size() : bytes.size();
    const QByteArray key = m_socket->LoginKey();
    qint64 sent = 0;
    do {
        progress(sent, size);
        const qint64 left = size - sent;
        const qint64 length = std::min(left, kUploadChunk);
        QByteArray block = file != nullptr ? file->read(length) : bytes.mid(sent, length);
        if (block.size() != length) {
            // The announced size can no longer be kept: the server would
            // take whatever follows as file contents.
            m_socket->SetError(Text("Błąd odczytu pliku ") + file->fileName());
            return;
        }
        m_socket->PutInteger(static_cast<qint32>(left));
        m_socket->PutInteger(static_cast<qint32>(length));
        ScrambleBytes(key, block.data(), block.size());
        m_socket->PutBlock(block);
        m_socket->Send();
        sent += length;
    } while (sent < size && !m_socket->ErrorFlag());
    progress(size, size);
}

bool TStandardNuraClient::UploadRequest(const char* /*label*/, Items items, const QString* file,
                                        const QByteArray& bytes, TProgressHandler progress,
                                        QString& unreadable)
{
    unreadable.clear();
    if (m_socket->ErrorFlag()) {
        m_lastAnswer = TAnswer();
        m_lastError = m_socket->ErrorText();
        return false;
    }
    Frame(items, Repeated, [&] {
        if (file == nullptr) {
            Upload(nullptr, bytes, progress);
        } else {
            QFile source(*file);
            if (source.open(QIODevice::ReadOnly) &&
                source.size() <= std::numeric_limits<qint32>::max()) {
                unreadable.clear();
                Upload(&source, QByteArray(), progress);
            } else {
                // The server still expects a stream: an empty one.
                unreadable = Text("Nie można otworzyć pliku ") + *file;
                m_socket->PutInteger(0);
                m_socket->PutInteger(0);
                m_socket->Send();
            }
        }
        m_lastError = ReadAnswer(m_lastAnswer, Notify::Error);
    });
    return true;
}
