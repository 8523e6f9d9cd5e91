#include "connection.h"

#include "record_line.h"
#include "sim_log.h"
#include "socket_io.h"

#include <QFileInfo>

#include <chrono>
#include <thread>

namespace {

void Log(const SimContext& context, int number, const ParsedRequest& request, const QString& line,
         const QString& outcome)
{
    if (context.options.quiet)
        return;
    const QString name =
        request.layout ? QString::fromLatin1(request.layout->name) : QStringLiteral("?");
    SimLog(QStringLiteral("#%1 %2 %3 -> %4").arg(number).arg(name, ShortenedForLog(line), outcome));
}

// About half of the reply's bytes, without reading a streamed file.
qint64 HalfOfReply(const SimReply& reply, const WireCodec& codec, int chunk)
{
    if (!reply.streamFile.isEmpty() && !reply.streamFailed)
        return qMax<qint64>(1, (QFileInfo(reply.streamFile).size() + 8) / 2);
    return qMax<qint64>(1, ReplyBytes(reply, codec, chunk).size() / 2);
}

} // namespace

QString DroppedBefore()
{
    return QStringLiteral("dropped before carrying it out (random fault)");
}

QString DroppedAfter(const QString& outcome)
{
    return QStringLiteral("dropped after carrying it out (%1; random fault)").arg(outcome);
}

void PauseBeforeReply(const SimContext& context)
{
    auto left = std::chrono::milliseconds(context.options.delayMs);
    const auto step = std::chrono::milliseconds(50);
    while (left.count() > 0 && !context.stopping.load()) {
        std::this_thread::sleep_for(std::min(left, step));
        left -= step;
    }
}

void ServeConnection(int descriptor, int number, SimContext& context)
{
    SocketSource source(descriptor, context.options.itemTimeoutMs, context.stopping);
    SocketSink socket(descriptor);
    SessionState session;
    session.connection = number;
    bool hanging = false;
    while (source.WaitForRequest()) {
        const ParsedRequest request =
            ParseRequest(source, session.codec, context.data.profile.Layout());
        source.Compact();
        if (request.items.empty())
            break;
        const QString line = FormatRecordLine(request.items);
        context.record.Append(line);
        if (hanging) {
            Log(context, number, request, line, QStringLiteral("no reply (hanging)"));
            if (request.fatal)
                break;
            continue;
        }
        const FaultSwitches::Action action = context.faults.OnRequest(line);
        if (action == FaultSwitches::Action::Drop) {
            Log(context, number, request, line, QStringLiteral("connection dropped (fault)"));
            break;
        }
        if (action == FaultSwitches::Action::DropBefore) {
            Log(context, number, request, line, DroppedBefore());
            break;
        }
        if (action == FaultSwitches::Action::Hang) {
            Log(context, number, request, line, QStringLiteral("no reply from now on (fault)"));
            hanging = true;
            continue;
        }
        if (request.fatal && request.layout == nullptr) {
            Log(context, number, request, line, QStringLiteral("error: ") + request.error);
            break;
        }

        SimReply reply = context.handler.Handle(request, line, session);
        if (action == FaultSwitches::Action::DropAfter) {
            Log(context, number, request, line, DroppedAfter(reply.outcome));
            break;
        }
        context.faults.Decorate(reply, request.items.front().number);
        WireCodec codec = session.codec;
        if (reply.eightBitReply)
            codec.utf8 = false;
        PauseBeforeReply(context);

        bool sent = false;
        if (action == FaultSwitches::Action::DropMidReply) {
            LimitedSink half(socket, HalfOfReply(reply, codec, context.options.chunk));
            WriteReply(reply, codec, context.options.chunk, half);
            Log(context, number, request, line,
                reply.outcome + QLatin1String(" (cut short, fault)"));
            break;
        }
        sent = WriteReply(reply, codec, context.options.chunk, socket);
        if (reply.utf8After)
            session.codec.utf8 = *reply.utf8After;
        if (reply.loginKeyAfter)
            session.codec.loginKey = *reply.loginKeyAfter;
        Log(context, number, request, line,
            sent ? reply.outcome : reply.outcome + QLatin1String(" (not sent)"));
        if (!sent || reply.closeAfter || request.fatal)
            break;
    }
}
