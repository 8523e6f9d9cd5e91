// A 200 MB report (ReportProcedure) streamed from nura-sim on loopback into a
// file: through the client, and read chunk by chunk over a bare socket that
// writes each chunk's bytes to its file as they come. Large report results
// and file downloads take this path, so the client should add little to what
// the line and the disk cost anyway.
//
// Both with the login key the server normally hands out (every chunk is
// scrambled, and unscrambled by the reader: the bare socket does that too, so
// that both write the same report) and with nura-sim --no-login-key.
// Each side alone gives bytes_per_second; the side-by-side run gives the
// ratio (vs_raw), which two separate runs on a shared machine cannot.
#include "client/scramble.h"
#include "e2e_client.h"
#include "generated_report.h"
#include "raw_nura_connection.h"
#include "side_by_side.h"
#include "sim_server.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <string>

namespace {

constexpr qint32 kReportNumber = 77;
constexpr qsizetype kReportSize = qsizetype(200) << 20;
// Big enough for the largest chunk the server may send.
constexpr qsizetype kLargestChunk = 50000;

const QByteArray& Report()
{
    static const QByteArray report = GeneratedReport(kReportSize);
    return report;
}

// A simulator with the report in its data folder; one for each mode, started
// on first use and kept for every run of that mode.
struct ReportServer
{
    explicit ReportServer(const QStringList& options)
        : sim(options),
          ready(sim.Running() &&
                sim.PutDataFile(QStringLiteral("reports/%1.txt").arg(kReportNumber), Report()))
    {}
    SimServer sim;
    bool ready;
};

ReportServer& Server(bool scrambled)
{
    if (scrambled) {
        static ReportServer server({QStringLiteral("--quiet")});
        return server;
    }
    static ReportServer server({QStringLiteral("--quiet"), QStringLiteral("--no-login-key")});
    return server;
}

QString TargetFile()
{
    static const QTemporaryDir folder;
    return folder.filePath(QStringLiteral("report.tmp"));
}

// Whether the last download wrote the whole report, byte for byte; the
// file is removed either way.
bool TargetHoldsReport()
{
    QFile file(TargetFile());
    const bool same = file.open(QIODevice::ReadOnly) && file.readAll() == Report();
    file.close();
    file.remove();
    return same;
}

bool WriteAll(int file, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = write(file, data, static_cast<size_t>(size));
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// The bare socket, logged in as the demo operator, sending exactly what the
// client puts on the wire for ReportProcedure(77, "||"): 100, 3, the report
// number, the parameters.
class RawReportReader
{
public:
    explicit RawReportReader(int port) : m_raw(port), m_block(kLargestChunk, '\0')
    {
        m_failure = m_raw.LogIn(QStringLiteral("demo"), QStringLiteral("demo"));
        m_request += static_cast<char>(100);
        m_request += static_cast<char>(3);
        m_request += RawNuraConnection::IntegerItem(kReportNumber);
        m_request += m_raw.StringItem(QStringLiteral("||"));
    }

    const QString& Failure() const { return m_failure; }

    // The report into the target file, created anew as the client does.
    bool Download()
    {
        const QByteArray target = QFile::encodeName(TargetFile());
        const int file = open(target.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (file < 0)
            return false;
        const bool complete = m_raw.SendAll(m_request) && ReadChunks(file);
        return close(file) == 0 && complete;
    }

private:
    // Chunks of (remaining, length, bytes) until one carries all that
    // remains, each unscrambled and written as it arrives.
    bool ReadChunks(int file)
    {
        for (;;) {
            qint32 remaining = 0;
            qint32 length = 0;
            if (!m_raw.ReadInteger(remaining) || remaining < 0 || !m_raw.ReadInteger(length) ||
                length < 0 || length > remaining || length > m_block.size() ||
                !m_raw.ReadBytes(m_block.data(), length))
                return false;
            UnscrambleBytes(m_raw.LoginKey(), m_block.data(), length);
            if (!WriteAll(file, m_block.constData(), length))
                return false;
            if (length == remaining)
                return true;
        }
    }

    RawNuraConnection m_raw;
    QByteArray m_request;
    QByteArray m_block;
    QString m_failure;
};

// The client logged in as the demo operator, as the reading-room window is.
class ClientReportReader
{
public:
    explicit ClientReportReader(const SimServer& sim) : m_client(LogIn(sim, m_reports)) {}

    bool LoggedIn() const { return m_client != nullptr; }
    bool Download()
    {
        return m_client->ReportProcedure(kReportNumber, QStringLiteral("||"), TargetFile());
    }

private:
    Reports m_reports;
    std::unique_ptr<TStandardNuraClient> m_client;
};

// Why a side could not be set up, empty when both are ready.
std::string SetUpFailure(const ReportServer& server, const RawReportReader* raw,
                         const ClientReportReader* client)
{
    if (!server.ready)
        return "nura-sim did not start with the report";
    if (raw != nullptr && !raw->Failure().isEmpty())
        return raw->Failure().toStdString();
    if (client != nullptr && !client->LoggedIn())
        return "the client could not log in";
    return std::string();
}

// Checks the last download after the timed ones: a fast transfer of the
// wrong bytes proves nothing.
void CheckTarget(benchmark::State& state)
{
    if (!state.error_occurred() && !TargetHoldsReport())
        state.SkipWithError("the file holds something else than the report");
}

void ReportStreamRawSocket(benchmark::State& state)
{
    ReportServer& server = Server(state.range(0) != 0);
    RawReportReader raw(server.sim.Port());
    RunAlone(
        state, SetUpFailure(server, &raw, nullptr), [&] { return raw.Download(); },
        "the bare socket's download failed");
    state.SetBytesProcessed(state.iterations() * kReportSize);
    CheckTarget(state);
}
BENCHMARK(ReportStreamRawSocket)
    ->ArgName("scrambled")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void ReportStreamClient(benchmark::State& state)
{
    ReportServer& server = Server(state.range(0) != 0);
    ClientReportReader client(server.sim);
    RunAlone(
        state, SetUpFailure(server, nullptr, &client), [&] { return client.Download(); },
        "the client's download failed");
    state.SetBytesProcessed(state.iterations() * kReportSize);
    CheckTarget(state);
}
BENCHMARK(ReportStreamClient)
    ->ArgName("scrambled")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// One download of each per iteration; both write to the same file, which
// each creates anew.
void ReportStreamClientVsRawSocket(benchmark::State& state)
{
    ReportServer& server = Server(state.range(0) != 0);
    RawReportReader raw(server.sim.Port());
    ClientReportReader client(server.sim);
    const std::string failure = SetUpFailure(server, &raw, &client);
    if (!failure.empty()) {
        state.SkipWithError(failure.c_str());
        return;
    }
    SideBySide sides;
    for (auto _ : state) {
        if (!sides.Turn([&] { return raw.Download(); }, [&] { return client.Download(); })) {
            state.SkipWithError("a download failed");
            break;
        }
    }
    sides.Report(state, static_cast<double>(kReportSize), "bytes", benchmark::Counter::kIs1024);
    CheckTarget(state);
}
BENCHMARK(ReportStreamClientVsRawSocket)
    ->ArgName("scrambled")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(6)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
