// czytelnia-cli visits against the simulator: counts read and added as the
// reading-room buttons do, and every refusal as a text with exit code 1.
#include "cli_server_run.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CliRun Visits(const SimServer& sim, bool https, const char* user, const char* password,
              const QStringList& words)
{
    const QTemporaryDir folder;
    return RunInProcess(QStringList{S("visits")} + ServerOptionsFor(sim, https, user, password) +
                            words,
                        folder.path());
}

class CliVisitsTest : public testing::TestWithParam<bool>
{};

INSTANTIATE_TEST_SUITE_P(Transports, CliVisitsTest, testing::Values(false, true),
                         TransportTestName);

TEST_P(CliVisitsTest, AddsAndCounts)
{
    SimServer sim;
    ASSERT_TRUE(sim.Running());
    struct Row
    {
        std::vector<const char*> words;
        const char* out;
    } rows[] = {
        /* 0*/ {{"count", "CZN"}, "0\n"},
        /* 1*/ {{"add", "CZN", "5"}, "5\n"},
        /* 2*/ {{"add", "CZN", "-3"}, "2\n"},
        /* 3*/ {{"count", "CZN"}, "2\n"},
        // Types count apart.
        /* 4*/ {{"add", "MMS", "1"}, "1\n"},
        /* 5*/ {{"count", "CZN"}, "2\n"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const CliRun run = Visits(sim, GetParam(), "anna", "Żółw-1", Words(rows[i].words));
        EXPECT_EQ(run.rc, 0) << i << run.err.toStdString();
        EXPECT_EQ(run.out, QByteArray(rows[i].out)) << i;
    }
}

TEST(CliVisits, RefusalsGoToTheErrorStream)
{
    SimServer sim;
    SimServer old({S("--old-server"), S("NURA3"), S("--no-https")});
    // The registration itself is dropped, and a script cannot be asked
    // whether to connect again.
    SimServer dropping({S("--fault-request"), S("151 73"), S("--drop-after"), S("0")});
    ASSERT_TRUE(sim.Running() && old.Running() && dropping.Running());
    struct Row
    {
        const SimServer& server;
        const char* user;
        const char* password;
        std::vector<const char*> words;
        const char* err;
    } rows[] = {
        /* 0*/ {sim, "demo", "zle", {"count", "CZO"}, "Błędne hasło\n"},
        /* 1*/ {sim, "nikt", "x", {"count", "CZO"}, "Błędna nazwa użytkownika\n"},
        // The login asks for the reading-room right by default...
        /* 2*/ {sim, "katalog", "katalog", {"count", "CZO"}, "Brak uprawnień\n"},
        // ...and without a service the server refuses the visits itself.
        /* 3*/
        {sim,
         "katalog",
         "katalog",
         {"--service", "", "add", "CZO", "1"},
         "Brak uprawnień do rejestracji odwiedzin\n"},
        /* 4*/
        {old, "demo", "demo", {"count", "CZO"}, "Serwer nie realizuje usługi \"czytelnia\"\n"},
        /* 5*/
        {sim, "zmiana", "zmiana", {"count", "CZO"}, "Hasło wygasło. Należy ustalić nowe hasło.\n"},
        /* 6*/ {dropping, "demo", "demo", {"add", "CZO", "1"}, "GETINTEGER: zerwane połączenie\n"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        const CliRun run = Visits(row.server, false, row.user, row.password, Words(row.words));
        EXPECT_EQ(run.rc, 1) << i;
        EXPECT_TRUE(run.out.isEmpty()) << i << run.out.toStdString();
        EXPECT_EQ(run.err.toStdString(), row.err) << i;
    }
    // Nothing was counted by the refused and the dropped registrations.
    EXPECT_EQ(Visits(sim, false, "demo", "demo", {S("count"), S("CZO")}).out, "0\n");
    EXPECT_EQ(Visits(dropping, false, "demo", "demo", {S("count"), S("CZO")}).out, "0\n");
}

TEST(CliVisits, MisusedCommandLinesGiveTheUsage)
{
    const QTemporaryDir folder;
    const QStringList server =
        Words({"--address", "127.0.0.1", "--port", "1", "--user", "demo", "--password", "demo"});
    const std::vector<const char*> rows[] = {
        /* 0*/ {"count"},
        /* 1*/ {"count", "CZO", "2"},
        /* 2*/ {"add", "CZO"},
        /* 3*/ {"add", "CZO", "dwa"},
        /* 4*/ {"remove", "CZO", "1"},
        /* 5*/ {},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const CliRun run =
            RunInProcess(QStringList{S("visits")} + server + Words(rows[i]), folder.path());
        EXPECT_EQ(run.rc, 1) << i;
        EXPECT_TRUE(run.err.startsWith("Usage: czytelnia-cli visits"))
            << i << run.err.toStdString();
    }
    // No user, or a TCP address without its port.
    for (const QStringList& words :
         {Words({"--address", "127.0.0.1", "--port", "1", "count", "CZO"}),
          Words({"--address", "127.0.0.1", "--user", "demo", "count", "CZO"})}) {
        const CliRun run = RunInProcess(QStringList{S("visits")} + words, folder.path());
        EXPECT_EQ(run.rc, 1);
        EXPECT_TRUE(run.err.startsWith("Usage: czytelnia-cli visits"));
    }
}

} // namespace
