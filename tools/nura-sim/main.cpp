// nura-sim: a library server on the loopback interface for the demo and the
// end-to-end tests.

#include "connection.h"
#include "demo_data.h"
#include "fault_switches.h"
#include "http_front.h"
#include "json_endpoint.h"
#include "record_log.h"
#include "request_handler.h"
#include "self_signed_certificate.h"
#include "sim_data.h"
#include "sim_log.h"
#include "sim_options.h"
#include "sim_server.h"

#include <QCoreApplication>
#include <QFile>

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

std::atomic<bool> g_stopping{false};

extern "C" void OnStopSignal(int)
{
    g_stopping.store(true);
}

int Fail(const QString& text)
{
    SimLog(QStringLiteral("nura-sim: ") + text);
    return 2;
}

// Binds the HTTPS side (with its certificate, made when the data folder
// has none) and the plain HTTP side, each when asked for. Returns an error
// text, empty on success.
QString ListenForJson(const SimOptions& options, const QString& folder, HttpFront& https,
                      HttpFront& http, QString& certFile)
{
    if (options.httpsPort >= 0) {
        certFile = options.certFile;
        QString keyFile = options.keyFile;
        if (QString error = PrepareCertificate(folder, certFile, keyFile); !error.isEmpty())
            return error;
        if (QString error = https.Listen(options.httpsPort, certFile, keyFile); !error.isEmpty())
            return error + QLatin1String(" (--https-port, --no-https)");
    }
    if (options.httpPort >= 0)
        return http.Listen(options.httpPort);
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    std::signal(SIGPIPE, SIG_IGN);
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    SimOptions options;
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (const QString error = ParseSimOptions(arguments, options); !error.isEmpty())
        return Fail(error + QLatin1String("\n") + SimUsage());
    if (options.help) {
        std::fputs(SimUsage().toUtf8().constData(), stdout);
        return 0;
    }

    QString folder;
    if (QString error = PrepareDataFolder(options.dataDir, options.demo, folder); !error.isEmpty())
        return Fail(error);
    if (options.demo)
        SimLog(QStringLiteral("nura-sim: data folder %1").arg(folder));
    SimData data;
    if (QString error = data.Load(folder, options); !error.isEmpty())
        return Fail(error);
    RecordLog record;
    if (QString error = record.Open(options.recordFile); !error.isEmpty())
        return Fail(error);

    RequestHandler handler(data, options);
    FaultSwitches faults(options);
    // A soak run that found a fault can be repeated with the same drops.
    if (options.dropRandom >= 2)
        SimLog(QStringLiteral("nura-sim: random drops, 1 in %1 requests, seed %2")
                   .arg(options.dropRandom)
                   .arg(faults.RandomSeed()));
    SimContext context{options, data, handler, faults, record, g_stopping};
    SimServer server(context);
    if (QString error = server.Listen(options.port); !error.isEmpty())
        return Fail(error);
    JsonEndpoint endpoint(context);
    HttpFront https(endpoint, g_stopping, QStringLiteral("HTTPS"));
    HttpFront http(endpoint, g_stopping, QStringLiteral("HTTP"));
    QString certFile;
    if (QString error = ListenForJson(options, folder, https, http, certFile); !error.isEmpty())
        return Fail(error);

    // Tests read these lines to find the ports; the TCP line comes first.
    std::printf("nura-sim: listening on 127.0.0.1:%d\n", server.Port());
    if (options.httpsPort >= 0) {
        std::printf("nura-sim: listening for HTTPS on 127.0.0.1:%d\n", https.Port());
        std::printf("nura-sim: certificate %s\n", QFile::encodeName(certFile).constData());
    }
    if (options.httpPort >= 0)
        std::printf("nura-sim: listening for HTTP on 127.0.0.1:%d\n", http.Port());
    std::fflush(stdout);

    https.Start();
    http.Start();
    server.Run(g_stopping);
    https.Stop();
    http.Stop();
    SimLog(QStringLiteral("nura-sim: stopped"));
    return 0;
}
