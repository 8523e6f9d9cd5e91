#pragma once

#include "request_layout.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What the simulator answers to one request, before it is put on the wire.
// The shape is the one the client reads for that operation; only the parts
// of the record that the shape uses are sent.
struct SimReply
{
    ReplyShape shape = ReplyShape::Count;

    // Server messages sent ahead of a count or of the first stream chunk.
    QStringList messages;
    // Count form: the count sent, normally fields.size(); it may differ when
    // a canned reply or a fault switch asks for a malformed count.
    qint32 count = 0;
    QStringList fields;
    // When set, the count is sent without anything after it.
    bool countOnly = false;

    // LongString and String shapes, and the status of StatusThenStream.
    QString text;

    // Stream shapes: the bytes come from a file or from memory; a failed
    // stream is a single remaining of -1.
    bool streamFailed = false;
    QString streamFile;
    QByteArray streamData;

    // The 253 answer goes out in the 8-bit encoding whatever the connection
    // used before; later strings use what the answer agreed on.
    bool eightBitReply = false;
    std::optional<bool> utf8After;
    std::optional<QByteArray> loginKeyAfter;
    bool closeAfter = false;

    // A short description of the outcome for the request log.
    QString outcome;

    static SimReply Count(QStringList values, QString outcome = {})
    {
        SimReply reply;
        reply.count = static_cast<qint32>(values.size());
        reply.fields = std::move(values);
        reply.outcome = std::move(outcome);
        return reply;
    }
};
