#pragma once

#include "sim_reply.h"
#include "wire_codec.h"

#include <QByteArray>

// Receives the bytes of a reply; false stops the writer (the client went
// away, or a fault switch cut the reply short).
class ReplySink
{
public:
    virtual ~ReplySink() = default;
    virtual bool Send(const QByteArray& bytes) = 0;
};

// Largest chunk the client's buffer takes.
inline constexpr int kMaxChunk = 50000;

// Puts a reply on the wire through `sink`: count replies and strings as one
// piece, streams as one piece per chunk of at most `chunkSize` bytes (a
// file is read one chunk at a time, so its size does not matter). Returns
// false when the sink refused bytes.
bool WriteReply(const SimReply& reply, const WireCodec& codec, int chunkSize, ReplySink& sink);

// The whole reply as bytes; for the tests and for cutting a reply in half.
// A stream from a file is read whole, so keep this to small files.
QByteArray ReplyBytes(const SimReply& reply, const WireCodec& codec, int chunkSize);

// Bytes of one wire item, appended to `out`.
void AppendInteger(QByteArray& out, qint32 value);
void AppendString(QByteArray& out, const QString& text, const WireCodec& codec);
