// nura-sim: a library server on the loopback interface for the demo and the
// end-to-end tests.

#include "connection.h"
#include "demo_data.h"
#include "fault_switches.h"
#include "record_log.h"
#include "request_handler.h"
#include "sim_data.h"
#include "sim_log.h"
#include "sim_options.h"
#include "sim_server.h"

#include <QCoreApplication>

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
    SimContext context{options, data, handler, faults, record, g_stopping};
    SimServer server(context);
    if (QString error = server.Listen(options.port); !error.isEmpty())
        return Fail(error);
    std::printf("nura-sim: listening on 127.0.0.1:%d\n", server.Port());
    std::fflush(stdout);
    server.Run(g_stopping);
    SimLog(QStringLiteral("nura-sim: stopped"));
    return 0;
}
