#include "json_endpoint.h"

#include "gzip_compress.h"
#include "item_request.h"
#include "json_reply.h"
#include "json_request.h"
#include "record_line.h"
#include "sim_log.h"

namespace {

QString Quoted(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

HttpAnswer TextAnswer(int status, const QString& text)
{
    HttpAnswer answer;
    answer.status = status;
    answer.body = (QStringLiteral("nura-sim: ") + text + QLatin1Char('\n')).toStdString();
    answer.contentType = "text/plain; charset=utf-8";
    return answer;
}

HttpAnswer TransportAnswer(HttpAnswer::Transport transport)
{
    HttpAnswer answer;
    answer.transport = transport;
    return answer;
}

QString ConversationNote(JsonConversations::Found found, const QString& sentId)
{
    switch (found) {
    case JsonConversations::Found::New:
        return QStringLiteral(" (new conversation)");
    case JsonConversations::Found::Unknown:
        return QStringLiteral(" (unknown connection id %1: new conversation)").arg(sentId);
    default:
        return {};
    }
}

JsonReplyFaults ReplyFaults(const SimOptions& options)
{
    JsonReplyFaults faults;
    faults.envelopeStatus = options.httpsEnvelopeStatus;
    faults.dropMember = options.httpsDropMember;
    faults.badBlob = options.httpsBadBlob;
    return faults;
}

} // namespace

struct JsonEndpoint::Exchange
{
    JsonRequest posted;
    JsonConversations::Found found = JsonConversations::Found::Known;
    std::shared_ptr<JsonConversation> conversation;
    ParsedRequest request;
    QString line;
};

HttpAnswer JsonEndpoint::Serve(const std::string& body)
{
    Exchange exchange;
    if (const QString error = ParseJsonRequest(body, exchange.posted); !error.isEmpty()) {
        if (!m_context.options.quiet)
            SimLog(QStringLiteral("#H refused request document: ") + error);
        HttpAnswer answer = TextAnswer(400, error);
        answer.closeConnection = m_context.faults.DropPending();
        return answer;
    }
    exchange.conversation = m_conversations.Find(exchange.posted.connectionId, exchange.found);
    std::lock_guard<std::mutex> lock(exchange.conversation->mutex);
    return Run(exchange);
}

HttpAnswer JsonEndpoint::Run(Exchange& exchange)
{
    exchange.request =
        ParseItemRequest(std::move(exchange.posted.items), m_context.data.profile.Layout());
    exchange.line = FormatRecordLine(exchange.request.items);
    // The record is the same on both sides; the label goes to the log.
    m_context.record.Append(exchange.line);

    using Action = FaultSwitches::Action;
    const Action action = m_context.faults.OnRequest(exchange.line);
    if (action == Action::Drop || action == Action::DropBefore) {
        Log(exchange, action == Action::Drop ? QStringLiteral("connection dropped (fault)")
                                             : DroppedBefore());
        return TransportAnswer(HttpAnswer::Transport::Drop);
    }
    if (action == Action::Hang) {
        Log(exchange, QStringLiteral("no reply (fault)"));
        return TransportAnswer(HttpAnswer::Transport::Hang);
    }
    // A request dropped after it was carried out gets no reply to break.
    const bool replyFault =
        action != Action::DropAfter && m_context.faults.TakeHttpsFault(exchange.line);
    if (replyFault && m_context.options.httpsStatus != 0) {
        // A server that fails this way has not run the request.
        Log(exchange, QStringLiteral("HTTP %1 (fault)").arg(m_context.options.httpsStatus));
        PauseBeforeReply(m_context);
        HttpAnswer answer =
            TextAnswer(m_context.options.httpsStatus, QStringLiteral("the request failed"));
        answer.closeConnection = m_context.faults.DropPending();
        return answer;
    }
    return Reply(exchange, action, replyFault);
}

HttpAnswer JsonEndpoint::Reply(Exchange& exchange, FaultSwitches::Action action,
                               bool brokenDocument)
{
    JsonConversation& conversation = *exchange.conversation;
    const ParsedRequest& request = exchange.request;
    SimReply reply = m_context.handler.Handle(request, exchange.line, conversation.session);
    if (reply.closeAfter)
        m_conversations.Drop(conversation.id);
    if (action == FaultSwitches::Action::DropAfter) {
        Log(exchange, DroppedAfter(reply.outcome));
        return TransportAnswer(HttpAnswer::Transport::Drop);
    }
    m_context.faults.Decorate(reply, request.layout ? request.layout->code : -1);
    const bool cutShort = action == FaultSwitches::Action::DropMidReply;

    HttpAnswer answer;
    answer.body =
        JsonReplyBody(reply, conversation.id,
                      brokenDocument ? ReplyFaults(m_context.options) : JsonReplyFaults());
    if (m_context.options.httpsGzip) {
        answer.body = GzipCompress(answer.body);
        answer.gzip = true;
    }
    if (cutShort)
        answer.transport = HttpAnswer::Transport::DropMidReply;
    answer.closeConnection = m_context.faults.DropPending();
    QString outcome = reply.outcome;
    if (brokenDocument)
        outcome += QLatin1String(" (broken reply document, fault)");
    if (cutShort)
        outcome += QLatin1String(" (cut short, fault)");
    Log(exchange, outcome);
    PauseBeforeReply(m_context);
    return answer;
}

void JsonEndpoint::Log(const Exchange& exchange, const QString& outcome) const
{
    if (m_context.options.quiet)
        return;
    const RequestLayout* layout = exchange.request.layout;
    const QString name = layout ? QString::fromLatin1(layout->name) : QStringLiteral("?");
    SimLog(QStringLiteral("#H%1 %2 %3 %4 -> %5")
               .arg(exchange.conversation->session.connection)
               .arg(name, Quoted(exchange.posted.label), ShortenedForLog(exchange.line),
                    outcome + ConversationNote(exchange.found, exchange.posted.connectionId)));
}
