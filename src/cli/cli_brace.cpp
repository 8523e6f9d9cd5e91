#include "catalog/brace_notation.h"
#include "cli/cli_command.h"
#include "cli/cli_io.h"

namespace {

QString JsonString(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\')
            out += QLatin1Char('\\') + c;
        else if (u == u'\n')
            out += QStringLiteral("\\n");
        else if (u == u'\r')
            out += QStringLiteral("\\r");
        else if (u == u'\t')
            out += QStringLiteral("\\t");
        else if (u < 0x20)
            out += QStringLiteral("\\u%1").arg(static_cast<int>(u), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

// Plain output puts each part on its own line; a value that itself holds
// line breaks needs --json to be read back unambiguously.
void WriteRecord(const QString& name, const QString& value, const QString& rest, bool withName,
                 bool json, CliIo& io)
{
    if (json) {
        io.WriteLine(QStringLiteral("{\"name\":%1,\"value\":%2,\"rest\":%3}")
                         .arg(JsonString(name), JsonString(value), JsonString(rest)));
        return;
    }
    if (withName)
        io.WriteLine(name);
    io.WriteLine(value);
    io.WriteLine(rest);
}

} // namespace

int RunBraceCommand(const QStringList& arguments, CliIo& io)
{
    QStringList words = arguments;
    const bool json = words.removeAll(QStringLiteral("--json")) > 0;
    const QString verb = words.value(0);
    if (verb == QStringLiteral("next") && words.size() == 1) {
        QString text = io.ReadLineText();
        QString name;
        QString value;
        NextRecord(text, name, value);
        WriteRecord(name, value, text, true, json, io);
        return kCliSuccess;
    }
    if (verb == QStringLiteral("take") && words.size() == 2) {
        QString text = io.ReadLineText();
        const QString value = TakeRecord(text, words[1]);
        WriteRecord(words[1], value, text, false, json, io);
        return kCliSuccess;
    }
    return io.Fail(QStringLiteral("Usage: czytelnia-cli brace next [--json] | "
                                  "brace take KEY [--json]"));
}
