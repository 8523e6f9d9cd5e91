#include "reply_writer.h"

#include "client/scramble.h"
#include "client/wire_text.h"

#include <QFile>
#include <QtEndian>

#include <limits>

void AppendInteger(QByteArray& out, qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void AppendString(QByteArray& out, const QString& text, const WireCodec& codec)
{
    out += EncodeWireText(text, codec.utf8, codec.loginKey);
    out += '\0';
}

namespace {

constexpr qint32 kServerMessage = -2;
constexpr qint32 kStreamFailed = -1;

void AppendMessages(QByteArray& out, const QStringList& messages, const WireCodec& codec)
{
    for (const QString& message : messages) {
        AppendInteger(out, kServerMessage);
        AppendString(out, message, codec);
    }
}

// Streams `total` bytes taken from `next` in chunks; `head` (messages,
// status) goes out together with the first chunk.
template <typename NextPiece>
bool WriteChunks(QByteArray head, qint64 total, const WireCodec& codec, int chunkSize,
                 ReplySink& sink, NextPiece next)
{
    qint64 remaining = total;
    do {
        const qint32 length = static_cast<qint32>(qMin<qint64>(remaining, chunkSize));
        QByteArray piece;
        if (!next(piece, length)) {
            // The source broke off: tell the client the transfer failed.
            AppendInteger(head, kStreamFailed);
            return sink.Send(head);
        }
        ScrambleBytes(codec.loginKey, piece.data(), piece.size());
        AppendInteger(head, static_cast<qint32>(remaining));
        AppendInteger(head, length);
        head += piece;
        if (!sink.Send(head))
            return false;
        head.clear();
        remaining -= length;
    } while (remaining > 0);
    return true;
}

bool WriteStream(const SimReply& reply, QByteArray head, const WireCodec& codec, int chunkSize,
                 ReplySink& sink)
{
    AppendMessages(head, reply.messages, codec);
    if (reply.streamFailed) {
        AppendInteger(head, kStreamFailed);
        return sink.Send(head);
    }
    if (reply.streamFile.isEmpty()) {
        qsizetype offset = 0;
        return WriteChunks(std::move(head), reply.streamData.size(), codec, chunkSize, sink,
                           [&](QByteArray& piece, qint32 length) {
                               piece = reply.streamData.mid(offset, length);
                               offset += length;
                               return true;
                           });
    }
    QFile file(reply.streamFile);
    if (!file.open(QIODevice::ReadOnly) || file.size() > std::numeric_limits<qint32>::max()) {
        AppendInteger(head, kStreamFailed);
        return sink.Send(head);
    }
    return WriteChunks(std::move(head), file.size(), codec, chunkSize, sink,
                       [&](QByteArray& piece, qint32 length) {
                           piece = file.read(length);
                           return piece.size() == length;
                       });
}

class CollectSink : public ReplySink
{
public:
    bool Send(const QByteArray& bytes) override
    {
        m_bytes += bytes;
        return true;
    }
    QByteArray m_bytes;
};

} // namespace

bool WriteReply(const SimReply& reply, const WireCodec& codec, int chunkSize, ReplySink& sink)
{
    chunkSize = qBound(1, chunkSize, kMaxChunk);
    QByteArray bytes;
    switch (reply.shape) {
    case ReplyShape::None:
        return true;
    case ReplyShape::Count:
        if (!reply.countOnly)
            AppendMessages(bytes, reply.messages, codec);
        AppendInteger(bytes, reply.count);
        if (!reply.countOnly) {
            for (const QString& field : reply.fields)
                AppendString(bytes, field, codec);
        }
        return sink.Send(bytes);
    case ReplyShape::LongString:
    case ReplyShape::String:
        AppendString(bytes, reply.text, codec);
        return sink.Send(bytes);
    case ReplyShape::StatusThenStream:
        AppendString(bytes, reply.text, codec);
        return WriteStream(reply, std::move(bytes), codec, chunkSize, sink);
    case ReplyShape::Stream:
        return WriteStream(reply, std::move(bytes), codec, chunkSize, sink);
    }
    return false;
}

QByteArray ReplyBytes(const SimReply& reply, const WireCodec& codec, int chunkSize)
{
    CollectSink sink;
    WriteReply(reply, codec, chunkSize, sink);
    return sink.m_bytes;
}
