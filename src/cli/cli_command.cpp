#include "cli/cli_command.h"

#include "cli/cli_io.h"
#include "config/code_page_setting.h"
#include "config/config_file_name.h"

#include <QFileInfo>

namespace {

const char kUsage[] =
    "Usage: czytelnia-cli [--config FILE] COMMAND ...\n"
    "\n"
    "Configuration files (FILE's own code page applies):\n"
    "  ini get FILE SECTION KEY [DEFAULT]     value, includes and macros applied\n"
    "  ini int FILE SECTION KEY DEFAULT       value as an integer\n"
    "  ini sections FILE                      section names, one per line\n"
    "  ini section-values FILE SECTION        the section's lines, one per line\n"
    "  ini expand FILE TEXT                   TEXT with FILE's macros expanded\n"
    "  ini match TEXT PATTERN                 1 when TEXT matches PATTERN, else 0\n"
    "Brace records (description text on standard input):\n"
    "  brace next [--json]                    name, value and remaining text\n"
    "  brace take KEY [--json]                value of the first KEY record and the rest\n"
    "JSON (text on standard input):\n"
    "  json parse [--as array|object|string|number|bool|null]\n"
    "Codecs (standard input to standard output):\n"
    "  codec encode-ansi | decode-ansi | encode-utf8 | decode-utf8\n"
    "  codec scramble KEY | unscramble KEY\n"
    "\n"
    "--config FILE names the configuration file whose code page (section SYSTEM,\n"
    "key codepage) the brace, json and codec commands use; by default the\n"
    "czytelnia.ini beside this program, when there is one.\n";

// The code page comes from the program's configuration file, as in the
// reading-room program itself; without a file the default page stays.
int ApplyCodePage(const QString& configFile, CliIo& io)
{
    if (!QFileInfo::exists(configFile))
        return kCliSuccess;
    const QString error = ApplyConfiguredCodePage(configFile);
    return error.isEmpty() ? kCliSuccess : io.Fail(error);
}

} // namespace

int RunCli(QStringList arguments, const QString& programFolder, CliIo& io)
{
    QString configFile =
        ConfigurationFileName(programFolder + QStringLiteral("/czytelnia"), QStringList());
    if (arguments.size() >= 2 && arguments.first() == QStringLiteral("--config")) {
        configFile = arguments.at(1);
        arguments.remove(0, 2);
    }
    if (arguments.isEmpty())
        return io.Fail(QString::fromLatin1(kUsage));
    const QString group = arguments.takeFirst();
    if (group == QStringLiteral("--help") || group == QStringLiteral("help")) {
        io.WriteText(QString::fromLatin1(kUsage));
        return kCliSuccess;
    }
    if (group == QStringLiteral("ini"))
        return RunIniCommand(arguments, io);

    using Command = int (*)(const QStringList&, CliIo&);
    Command command = nullptr;
    if (group == QStringLiteral("brace"))
        command = RunBraceCommand;
    else if (group == QStringLiteral("json"))
        command = RunJsonCommand;
    else if (group == QStringLiteral("codec"))
        command = RunCodecCommand;
    else
        return io.Fail(QStringLiteral("Unknown command \"%1\"\n").arg(group) +
                       QString::fromLatin1(kUsage));
    const int rc = ApplyCodePage(configFile, io);
    return rc == kCliSuccess ? command(arguments, io) : rc;
}
