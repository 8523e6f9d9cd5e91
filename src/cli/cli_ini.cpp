#include "cli/cli_command.h"
#include "cli/cli_io.h"
#include "config/code_page_setting.h"
#include "config/config_integer.h"
#include "config/ini_file.h"
#include "config/ini_macro.h"
#include "config/multi_ini_file.h"
#include "config/wildcard_match.h"

#include <QFileInfo>

namespace {

void WriteLines(const QStringList& lines, CliIo& io)
{
    for (const QString& line : lines)
        io.WriteLine(line);
}

// The commands that read FILE (the word after the verb); `words` are all
// words after "ini".
int Get(const QStringList& words, CliIo& io)
{
    io.WriteLine(TMultiIniFile(words[1]).ReadString(words[2], words[3], words.value(4)));
    return kCliSuccess;
}

int Int(const QStringList& words, CliIo& io)
{
    int fallback = 0;
    if (!ParseConfigInteger(words[4], fallback))
        return io.Fail(QStringLiteral("DEFAULT must be an integer: %1").arg(words[4]));
    io.WriteLine(
        QString::number(TMultiIniFile(words[1]).ReadInteger(words[2], words[3], fallback)));
    return kCliSuccess;
}

int Sections(const QStringList& words, CliIo& io)
{
    WriteLines(TMultiIniFile(words[1]).ReadSections(), io);
    return kCliSuccess;
}

int SectionValues(const QStringList& words, CliIo& io)
{
    QStringList lines;
    TMultiIniFile(words[1]).ReadSectionValues(words[2], lines);
    WriteLines(lines, io);
    return kCliSuccess;
}

int Expand(const QStringList& words, CliIo& io)
{
    const QString folder = QFileInfo(words[1]).absolutePath() + QLatin1Char('/');
    io.WriteLine(MacroTable::Build(IniFile(words[1]), folder).Expand(words[2]));
    return kCliSuccess;
}

struct FileCommand
{
    const char* verb;
    qsizetype minWords;
    qsizetype maxWords;
    const char* usage;
    int (*run)(const QStringList& words, CliIo& io);
};

const FileCommand kFileCommands[] = {
    {"get", 4, 5, "get FILE SECTION KEY [DEFAULT]", Get},
    {"int", 5, 5, "int FILE SECTION KEY DEFAULT", Int},
    {"sections", 2, 2, "sections FILE", Sections},
    {"section-values", 3, 3, "section-values FILE SECTION", SectionValues},
    {"expand", 3, 3, "expand FILE TEXT", Expand},
};

int Usage(CliIo& io, const char* form)
{
    return io.Fail(QStringLiteral("Usage: czytelnia-cli ini ") + QString::fromLatin1(form));
}

// A missing file would read as an empty one; for a script that is a typo to
// report, not a silent default. The file's own code page applies to it.
int OpenConfig(const QString& file, CliIo& io)
{
    if (!QFileInfo(file).isFile())
        return io.Fail(QStringLiteral("Cannot read the file %1").arg(file));
    const QString error = ApplyConfiguredCodePage(file);
    return error.isEmpty() ? kCliSuccess : io.Fail(error);
}

} // namespace

int RunIniCommand(const QStringList& arguments, CliIo& io)
{
    const QString verb = arguments.value(0);
    if (verb == QStringLiteral("match")) {
        if (arguments.size() != 3)
            return Usage(io, "match TEXT PATTERN");
        io.WriteLine(WildcardMatch(arguments[1], arguments[2]) ? QStringLiteral("1")
                                                               : QStringLiteral("0"));
        return kCliSuccess;
    }
    for (const FileCommand& command : kFileCommands) {
        if (verb != QLatin1String(command.verb))
            continue;
        if (arguments.size() < command.minWords || arguments.size() > command.maxWords)
            return Usage(io, command.usage);
        if (OpenConfig(arguments[1], io) != kCliSuccess)
            return kCliFailure;
        return command.run(arguments, io);
    }
    return Usage(io, "get|int|sections|section-values|expand|match ...");
}
