#include "cli/cli_call_operations.h"
#include "cli/cli_command.h"
#include "cli/cli_io.h"
#include "cli/cli_server_options.h"
#include "client/nura_client_factory.h"
#include "version.h"

#include <QRegularExpression>

namespace {

const char kCallUsage[] =
    "Usage: czytelnia-cli call --address A --port P [--user U --password W]\n"
    "                          [--service S] [--cafile FILE | --insecure]\n"
    "                          OPERATION [ARGUMENTS...]\n"
    "Runs one server operation and prints its result. --user logs in first;\n"
    "--service names the right the user must hold. An address with \"https:\"\n"
    "or \"http:\" is the server's URL (no --port); --cafile names a certificate\n"
    "to trust, --insecure skips checking the server's certificate. Operations:\n";

// Collects what the client reports while the command runs: errors fail the
// command; messages and the server's own messages are shown on the error
// stream, where they do not mix with the result.
struct Reports
{
    CliIo& io;
    bool failed = false;

    void Error(const QString& text)
    {
        failed = true;
        io.Fail(text);
    }
    void Message(const QString& text) { io.WriteError(QStringLiteral("Komunikat: ") + text); }
    void ServerMessage(const QString& text)
    {
        io.WriteError(QStringLiteral("Komunikat serwera: ") + text);
    }
};

QString UsageText()
{
    QString text = QString::fromLatin1(kCallUsage);
    for (const CallOperation& operation : CallOperations())
        text +=
            QStringLiteral("  %1 %2\n")
                .arg(QLatin1String(operation.name),
                     QString::fromLatin1(operation.signature)
                         .replace(QRegularExpression(QStringLiteral("\\b[insbc]:")), QString()));
    return text;
}

const CallOperation* FindOperation(const QString& name)
{
    for (const CallOperation& operation : CallOperations()) {
        if (name == QLatin1String(operation.name))
            return &operation;
    }
    return nullptr;
}

} // namespace

int RunCallCommand(QStringList arguments, CliIo& io)
{
    ServerOptions server;
    if (!TakeServerOptions(arguments, server) || arguments.isEmpty())
        return io.Fail(UsageText());
    const CallOperation* operation = FindOperation(arguments.takeFirst());
    if (operation == nullptr)
        return io.Fail(UsageText());
    const CallArguments values(arguments);
    const QString misfit =
        values.Check(QLatin1String(operation->name), QString::fromLatin1(operation->signature));
    if (!misfit.isEmpty())
        return io.Fail(misfit);

    Reports reports{io};
    const std::unique_ptr<TNuraClient> connection = CreateNuraClient(
        server.address, TTextHandler::Of<&Reports::ServerMessage>(&reports),
        TTextHandler::Of<&Reports::Error>(&reports), TTextHandler::Of<&Reports::Message>(&reports),
        QStringLiteral("version=C") + QStringLiteral(ZELVORAN_VERSION), server.port);
    TNuraClient& client = *connection;
    if (client.HasError())
        return reports.failed ? kCliFailure : io.Fail(client.ErrorText());
    if (!server.user.isEmpty()) {
        QString error;
        client.Login(server.user, server.password, error, false, server.service);
        if (!error.isEmpty())
            return reports.failed ? kCliFailure : io.Fail(error);
    }
    CallOutput output(io);
    operation->run(client, values, output);
    return reports.failed || output.Failed() ? kCliFailure : kCliSuccess;
}
