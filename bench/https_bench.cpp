// The HTTPS client against nura-sim's HTTPS side on loopback (TLS, the
// simulator's certificate trusted, keep-alive connections):
//
// - visit-count reads (GetRegistry) per second, taking turns with the same
//   read by the TCP client on the same simulator, so the cost of TLS, HTTP
//   and JSON shows as a ratio (vs_tcp) within one run;
// - a 50 MB report (ReportProcedure) downloaded to a file: MB/s, and the
//   peak memory the download added over what the process held before, as a
//   multiple of the report size (peak_per_report_byte). The whole report
//   arrives as one Base64 string inside one JSON reply.
#include "e2e_client.h"
#include "generated_report.h"
#include "resident_memory.h"
#include "side_by_side.h"
#include "sim_server.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

const QString kType = QStringLiteral("CZO");
constexpr qint32 kReportNumber = 78;
constexpr qsizetype kReportSize = qsizetype(50) << 20;

struct Server
{
    Server()
        : sim({QStringLiteral("--quiet")}),
          ready(sim.Running() &&
                sim.PutDataFile(QStringLiteral("reports/%1.txt").arg(kReportNumber),
                                GeneratedReport(kReportSize)))
    {}
    SimServer sim;
    bool ready;
};

Server& Sim()
{
    static Server server;
    return server;
}

// A logged-in client of either transport reading one visit count.
class RegistryReader
{
public:
    explicit RegistryReader(Transport transport)
        : m_client(LogInWith(Connect(Sim().sim, m_reports, transport), QStringLiteral("demo"),
                             QStringLiteral("demo")))
    {}
    bool Ready() const { return m_client != nullptr && !m_client->HasError(); }
    bool RoundTrip()
    {
        m_client->GetRegistry(kType, m_answer);
        return m_answer.count == 2;
    }
    TNuraClient& Client() { return *m_client; }

private:
    Reports m_reports;
    std::unique_ptr<TNuraClient> m_client;
    TAnswer m_answer;
};

std::string Failure(bool ready)
{
    if (!Sim().ready)
        return "nura-sim did not start";
    return ready ? std::string() : std::string("the client could not log in");
}

void RegistryRoundTripHttps(benchmark::State& state)
{
    RegistryReader https(Transport::Https);
    RunAlone(
        state, Failure(https.Ready()), [&] { return https.RoundTrip(); },
        "unexpected reply to the visit-count read");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RegistryRoundTripHttps)->UseRealTime()->MinTime(2.0)->Unit(benchmark::kMicrosecond);

// One read of each per iteration.
void RegistryRoundTripHttpsVsTcp(benchmark::State& state)
{
    RegistryReader tcp(Transport::Tcp);
    RegistryReader https(Transport::Https);
    const std::string failure = Failure(tcp.Ready() && https.Ready());
    if (!failure.empty()) {
        state.SkipWithError(failure.c_str());
        return;
    }
    SideBySide sides("tcp", "https");
    for (auto _ : state) {
        if (!sides.Turn([&] { return tcp.RoundTrip(); }, [&] { return https.RoundTrip(); })) {
            state.SkipWithError("a round trip failed");
            break;
        }
    }
    sides.Report(state, 1, "items");
}
BENCHMARK(RegistryRoundTripHttpsVsTcp)->UseRealTime()->MinTime(4.0)->Unit(benchmark::kMicrosecond);

void ReportDownloadHttps(benchmark::State& state)
{
    RegistryReader https(Transport::Https);
    const std::string failure = Failure(https.Ready());
    if (!failure.empty()) {
        state.SkipWithError(failure.c_str());
        return;
    }
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("report.tmp"));
    double peak = 0;
    for (auto _ : state) {
        QFile::remove(target);
        ResetPeakMemory();
        const qint64 before = ResidentBytes("VmRSS:");
        const bool complete =
            https.Client().ReportProcedure(kReportNumber, QStringLiteral("||"), target);
        peak = std::max(peak, static_cast<double>(ResidentBytes("VmHWM:") - before));
        if (!complete || QFile(target).size() != kReportSize) {
            state.SkipWithError("the report did not arrive whole");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * kReportSize);
    state.counters["peak_per_report_byte"] = peak / static_cast<double>(kReportSize);
}
BENCHMARK(ReportDownloadHttps)->UseRealTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
