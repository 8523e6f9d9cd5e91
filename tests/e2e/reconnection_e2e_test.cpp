// A line that breaks, hangs or goes silent: the error reaches the handler
// while the operation runs, the handler reconnects, and what is safe to
// repeat is repeated, while a visit registration is never sent twice.
#include "client/keep_alive_setting.h"
#include "client/lm_timer.h"
#include "client/tcp_client.h"
#include "e2e_client.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

QString S(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Requests made of `items` and possibly more items after them.
qsizetype CountOf(const QStringList& lines, const QString& items)
{
    qsizetype count = 0;
    for (const QString& line : lines)
        count += line == items || line.startsWith(items + QLatin1Char(' ')) ? 1 : 0;
    return count;
}

TEST(Reconnection, SafeReadsRepeatAfterADropInTheMiddleOfTheReply)
{
    for (const char* fault : {"--drop-mid-reply", "--drop-after"}) {
        SimSession session({S(fault), S("0"), S("--fault-request"), S("151 86")});
        ASSERT_TRUE(session.Ready());
        auto& [sim, reports, client] = session;
        reports.reconnectOnError = client.get();
        TAnswer answer;
        client->GetRegistry(S("CZO"), answer);
        ASSERT_EQ(reports.errors.size(), 1) << fault;
        EXPECT_TRUE(reports.errors[0].contains(S("zerwane"), Qt::CaseInsensitive))
            << reports.errors[0].toStdString();
        EXPECT_EQ(answer.count, 2) << fault;
        EXPECT_EQ(answer.fields[0], S("CZO"));
        EXPECT_FALSE(client->HasError());
        EXPECT_TRUE(client->LoggedIn()) << "the reconnection logged in again";
        EXPECT_EQ(CountOf(sim.Requests(), S("151 86")), 2) << fault;
    }
}

TEST(Reconnection, ARegistrationIsNeverSentTwice)
{
    SimSession session({S("--drop-mid-reply"), S("0"), S("--fault-request"), S("151 73")});
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    reports.reconnectOnError = client.get();
    TAnswer answer;
    client->GetRegistry(S("CZO"), answer);
    const int before = answer.fields[1].toInt();
    client->Registry(S("CZO"), 1, answer);
    EXPECT_EQ(reports.errors.size(), 1);
    EXPECT_TRUE(client->WasReconnected()) << "the caller learns the outcome is unsure";
    EXPECT_FALSE(client->HasError());
    EXPECT_EQ(CountOf(sim.Requests(), S("151 73")), 1);
    client->GetRegistry(S("CZO"), answer);
    EXPECT_EQ(answer.fields[1].toInt(), before + 1) << "the server counted it once";
}

// The line breaks on a registration and again while the new connection
// logs in: the next reconnection must still log in, or every visit after
// it would be refused as coming from nobody.
TEST(Reconnection, ALoginCutOffDuringAReconnectionIsTriedAgain)
{
    qsizetype opening = 0;
    {
        SimSession probe;
        ASSERT_TRUE(probe.Ready());
        opening = probe.sim.Requests().size();
    }
    // Request opening+1 is the registration; the new connection then logs
    // in at once, and the reply to its user name (+2) breaks off.
    SimSession session({S("--drop-after"), QString::number(opening), S("--drop-mid-reply"),
                        QString::number(opening + 1)});
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    reports.reconnectOnError = client.get();
    TAnswer answer;
    client->Registry(S("CZO"), 1, answer);
    EXPECT_TRUE(client->WasReconnected());
    EXPECT_TRUE(client->HasError()) << "the login after the first reconnection broke off";
    EXPECT_EQ(CountOf(sim.Requests(), S("128 s:\"demo\"")), 2);
    client->Reconnect();
    EXPECT_FALSE(client->HasError()) << client->ErrorText().toStdString();
    EXPECT_TRUE(client->LoggedIn());
    client->Registry(S("CZO"), 1, answer);
    EXPECT_EQ(answer.count, 0) << answer.fields[0].toStdString();
    EXPECT_FALSE(client->HasError());
}

TEST(Reconnection, ASilentServerTimesOutAndTheClientRecovers)
{
    SimSession session({S("--hang-after"), S("0"), S("--fault-request"), S("151 86")});
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    client->Socket().SetWaitLimit(0);
    TAnswer answer;
    const auto start = std::chrono::steady_clock::now();
    client->GetRegistry(S("CZO"), answer);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(answer.count, 0);
    EXPECT_EQ(client->ErrorText(), S("Przekroczony czas oczekiwania"));
    EXPECT_EQ(reports.errors, QStringList{S("Przekroczony czas oczekiwania")});
    client->Reconnect();
    EXPECT_FALSE(client->HasError());
    client->GetRegistry(S("CZO"), answer);
    EXPECT_EQ(answer.count, 2);
}

TEST(Reconnection, AServerThatIsGoneStaysAnErrorUntilItIsBack)
{
    Reports reports;
    std::unique_ptr<TStandardNuraClient> client;
    int port = 0;
    {
        SimServer sim;
        ASSERT_TRUE(sim.Running());
        port = sim.Port();
        client = LogIn(sim, reports);
        ASSERT_TRUE(client);
    }
    TAnswer answer;
    client->GetRegistry(S("CZO"), answer);
    EXPECT_TRUE(client->HasError());
    EXPECT_EQ(answer.count, 0);
    client->Reconnect();
    EXPECT_TRUE(client->HasError());
    EXPECT_EQ(client->ErrorText(),
              QStringLiteral("Brak połączenia z serwerem 127.0.0.1/%1").arg(port));
}

// The keep-alive exchange runs on the timer thread between requests of the
// main thread; were they ever interleaved on the wire, answers would come
// back garbled or to the wrong request.
class KeepAlive : public testing::Test
{
protected:
    void SetUp() override { SetKeepAliveMilliseconds(1000); }
    void TearDown() override
    {
        SetKeepAliveMilliseconds(kDefaultKeepAliveMilliseconds);
        TTimer::DeliverPostedTexts();
    }

    void RunBesideOperations(const QStringList& options, const QString& keepAliveRequest)
    {
        SimSession session(options);
        ASSERT_TRUE(session.Ready());
        auto& [sim, reports, client] = session;
        // The timer counts from the end of the last request, so it fires in
        // the longer pauses; pauses near its interval make it meet requests.
        const int pauses[] = {1100, 150, 1400, 30, 1000, 1250, 0, 1600};
        const qsizetype greeting = CountOf(sim.Requests(), keepAliveRequest);
        int operations = 0;
        for (int pause : pauses) {
            TAnswer answer;
            client->GetRegistry(S("CZO"), answer);
            ASSERT_EQ(answer.count, 2);
            ASSERT_EQ(answer.fields[0], S("CZO"));
            QString error;
            client->Ping(S("p"), error);
            ASSERT_EQ(error, QString());
            ++operations;
            std::this_thread::sleep_for(std::chrono::milliseconds(pause));
        }
        client.reset();
        TTimer::DeliverPostedTexts();
        EXPECT_TRUE(reports.errors.isEmpty()) << reports.errors.join(S("\n")).toStdString();
        EXPECT_GE(CountOf(sim.Requests(), keepAliveRequest) - greeting, 2)
            << operations << sim.Requests().filter(S("254")).join(S("\n")).toStdString();
    }
};

TEST_F(KeepAlive, NewServersArePingedBesideOperations)
{
    RunBesideOperations({}, S(R"(254 s:"Podtrzymanie połączenia")"));
}

TEST_F(KeepAlive, OldServersAreAskedForTheirDescription)
{
    RunBesideOperations({S("--old-server"), S("NURA2"), S("--version"), S("2006.01.01")}, S("30"));
}

TEST_F(KeepAlive, AnOldServerFromTheRightVersionOnIsPinged)
{
    RunBesideOperations({S("--old-server"), S("NURA2"), S("--version"), S("2006.04.25")},
                        S(R"(254 s:"Podtrzymanie połączenia")"));
}

// A keep-alive that fails reports through the main thread, never directly
// from the timer thread.
TEST_F(KeepAlive, AFailedKeepAliveIsPostedToTheMainThread)
{
    SimSession session({S("--bad-count"), S("51")});
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    {
        std::lock_guard<std::mutex> guard(reports.lock);
        EXPECT_TRUE(reports.errors.isEmpty()) << "nothing arrives before the main thread asks";
    }
    TTimer::DeliverPostedTexts();
    ASSERT_FALSE(reports.errors.isEmpty());
    EXPECT_EQ(reports.errors[0], S("PING: Zła postać odpowiedzi (51)"));
}

} // namespace
