#include "cli/cli_command.h"
#include "cli/cli_io.h"
#include "client/ansi_codec.h"
#include "client/scramble.h"
#include "client/utf8_codec.h"

int RunCodecCommand(const QStringList& arguments, CliIo& io)
{
    const QString verb = arguments.value(0);
    if (arguments.size() == 1) {
        if (verb == QStringLiteral("encode-ansi")) {
            io.WriteBytes(EncodeAnsi(io.ReadText()));
            return kCliSuccess;
        }
        if (verb == QStringLiteral("decode-ansi")) {
            io.WriteText(DecodeAnsi(io.ReadBytes()));
            return kCliSuccess;
        }
        if (verb == QStringLiteral("encode-utf8")) {
            io.WriteBytes(EncodeUtf8(io.ReadText()));
            return kCliSuccess;
        }
        if (verb == QStringLiteral("decode-utf8")) {
            io.WriteText(DecodeUtf8(io.ReadBytes()));
            return kCliSuccess;
        }
    }
    if (arguments.size() == 2) {
        // The key is typed as text; the scrambler works on its 8-bit form.
        const QByteArray key = EncodeAnsi(arguments[1]);
        if (verb == QStringLiteral("scramble")) {
            io.WriteBytes(ScrambleText(key, io.ReadBytes()));
            return kCliSuccess;
        }
        if (verb == QStringLiteral("unscramble")) {
            io.WriteBytes(UnscrambleText(key, io.ReadBytes()));
            return kCliSuccess;
        }
    }
    return io.Fail(QStringLiteral("Usage: czytelnia-cli codec encode-ansi|decode-ansi|"
                                  "encode-utf8|decode-utf8 | codec scramble|unscramble KEY"));
}
