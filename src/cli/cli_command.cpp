#include "cli/cli_command.h"

#include "cli/cli_io.h"
#include "client/connection_trace.h"
#include "client/https_settings.h"
#include "client/keep_alive_setting.h"
#include "config/code_page_setting.h"
#include "config/config_file_name.h"
#include "config/config_path.h"
#include "config/ini_file.h"

#include <QFileInfo>

namespace {

const char kUsage[] =
    "Usage: czytelnia-cli [--config FILE] [--trace] COMMAND ...\n"
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
    "Server operations:\n"
    "  call --address A --port P [--user U --password W] [--service S] OP [ARGS...]\n"
    "                                         one operation and its result; `call`\n"
    "                                         alone lists the operations\n"
    "  catalog --address A --port P --user U --password W [--service S]\n"
    "                                         the catalog's description, one object a\n"
    "                                         line (`catalog` alone shows the format)\n"
    "  visits --address A --port P --user U --password W [--service S]\n"
    "         (count TYPE | add TYPE N)       today's visits of TYPE; add registers N\n"
    "                                         and prints the count after it\n"
    "  (an address with https: or http: needs no --port; --cafile FILE or\n"
    "  --insecure says how to check the server's certificate)\n"
    "Automatic login (the file the reading-room program logs in with):\n"
    "  autologin set --ip A --port P --user U [--password W]\n"
    "                                         writes it for this user; without\n"
    "                                         --password, from standard input\n"
    "  autologin show                         its address, port, user and path\n"
    "  autologin clear                        removes it\n"
    "Codecs (standard input to standard output):\n"
    "  codec encode-ansi | decode-ansi | encode-utf8 | decode-utf8\n"
    "  codec scramble KEY | unscramble KEY\n"
    "Bar codes:\n"
    "  barcode --mode N DATA [--png FILE --width W --height H]\n"
    "                                         the pattern of DATA in symbology N (1..15,\n"
    "                                         as a report's MODE=); --png also draws it\n"
    "Parameter forms:\n"
    "  form check FILE                        compiler messages, then the tree     \n"
    "  form names FILE                        the names of the form's values\n"
    "  form params [--initial TEXT] [--set NAME=VALUE ...]\n"
    "                                         the parameter text of those values\n"
    "  form render FILE [--initial TEXT] --png OUT\n"
    "                                         the parameter window as it opens for\n"
    "                                         the form, drawn to a PNG picture\n"
    "  markers TEXT --mask MASK               TEXT as a MARKERS field shows it (markers\n"
    "                                         in brackets), then its stored text\n"
    "Rich text (the content of a form's panel; see `richtext` alone):\n"
    "  richtext render FILE --width W (--png OUT | --layout)\n"
    "                                         the content as the panel lays it out\n"
    "Reports (a report file as the server writes it):\n"
    "  report pages FILE [--preview | --dpi D --page-size WxH]\n"
    "                                         section, page, first and last line and\n"
    "                                         1 for the last page of a section, per page\n"
    "  report render FILE --page S,P (--png OUT | --bmp OUT | --ops)\n"
    "                                         one preview page as a picture, or what it\n"
    "                                         draws, one primitive per line\n"
    "  report render FILE --pdf OUT [--range FROM,TO] [--footnote TEXT]\n"
    "                                         the printed pages on A4 as a PDF\n"
    "  report export FILE (--csv | --tab | --srp | --pdf | --xlsx) OUT\n"
    "                                         the report as the save dialog writes it\n"
    "  report print FILE [--printer NAME] [--range FROM,TO] [--footnote TEXT]\n"
    "                                         prints on the system's printer NAME (the\n"
    "                                         default one without it) and names the job\n"
    "\n"
    "--config FILE names the configuration file whose code page (section SYSTEM,\n"
    "key codepage) the brace, json, codec, barcode, richtext, report and autologin\n"
    "commands use (autologin keeps the password in it, as the program reads it), and\n"
    "for richtext also how web pictures are checked (section HTTPS); by default\n"
    "the czytelnia.ini beside this program, when there is one. For call it also\n"
    "gives the keep-alive interval (section TCP), for report the texts of\n"
    "%0, %1, %2 (section INSTALACJA, keys nazwa, etykieta1, etykieta2) and the\n"
    "report font (section ZESTAWIENIA, key font). --trace writes the connection\n"
    "trace to log_tcp_<time>.txt in the current folder.\n";

// The code page and the keep-alive interval come from the program's
// configuration file, as in the reading-room program itself; without a file
// the defaults stay.
int ApplySettings(const QString& configFile, CliIo& io)
{
    if (!QFileInfo::exists(configFile))
        return kCliSuccess;
    const IniFile configuration(configFile);
    ApplyConfiguredKeepAlive(configuration);
    ApplyConfiguredHttps(configuration, FolderOf(configFile));
    const QString error = ApplyConfiguredCodePage(configFile);
    return error.isEmpty() ? kCliSuccess : io.Fail(error);
}

// Takes the global options off the front of the command line.
void TakeGlobalOptions(QStringList& arguments, QString& configFile, bool& trace)
{
    for (bool option = true; option && !arguments.isEmpty();) {
        option = false;
        if (arguments.size() >= 2 && arguments.first() == QStringLiteral("--config")) {
            configFile = arguments.at(1);
            arguments.remove(0, 2);
            option = true;
        } else if (arguments.first() == QStringLiteral("--trace")) {
            trace = true;
            arguments.removeFirst();
            option = true;
        }
    }
}

} // namespace

