#include "sim_options.h"

#include "reply_writer.h"

#include <limits>

namespace {

bool ToNumber(const QString& text, qint64 minimum, qint64 maximum, qint64& value)
{
    bool ok = false;
    value = text.toLongLong(&ok);
    return ok && value >= minimum && value <= maximum;
}

} // namespace

QString SimUsage()
{
    return QStringLiteral(
        "usage: nura-sim [--port N] [--https-port N | --no-https] [--http-port N]\n"
        "                [--data DIR] [--demo] [options]\n"
        "  --port N              listen on 127.0.0.1:N (default 8000; 0 = any free port)\n"
        "  --data DIR            data folder (users, visit counts, reports, files, blobs)\n"
        "  --demo                use the built-in demo data (copied into DIR when it is\n"
        "                        empty, or into a fresh folder without --data)\n"
        "  --quiet               no log line per request\n"
        "  --chunk N             stream chunk size, 1..50000 (default 16384)\n"
        "  --record FILE         append one line per request received to FILE\n"
        "  --item-timeout MS     wait for the rest of a request (default 5000)\n"
        "  --drop-after N        close the connection instead of answering request N+1\n"
        "  --drop-mid-reply N    send half of the reply to request N+1, then close\n"
        "  --hang-after N        never answer request N+1 or later ones on its connection\n"
        "  --drop-random N       close the connection at random, once in N requests\n"
        "                        (N >= 2) on average, half of the times before carrying\n"
        "                        the request out and half after it, before the reply\n"
        "  --seed S              the seed of --drop-random (default: from the clock)\n"
        "  --fault-request P     the four switches above count only requests whose\n"
        "                        record line starts with P (and the --https-... reply\n"
        "                        faults hit only those)\n"
        "  --delay MS            wait before every reply\n"
        "  --bad-count C         count replies (except handshake and login) send only C\n"
        "  --server-messages K   K server messages before every count and stream\n"
        "  --long-string BYTES   the default canned reply's field is BYTES times \"x\"\n"
        "  --old-server GEN      describe the server as GEN (NURA1, NURA2, NURA3) with no\n"
        "                        structure; its lists are served entry by entry\n"
        "  --version V           the server's \"wersja\"\n"
        "  --no-utf8             refuse the UTF-8 offer\n"
        "  --no-login-key        hand out no login key (no scrambling)\n"
        "HTTPS (JSON requests; the faults below apply to HTTPS and HTTP replies):\n"
        "  --https-port N        serve HTTPS on 127.0.0.1:N (default 8443, but any free\n"
        "                        port when --port is 0; 0 = any free port)\n"
        "  --no-https            no HTTPS\n"
        "  --http-port N         also serve plain HTTP on 127.0.0.1:N (off by default)\n"
        "  --cert FILE --key FILE  the certificate and key (PEM); default: the data\n"
        "                        folder's nura-sim-cert.pem and nura-sim-key.pem, made\n"
        "                        self-signed when missing\n"
        "  --https-gzip          gzip-encoded replies\n"
        "  --https-status CODE   answer with HTTP status CODE and a text body\n"
        "  --https-envelope-status N  the reply's \"status\" member is N\n"
        "  --https-drop-member M leave out \"data\", \"connection_id\" or \"results\"\n"
        "  --https-bad-blob      downloads carry [2,\"x\"] instead of [3,data]\n"
        "  --https-fault-times K the four switches above hit only K requests\n"
        "                        (of those matching --fault-request); default all\n");
}

