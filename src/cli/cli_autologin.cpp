// czytelnia-cli autologin: writes, shows and removes the per-user file the
// reading-room program logs in with on its own. The program itself only
// reads that file.
#include "app/autologin_file.h"
#include "cli/cli_command.h"
#include "cli/cli_io.h"

#include <utility>

namespace {

const char kAutologinUsage[] =
    "Usage: czytelnia-cli autologin set --ip A --port P --user U [--password W]\n"
    "       czytelnia-cli autologin show\n"
    "       czytelnia-cli autologin clear\n"
    "set writes the automatic-login file of this user (readable by the user\n"
    "alone), with the password read from standard input when --password is\n"
    "left out; show prints its address, port and user, never the password;\n"
    "clear removes it. Each names the file it worked on.\n";

int Usage(CliIo& io)
{
    return io.Fail(QString::fromLatin1(kAutologinUsage));
}

struct SetOptions
{
    QString ip;
    QString port;
    QString user;
    QString password;
    bool passwordGiven = false;
};

// Takes the options of `set` in any order; false on anything else or when
// one is missing.
bool TakeSetOptions(QStringList arguments, SetOptions& options)
{
    bool ipGiven = false;
    bool portGiven = false;
    bool userGiven = false;
    const std::pair<const char*, std::pair<QString*, bool*>> valued[] = {
        {"--ip", {&options.ip, &ipGiven}},
        {"--port", {&options.port, &portGiven}},
        {"--user", {&options.user, &userGiven}},
        {"--password", {&options.password, &options.passwordGiven}},
    };
    while (!arguments.isEmpty()) {
        bool matched = false;
        for (const auto& [name, target] : valued) {
            if (arguments.size() >= 2 && arguments.first() == QLatin1String(name)) {
                *target.first = arguments.at(1);
                *target.second = true;
                arguments.remove(0, 2);
                matched = true;
                break;
            }
        }
        if (!matched)
            return false;
    }
    return ipGiven && portGiven && userGiven;
}

int Set(const QStringList& arguments, CliIo& io)
{
    SetOptions options;
    if (!TakeSetOptions(arguments, options))
        return Usage(io);
    AutoLogin values;
    if (!ParsePortNumber(options.port, values.port))
        return io.Fail(QStringLiteral("Automatyczne logowanie: numer portu musi być liczbą od 1 "
                                      "do 65535 (\"%1\")")
                           .arg(options.port));
    values.ip = options.ip;
    values.user = options.user;
    // A password on the command line shows in the process list and the
    // shell's history; standard input keeps it out of both.
    values.password = options.passwordGiven ? options.password : io.ReadLineText();
    const QString path = AutoLoginFilePath();
    const QString error = WriteAutoLogin(path, values);
    if (!error.isEmpty())
        return io.Fail(error);
    io.WriteLine(path);
    return kCliSuccess;
}

int Show(CliIo& io)
{
    const QString path = AutoLoginFilePath();
    AutoLogin values;
    QString error;
    switch (ReadAutoLogin(path, values, error)) {
    case AutoLoginRead::Absent:
        return io.Fail(QStringLiteral("Brak pliku automatycznego logowania: ") + path);
    case AutoLoginRead::Broken:
        return io.Fail(error);
    case AutoLoginRead::Read:
        break;
    }
    io.WriteLine(QStringLiteral("ip\t") + values.ip);
    io.WriteLine(QStringLiteral("port\t") + QString::number(values.port));
    io.WriteLine(QStringLiteral("user\t") + values.user);
    io.WriteLine(QStringLiteral("file\t") + path);
    return kCliSuccess;
}

int Clear(CliIo& io)
{
    const QString path = AutoLoginFilePath();
    const QString error = ClearAutoLogin(path);
    if (!error.isEmpty())
        return io.Fail(error);
    io.WriteLine(path);
    return kCliSuccess;
}

} // namespace

int RunAutologinCommand(const QStringList& arguments, CliIo& io)
{
    const QString action = arguments.value(0);
    if (action == QLatin1String("set"))
        return Set(arguments.mid(1), io);
    if (arguments.size() == 1 && action == QLatin1String("show"))
        return Show(io);
    if (arguments.size() == 1 && action == QLatin1String("clear"))
        return Clear(io);
    return Usage(io);
}