bool CliNeedsGui(const QStringList& arguments)
{
    QStringList words = arguments;
    QString configFile;
    bool trace = false;
    TakeGlobalOptions(words, configFile, trace);
    if (!words.isEmpty() && words[0] == QStringLiteral("richtext"))
        return true;
    if (words.size() >= 2 && words[0] == QStringLiteral("form") &&
        words[1] == QStringLiteral("render"))
        return true;
    if (words.size() < 2 || words[0] != QStringLiteral("report"))
        return false;
    if (words[1] == QStringLiteral("print"))
        return true;
    if (words[1] != QStringLiteral("render") && words[1] != QStringLiteral("export"))
        return false;
    return words.contains(QStringLiteral("--png")) || words.contains(QStringLiteral("--bmp")) ||
           words.contains(QStringLiteral("--pdf"));
}

int RunCli(QStringList arguments, const QString& programFolder, CliIo& io)
{
    QString configFile =
        ConfigurationFileName(programFolder + QStringLiteral("/czytelnia"), QStringList());
    bool trace = false;
    TakeGlobalOptions(arguments, configFile, trace);
    if (trace)
        SetTraceEnabled(true);
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
    else if (group == QStringLiteral("barcode"))
        command = RunBarcodeCommand;
    else if (group == QStringLiteral("form"))
        command = RunFormCommand;
    else if (group == QStringLiteral("markers"))
        command = RunMarkersCommand;
    else if (group == QStringLiteral("call"))
        command = [](const QStringList& words, CliIo& out) { return RunCallCommand(words, out); };
    else if (group == QStringLiteral("catalog"))
        command = [](const QStringList& words, CliIo& out) {
            return RunCatalogCommand(words, out);
        };
    else if (group == QStringLiteral("visits"))
        command = [](const QStringList& words, CliIo& out) { return RunVisitsCommand(words, out); };
    else if (group == QStringLiteral("autologin"))
        command = RunAutologinCommand;
    else if (group == QStringLiteral("richtext"))
        command = RunRichTextCommand;
    else if (group != QStringLiteral("report"))
        return io.Fail(QStringLiteral("Unknown command \"%1\"\n").arg(group) +
                       QString::fromLatin1(kUsage));
    const int rc = ApplySettings(configFile, io);
    if (rc != kCliSuccess)
        return rc;
    // Reports also take the installation's texts and the report font from
    // the configuration file.
    if (group == QStringLiteral("report"))
        return RunReportCommand(arguments, configFile, io);
    return command(arguments, io);
}
