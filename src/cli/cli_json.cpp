#include "cli/cli_command.h"
#include "cli/cli_io.h"
#include "client/json_error.h"
#include "client/json_value.h"

namespace {

bool KindFromName(const QString& name, TJSONKind& kind)
{
    static const struct
    {
        const char* name;
        TJSONKind kind;
    } kinds[] = {{"string", TJSONKind::String}, {"number", TJSONKind::Number},
                 {"object", TJSONKind::Object}, {"array", TJSONKind::Array},
                 {"bool", TJSONKind::Bool},     {"null", TJSONKind::Null}};
    for (const auto& k : kinds) {
        if (name == QLatin1String(k.name)) {
            kind = k.kind;
            return true;
        }
    }
    return false;
}

} // namespace

int RunJsonCommand(const QStringList& arguments, CliIo& io)
{
    TJSONKind kind = TJSONKind::Array;
    const bool plain = arguments.size() == 1;
    const bool withKind = arguments.size() == 3 && arguments[1] == QStringLiteral("--as") &&
                          KindFromName(arguments[2], kind);
    if (arguments.value(0) != QStringLiteral("parse") || !(plain || withKind))
        return io.Fail(QStringLiteral(
            "Usage: czytelnia-cli json parse [--as array|object|string|number|bool|null]"));
    TJSONValue value(kind);
    try {
        value.Parse(io.ReadBytes());
    } catch (const TJSONError& error) {
        return io.Fail(error.Text());
    }
    io.WriteBytes(value.ToUtf8());
    return kCliSuccess;
}
