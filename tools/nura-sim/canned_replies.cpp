#include "canned_replies.h"

#include "json_file.h"

#include <QJsonArray>
#include <QJsonObject>

QString CannedReplies::Load(const QString& path)
{
    m_replies.clear();
    QJsonDocument document;
    if (QString error = ReadJsonFile(path, document); !error.isEmpty())
        return error;
    for (const QJsonValue& value : document.array()) {
        const QJsonObject object = value.toObject();
        CannedReply reply;
        reply.request = object.value(QLatin1String("request")).toString();
        for (const QJsonValue& field : object.value(QLatin1String("reply")).toArray())
            reply.fields << field.toString();
        for (const QJsonValue& message : object.value(QLatin1String("messages")).toArray())
            reply.messages << message.toString();
        if (object.contains(QLatin1String("count")))
            reply.count = object.value(QLatin1String("count")).toInt();
        if (object.contains(QLatin1String("stream")))
            reply.stream = object.value(QLatin1String("stream")).toString().toUtf8();
        m_replies.push_back(std::move(reply));
    }
    return {};
}

const CannedReply* CannedReplies::Match(const QString& recordLine) const
{
    const CannedReply* best = nullptr;
    for (const CannedReply& reply : m_replies) {
        if (recordLine.startsWith(reply.request) &&
            (best == nullptr || reply.request.size() > best->request.size()))
            best = &reply;
    }
    return best;
}
