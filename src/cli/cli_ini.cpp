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

void WriteLines(const QStringList& lines, CliIo& io)
{
    for (const QString& line : lines)
        io.WriteLine(line);
}

} // namespace

int RunIniCommand(const QStringList& arguments, CliIo& io)
{
    const QString verb = arguments.value(0);
    const qsizetype count = arguments.size();

    if (verb == QStringLiteral("match")) {
        if (count != 3)
            return Usage(io, "match TEXT PATTERN");
        io.WriteLine(WildcardMatch(arguments[1], arguments[2]) ? QStringLiteral("1")
                                                               : QStringLiteral("0"));
        return kCliSuccess;
    }

    const QString file = arguments.value(1);
    if (verb == QStringLiteral("get")) {
        if (count != 4 && count != 5)
            return Usage(io, "get FILE SECTION KEY [DEFAULT]");
        if (OpenConfig(file, io) != kCliSuccess)
            return kCliFailure;
        io.WriteLine(
            TMultiIniFile(file).ReadString(arguments[2], arguments[3], arguments.value(4)));
        return kCliSuccess;
    }
    if (verb == QStringLiteral("int")) {
        int fallback = 0;
        if (count != 5)
            return Usage(io, "int FILE SECTION KEY DEFAULT");
        if (!ParseConfigInteger(arguments[4], fallback))
            return io.Fail(QStringLiteral("DEFAULT must be an integer: %1").arg(arguments[4]));
        if (OpenConfig(file, io) != kCliSuccess)
            return kCliFailure;
        io.WriteLine(
            QString::number(TMultiIniFile(file).ReadInteger(arguments[2], arguments[3], fallback)));
        return kCliSuccess;
    }
    if (verb == QStringLiteral("sections")) {
        if (count != 2)
            return Usage(io, "sections FILE");
        if (OpenConfig(file, io) != kCliSuccess)
            return kCliFailure;
        WriteLines(TMultiIniFile(file).ReadSections(), io);
        return kCliSuccess;
    }
    if (verb == QStringLiteral("section-values")) {
        if (count != 3)
            return Usage(io, "section-values FILE SECTION");
        if (OpenConfig(file, io) != kCliSuccess)
            return kCliFailure;
        QStringList lines;
        TMultiIniFile(file).ReadSectionValues(arguments[2], lines);
        WriteLines(lines, io);
        return kCliSuccess;
    }
    if (verb == QStringLiteral("expand")) {
        if (count != 3)
            return Usage(io, "expand FILE TEXT");
        if (OpenConfig(file, io) != kCliSuccess)
            return kCliFailure;
        const QString folder = QFileInfo(file).absolutePath() + QLatin1Char('/');
        io.WriteLine(MacroTable::Build(IniFile(file), folder).Expand(arguments[2]));
        return kCliSuccess;
    }
    return Usage(io, "get|int|sections|section-values|expand|match ...");
}
