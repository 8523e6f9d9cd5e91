// Visit-count reads (GetRegistry) per second against nura-sim on loopback:
// through the client, and as the same request bytes sent and the same reply
// read over a bare socket. The reading-room window reads one count per button
// after every click, so the client's share of a round trip is what the
// operator waits for on top of the server. Both sides talk to one simulator,
// started with --quiet so that its log does not set the pace.
//
// Each side alone gives items_per_second; the side-by-side run gives the
// ratio (vs_raw), which two separate runs on a shared machine cannot. Each
// connection has its own thread in the simulator, and the scheduler places
// those threads and this one on the two cores differently from run to run;
// a round trip within one core costs another time than one across cores, so
// one side may be favoured by a whole run. Under `taskset -c 0` (the
// simulator inherits it) both sides meet the same placement and the ratio
// holds still.
#include "e2e_client.h"
#include "raw_nura_connection.h"
#include "side_by_side.h"
#include "sim_server.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

const QString kType = QStringLiteral("CZO");

SimServer& Sim()
{
    static SimServer sim({QStringLiteral("--quiet")});
    return sim;
}

// The bare socket, logged in as the demo operator, sending exactly what the
// client puts on the wire for GetRegistry("CZO"): code 151, 'V', the type.
class RawRegistryReader
{
public:
    explicit RawRegistryReader(int port) : m_raw(port)
    {
        m_failure = m_raw.LogIn(QStringLiteral("demo"), QStringLiteral("demo"));
        m_request += static_cast<char>(151);
        m_request += 'V';
        m_request += m_raw.StringItem(kType);
        // One checked exchange: the timed ones only step over the reply, so
        // make sure it is the two-field answer the client gets.
        QStringList fields;
        if (m_failure.isEmpty() && (!m_raw.SendAll(m_request) || !m_raw.ReadCountReply(fields) ||
                                    fields.size() != 2 || fields[0] != kType))
            m_failure = QStringLiteral("unexpected reply to the visit-count read");
    }

    const QString& Failure() const { return m_failure; }
    bool RoundTrip() { return m_raw.SendAll(m_request) && m_raw.SkipCountReply(); }

private:
    RawNuraConnection m_raw;
    QByteArray m_request;
    QString m_failure;
};

// The client logged in as the demo operator, as the reading-room window is.
class ClientRegistryReader
{
public:
    ClientRegistryReader() : m_client(LogIn(Sim(), m_reports)) {}

    bool LoggedIn() const { return m_client != nullptr; }
    bool RoundTrip()
    {
        m_client->GetRegistry(kType, m_answer);
        return m_answer.count == 2;
    }

private:
    Reports m_reports;
    std::unique_ptr<TStandardNuraClient> m_client;
    TAnswer m_answer;
};

// Why a side could not be set up, empty when both are ready.
std::string SetUpFailure(const RawRegistryReader* raw, const ClientRegistryReader* client)
{
    if (!Sim().Running())
        return "nura-sim did not start";
    if (raw != nullptr && !raw->Failure().isEmpty())
        return raw->Failure().toStdString();
    if (client != nullptr && !client->LoggedIn())
        return "the client could not log in";
    return std::string();
}

void RegistryRoundTripRawSocket(benchmark::State& state)
{
    RawRegistryReader raw(Sim().Port());
    RunAlone(
        state, SetUpFailure(&raw, nullptr), [&] { return raw.RoundTrip(); },
        "the bare socket lost the connection");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RegistryRoundTripRawSocket)->UseRealTime()->MinTime(2.0)->Unit(benchmark::kMicrosecond);

void RegistryRoundTripClient(benchmark::State& state)
{
    ClientRegistryReader client;
    RunAlone(
        state, SetUpFailure(nullptr, &client), [&] { return client.RoundTrip(); },
        "unexpected reply to the visit-count read");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RegistryRoundTripClient)->UseRealTime()->MinTime(2.0)->Unit(benchmark::kMicrosecond);

// One round trip of each per iteration.
void RegistryRoundTripClientVsRawSocket(benchmark::State& state)
{
    RawRegistryReader raw(Sim().Port());
    ClientRegistryReader client;
    const std::string failure = SetUpFailure(&raw, &client);
    if (!failure.empty()) {
        state.SkipWithError(failure.c_str());
        return;
    }
    SideBySide sides;
    for (auto _ : state) {
        if (!sides.Turn([&] { return raw.RoundTrip(); }, [&] { return client.RoundTrip(); })) {
            state.SkipWithError("a round trip failed");
            break;
        }
    }
    sides.Report(state, 1, "items");
}
BENCHMARK(RegistryRoundTripClientVsRawSocket)
    ->UseRealTime()
    ->MinTime(4.0)
    ->Unit(benchmark::kMicrosecond);

} // namespace