QString ParseSimOptions(const QStringList& arguments, SimOptions& options)
{
    bool noHttps = false;
    bool httpsPortGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& name = arguments.at(i);
        auto flag = [&](const char* wanted) { return name == QLatin1String(wanted); };
        if (flag("--help") || flag("-h")) {
            options.help = true;
            continue;
        }
        if (flag("--demo")) {
            options.demo = true;
            continue;
        }
        if (flag("--quiet")) {
            options.quiet = true;
            continue;
        }
        if (flag("--no-utf8")) {
            options.noUtf8 = true;
            continue;
        }
        if (flag("--no-login-key")) {
            options.noLoginKey = true;
            continue;
        }
        if (flag("--no-https")) {
            noHttps = true;
            continue;
        }
        if (flag("--https-gzip")) {
            options.httpsGzip = true;
            continue;
        }
        if (flag("--https-bad-blob")) {
            options.httpsBadBlob = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            return QStringLiteral("unknown option or missing value: %1").arg(name);
        const QString value = arguments.at(++i);
        qint64 number = 0;
        auto numberIn = [&](qint64 minimum, qint64 maximum) {
            return ToNumber(value, minimum, maximum, number);
        };
        const QString bad = QStringLiteral("bad value for %1: %2").arg(name, value);
        if (flag("--port")) {
            if (!numberIn(0, 65535))
                return bad;
            options.port = static_cast<int>(number);
        } else if (flag("--data")) {
            options.dataDir = value;
        } else if (flag("--chunk")) {
            if (!numberIn(1, kMaxChunk))
                return bad;
            options.chunk = static_cast<int>(number);
        } else if (flag("--record")) {
            options.recordFile = value;
        } else if (flag("--item-timeout")) {
            if (!numberIn(1, 3600000))
                return bad;
            options.itemTimeoutMs = static_cast<int>(number);
        } else if (flag("--drop-after") || flag("--drop-mid-reply") || flag("--hang-after")) {
            if (!numberIn(0, std::numeric_limits<qint64>::max() - 1))
                return bad;
            (flag("--drop-after")       ? options.dropAfter
             : flag("--drop-mid-reply") ? options.dropMidReply
                                        : options.hangAfter) = number;
        } else if (flag("--drop-random")) {
            // 2N must stay a 64-bit number for the draw.
            if (!numberIn(2, std::numeric_limits<qint64>::max() / 2))
                return bad;
            options.dropRandom = number;
        } else if (flag("--seed")) {
            if (!numberIn(0, std::numeric_limits<qint64>::max()))
                return bad;
            options.seed = static_cast<quint64>(number);
        } else if (flag("--fault-request")) {
            options.faultRequest = value;
        } else if (flag("--delay")) {
            if (!numberIn(0, 3600000))
                return bad;
            options.delayMs = static_cast<int>(number);
        } else if (flag("--bad-count")) {
            if (!numberIn(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()))
                return bad;
            options.badCountSet = true;
            options.badCount = static_cast<qint32>(number);
        } else if (flag("--server-messages")) {
            if (!numberIn(0, 1000))
                return bad;
            options.serverMessages = static_cast<int>(number);
        } else if (flag("--long-string")) {
            if (!numberIn(0, 512 * 1024 * 1024))
                return bad;
            options.longString = number;
        } else if (flag("--old-server")) {
            if (value != QLatin1String("NURA1") && value != QLatin1String("NURA2") &&
                value != QLatin1String("NURA3"))
                return bad;
            options.oldServer = value;
        } else if (flag("--version")) {
            options.version = value;
        } else if (flag("--https-port") || flag("--http-port")) {
            if (!numberIn(0, 65535))
                return bad;
            (flag("--https-port") ? options.httpsPort : options.httpPort) =
                static_cast<int>(number);
            httpsPortGiven = httpsPortGiven || flag("--https-port");
        } else if (flag("--cert")) {
            options.certFile = value;
        } else if (flag("--key")) {
            options.keyFile = value;
        } else if (flag("--https-status")) {
            if (!numberIn(100, 599) || number == 200)
                return bad;
            options.httpsStatus = static_cast<int>(number);
        } else if (flag("--https-envelope-status")) {
            if (!numberIn(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()))
                return bad;
            options.httpsEnvelopeStatus = number;
        } else if (flag("--https-drop-member")) {
            if (value != QLatin1String("data") && value != QLatin1String("connection_id") &&
                value != QLatin1String("results"))
                return bad;
            options.httpsDropMember = value;
        } else if (flag("--https-fault-times")) {
            if (!numberIn(0, std::numeric_limits<qint64>::max()))
                return bad;
            options.httpsFaultTimes = number;
        } else {
            return QStringLiteral("unknown option: %1").arg(name);
        }
    }
    if (!options.demo && options.dataDir.isEmpty() && !options.help)
        return QStringLiteral("give --data DIR, --demo, or both");
    if (options.seed && options.dropRandom < 0)
        return QStringLiteral("--seed is for --drop-random");
    if (options.certFile.isEmpty() != options.keyFile.isEmpty())
        return QStringLiteral("give --cert and --key together");
    // Tests ask for any free TCP port and run side by side; a fixed HTTPS
    // port would make them fight over it.
    if (noHttps)
        options.httpsPort = -1;
    else if (!httpsPortGiven && options.port == 0)
        options.httpsPort = 0;
    return {};
}
