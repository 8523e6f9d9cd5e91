#include "cli/cli_command.h"
#include "cli/cli_io.h"
#include "client/ansi_codec.h"
#include "client/scramble.h"
#include "client/utf8_codec.h"

namespace {

// Each conversion takes the bytes of standard input and gives the bytes of
// standard output; text on the terminal side is UTF-8.
struct Conversion
{
    const char* name;
    QByteArray (*convert)(const QByteArray& input);
};

const Conversion kConversions[] = {
    {"encode-ansi", [](const QByteArray& in) { return EncodeAnsi(QString::fromUtf8(in)); }},
    {"decode-ansi", [](const QByteArray& in) { return DecodeAnsi(in).toUtf8(); }},
    {"encode-utf8", [](const QByteArray& in) { return EncodeUtf8(QString::fromUtf8(in)); }},
    {"decode-utf8", [](const QByteArray& in) { return DecodeUtf8(in).toUtf8(); }},
};

} // namespace

int RunCodecCommand(const QStringList& arguments, CliIo& io)
{
    const QString verb = arguments.value(0);
    if (arguments.size() == 1) {
        for (const Conversion& conversion : kConversions) {
            if (verb == QLatin1String(conversion.name)) {
                io.WriteBytes(conversion.convert(io.ReadBytes()));
                return kCliSuccess;
            }
        }
    }
    const bool scramble = verb == QStringLiteral("scramble");
    if (arguments.size() == 2 && (scramble || verb == QStringLiteral("unscramble"))) {
        // The key is typed as text; the scrambler works on its 8-bit form.
        const QByteArray key = EncodeAnsi(arguments[1]);
        const QByteArray input = io.ReadBytes();
        io.WriteBytes(scramble ? ScrambleText(key, input) : UnscrambleText(key, input));
        return kCliSuccess;
    }
    return io.Fail(QStringLiteral("Usage: czytelnia-cli codec encode-ansi|decode-ansi|"
                                  "encode-utf8|decode-utf8 | codec scramble|unscramble KEY"));
}
