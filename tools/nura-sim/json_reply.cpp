#include "json_reply.h"

#include <QFile>

#include <nlohmann/json.hpp>

// Members in the order a reader expects, "status" before "data", which keeps
// the log and the tests easy to read.
using json = nlohmann::ordered_json;

namespace {

constexpr int kInteger = 1;
constexpr int kString = 2;
constexpr int kBlob = 3;

json Text(const QString& text)
{
    return text.toStdString();
}

json Pair(int kind, json value)
{
    return json::array({kind, std::move(value)});
}

json CountResults(const SimReply& reply)
{
    json results = json::array({Pair(kInteger, reply.count)});
    if (!reply.countOnly) {
        for (const QString& field : reply.fields)
            results.push_back(Pair(kString, Text(field)));
    }
    return results;
}

// The bytes of a stream reply; false when there are none to send.
bool StreamBytes(const SimReply& reply, QByteArray& bytes)
{
    if (reply.streamFailed)
        return false;
    if (reply.streamFile.isEmpty()) {
        bytes = reply.streamData;
        return true;
    }
    QFile file(reply.streamFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

json Download(const SimReply& reply, bool badBlob)
{
    QByteArray bytes;
    if (!StreamBytes(reply, bytes)) {
        const QString text = reply.text.isEmpty() ? QStringLiteral("Brak danych") : reply.text;
        return Pair(kString, Text(text));
    }
    if (badBlob)
        return Pair(kString, "x");
    return Pair(kBlob, bytes.toBase64().toStdString());
}

json Results(const SimReply& reply, bool badBlob)
{
    switch (reply.shape) {
    case ReplyShape::None:
        return json::array({Pair(kInteger, 0)});
    case ReplyShape::Count:
        return CountResults(reply);
    case ReplyShape::LongString:
        // The client takes the server description straight from results[0].
        return json::array({Pair(kString, Text(reply.text))});
    case ReplyShape::String:
        // The client reads the booking reply as a count and its fields.
        return json::array({Pair(kInteger, 1), Pair(kString, Text(reply.text))});
    case ReplyShape::Stream:
        return json::array({Download(reply, badBlob)});
    case ReplyShape::StatusThenStream: {
        // The status travels alone; the download follows only without one.
        json results = json::array({json::array({Text(reply.text)})});
        if (reply.text.isEmpty())
            results.push_back(Download(reply, badBlob));
        return results;
    }
    }
    return json::array();
}

} // namespace

std::string JsonReplyBody(const SimReply& reply, const QString& connectionId,
                          const JsonReplyFaults& faults)
{
    json data = json::object();
    if (faults.dropMember != QLatin1String("connection_id"))
        data["connection_id"] = Text(connectionId);
    if (faults.dropMember != QLatin1String("results"))
        data["results"] = Results(reply, faults.badBlob);
    json envelope = json::object();
    envelope["status"] = faults.envelopeStatus.value_or(200);
    if (faults.dropMember != QLatin1String("data"))
        envelope["data"] = std::move(data);
    // ensure_ascii: every character beyond ASCII as \uXXXX, which is how the
    // client expects text to arrive.
    return json::array({std::move(envelope)}).dump(-1, ' ', true, json::error_handler_t::replace);
}
