// czytelnia-cli visits: the reading-room visit counts, as the buttons of the
// reading-room window read and add them.
#include "catalog/twypozyczalnia.h"
#include "cli/cli_command.h"
#include "cli/cli_io.h"
#include "cli/cli_server_options.h"
#include "cli/cli_session.h"

namespace {

const char kVisitsUsage[] =
    "Usage: czytelnia-cli visits --address A --port P --user U --password W\n"
    "                            [--service S] [--cafile FILE | --insecure]\n"
    "                            (count TYPE | add TYPE N)\n"
    "Logs in for service S (default czytelnia). count prints today's number of\n"
    "visits of TYPE; add registers N visits of TYPE (a negative N takes them\n"
    "away) and then prints the number after it.\n";

int Usage(CliIo& io)
{
    return io.Fail(QString::fromLatin1(kVisitsUsage));
}

int PrintCount(CliSession& session, const QString& type, CliIo& io)
{
    qint32 count = 0;
    const QString error = session.Session().ReadCount(type, count);
    if (!error.isEmpty())
        return session.Fail(error);
    io.WriteLine(QString::number(count));
    return kCliSuccess;
}

} // namespace

int RunVisitsCommand(QStringList arguments, CliIo& io)
{
    ServerOptions server;
    if (!TakeServerOptions(arguments, server) || server.user.isEmpty() || arguments.size() < 2)
        return Usage(io);
    if (!server.serviceGiven)
        server.service = QStringLiteral("czytelnia");
    const QString action = arguments.at(0);
    const QString type = arguments.at(1);
    const bool adding = action == QLatin1String("add");
    if (arguments.size() != (adding ? 3 : 2) || (!adding && action != QLatin1String("count")))
        return Usage(io);
    bool countIsNumber = true;
    const qint32 added = adding ? arguments.at(2).toInt(&countIsNumber) : 0;
    if (!countIsNumber)
        return Usage(io);

    CliSession session(io);
    if (!session.Open(server))
        return kCliFailure;
    if (adding) {
        const QString error = session.Session().Register(type, added);
        if (!error.isEmpty())
            return session.Fail(error);
    }
    return PrintCount(session, type, io);
}
