#include "client/standard_nura_client.h"

#include "client/ansi_codec.h"
#include "client/scramble.h"
#include "client/tcp_client.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace {

// Uploads go in chunks of this size, each in a send of its own.
constexpr qint64 kUploadChunk = 10000;
// The first chunk announces the whole size; a text target reserves at most
// this much on the strength of it, so that a wrong size costs no memory.
constexpr qsizetype kReserveLimit = 1 << 20;

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

struct TStandardNuraClient::Sink
{
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

    void Reserve(qint32 total)
    {
        if (bytes != nullptr)
            bytes->reserve(std::min<qsizetype>(total, kReserveLimit));
    }

    // A write that fails does not stop the download: the rest of the stream
    // must still be read off the wire to keep the connection in step.
    void Append(const QByteArray& chunk)
    {
        if (file != nullptr && !writeFailed)
            writeFailed = file->write(chunk) != chunk.size();
        if (bytes != nullptr)
            bytes->append(chunk);
    }
};

// Chunks of (remaining, length, bytes) until a chunk carries all that
// remains. Every number is checked before it is trusted: a length beyond
// what remains or beyond the receive buffer, or a remaining count that does
// not follow from the previous chunk, is a broken reply, so a wrong stream
// can neither overrun the buffer nor make the transfer grow without end.
bool TStandardNuraClient::Download(Sink& sink, TProgressHandler progress)
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

bool TStandardNuraClient::Fetch(Items items, Repeat repeat, Sink& sink, TProgressHandler progress,
                                Status form, QString* status)
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

// An empty file name discards the bytes: the stream is still read to the
// end so that the connection stays in step.
bool TStandardNuraClient::StreamToFile(Items items, Repeat repeat, const QString& file,
                                       TProgressHandler progress, QString* status)
{
    if (m_socket->ErrorFlag()) {
        if (status != nullptr)
            *status = m_socket->ErrorText();
        return false;
    }
    QFile target(file);
    if (!file.isEmpty() && !target.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        errorHandler(Text("Nie można utworzyć pliku ") + file);
        return false;
    }
    Sink sink;
    sink.file = file.isEmpty() ? nullptr : &target;
    bool complete =
        Fetch(items, repeat, sink, progress, status ? Status::Long : Status::None, status);
    if (complete && sink.writeFailed) {
        errorHandler(Text("Błąd zapisu pliku ") + file);
        complete = false;
    }
    return complete;
}

bool TStandardNuraClient::StreamToBytes(Items items, Repeat repeat, QByteArray& bytes,
                                        TProgressHandler progress, QString* status)
{
    bytes.clear();
    if (m_socket->ErrorFlag()) {
        if (status != nullptr)
            *status = m_socket->ErrorText();
        return false;
    }
    Sink sink;
    sink.bytes = &bytes;
    return Fetch(items, repeat, sink, progress, status ? Status::Plain : Status::None, status);
}

// Report files and collection texts are code-page text. A transfer that
// broke off gives no text rather than the front part of one.
void TStandardNuraClient::StreamToText(Items items, Repeat repeat, QString& text)
{
    QByteArray bytes;
    text = StreamToBytes(items, repeat, bytes) ? DecodeAnsi(bytes) : QString();
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

bool TStandardNuraClient::UploadRequest(Items items, const QString* file, const QByteArray& bytes,
                                        TProgressHandler progress, QString& unreadable)
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

// A file that could not be read must not look stored: the server accepted an
// empty stream, so the out text says what really happened.
void TStandardNuraClient::UploadText(Items items, const QString* file, const QByteArray& bytes,
                                     TProgressHandler progress, QString& text, const char* fallback)
{
    QString unreadable;
    if (!UploadRequest(items, file, bytes, progress, unreadable))
        text = m_lastError;
    else if (m_lastAnswer.count != 1)
        text = ErrorOr(fallback);
    else if (!unreadable.isEmpty())
        text = unreadable;
    else
        text = m_lastAnswer.fields[0];
}
