// Login, visit counts, reports, files and blobs against the simulator, with
// and without the login key's scrambling and UTF-8.
#include "e2e_client.h"
#include "test_reports.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString S(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The tests whose expectations hold for both transports.
class SessionOverEither : public testing::TestWithParam<Transport>
{};

INSTANTIATE_TEST_SUITE_P(Transports, SessionOverEither,
                         testing::Values(Transport::Tcp, Transport::Https),
                         [](const testing::TestParamInfo<Transport>& transport) {
                             return TransportName(transport.param);
                         });

TEST_P(SessionOverEither, LoginOutcomes)
{
    SimServer sim;
    ASSERT_TRUE(sim.Running());
    struct Row
    {
        const char* user;
        const char* password;
        const char* right;
        const char* error;
        bool loggedIn;
    } rows[] = {
        /* 0*/ {"demo", "demo", "czytelnia", "", true},
        /* 1*/ {"anna", "Żółw-1", "czytelnia", "", true},
        /* 2*/ {"nikt", "x", "czytelnia", "Błędna nazwa użytkownika", false},
        /* 3*/ {"demo", "zle", "czytelnia", "Błędne hasło", false},
        /* 4*/ {"katalog", "katalog", "czytelnia", "Brak uprawnień", true},
        /* 5*/ {"katalog", "katalog", "", "", true},
    };
    for (const Row& row : rows) {
        Reports reports;
        auto client = Connect(sim, reports, GetParam());
        QString error;
        client->Login(S(row.user), S(row.password), error, false, S(row.right));
        EXPECT_EQ(error, S(row.error)) << row.user;
        EXPECT_EQ(client->LoggedIn(), row.loggedIn) << row.user;
        EXPECT_FALSE(client->HasError()) << row.user;
    }
}

TEST_P(SessionOverEither, ForcedPasswordChange)
{
    TransportSession session(GetParam(), {}, S("zmiana"), S("zmiana"));
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    EXPECT_EQ(client->LoginNotice(), S("Hasło wygasło. Należy ustalić nowe hasło."));
    QString error;
    client->ChangePassword(S("Nowe-hasło1"), error);
    EXPECT_EQ(error, QString());
    EXPECT_EQ(client->LoginNotice(), QString());
    client->Logout();
    EXPECT_FALSE(client->LoggedIn());
    client->Login(S("zmiana"), S("zmiana"), error, false, S("czytelnia"));
    EXPECT_EQ(error, S("Błędne hasło"));
    client->Login(S("zmiana"), S("Nowe-hasło1"), error, false, S("czytelnia"));
    EXPECT_EQ(error, QString());
    EXPECT_EQ(client->LoginNotice(), QString());
}

// Counts go up by what was registered, and a negative entry takes visits
// away; another connection sees the same counts.
TEST_P(SessionOverEither, VisitCounts)
{
    TransportSession session(GetParam());
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    TAnswer answer;
    client->GetRegistry(S("CZO"), answer);
    ASSERT_EQ(answer.count, 2);
    const int start = answer.fields[1].toInt();
    client->Registry(S("CZO"), 3, answer);
    EXPECT_EQ(answer.count, 0);
    client->Registry(S("CZO"), -1, answer);
    EXPECT_EQ(answer.count, 0);
    Reports otherReports;
    auto other = LogInWith(Connect(sim, otherReports, GetParam()), S("anna"), S("Żółw-1"));
    ASSERT_TRUE(other);
    other->GetRegistry(S("CZO"), answer);
    ASSERT_EQ(answer.count, 2);
    EXPECT_EQ(answer.fields[0], S("CZO"));
    EXPECT_EQ(answer.fields[1].toInt(), start + 2);
    EXPECT_TRUE(reports.errors.isEmpty());
}

// The stream arrives byte for byte in every mode: scrambled or not, and
// over many chunks.
TEST(Session, ReportStreamsArriveWhole)
{
    QByteArray big;
    for (int i = 0; big.size() < 300000; ++i)
        big += "&wiersz=" + QByteArray::number(i) + "\xb3\xf3\r\n";
    const TestReports files(big);
    const QStringList modes[] = {
        {}, {S("--no-login-key")}, {S("--no-utf8"), S("--chunk"), S("777")}};
    for (const QStringList& mode : modes) {
        SimServer sim(mode);
        ASSERT_TRUE(sim.Running());
        ASSERT_NO_FATAL_FAILURE(files.PutInto(sim));
        Reports reports;
        auto client = LogIn(sim, reports);
        ASSERT_TRUE(client);
        EXPECT_EQ(client->IsUtf8(), !mode.contains(S("--no-utf8")));
        files.ExpectArriveWhole(*client, mode.join(S(" ")), S("&wiersz=0łó\r\n"));
        QTemporaryDir folder;
        EXPECT_FALSE(client->ReportProcedure(99, S("||"), folder.filePath(S("none.tmp"))));
        EXPECT_FALSE(client->HasError()) << "a refused report leaves the line usable";
    }
}

TEST(Session, FilesAndBlobsMakeTheRoundTrip)
{
    SimSession session;
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    QTemporaryDir folder;
    const QByteArray binary = BinaryBytes(70000);
    const QString source = folder.filePath(S("source.bin"));
    ASSERT_TRUE(WriteFile(source, binary));
    struct Progress
    {
        qint64 done = 0;
        qint64 total = 0;
        int calls = 0;
        void Report(qint64 d, qint64 t)
        {
            done = d;
            total = t;
            ++calls;
        }
    } progress;
    const auto handler = TProgressHandler::Of<&Progress::Report>(&progress);
    EXPECT_TRUE(client->FilePut(source, S("kopia.bin"), handler));
    EXPECT_EQ(progress.done, binary.size());
    EXPECT_GE(progress.calls, 8) << "one report per 10000-byte chunk";
    QString size;
    client->FileQuery(S("kopia.bin"), size);
    EXPECT_EQ(size, QString::number(binary.size()));
    EXPECT_TRUE(client->FileGet(S("kopia.bin"), folder.filePath(S("back.bin")), handler));
    EXPECT_EQ(ReadFile(folder.filePath(S("back.bin"))), binary);
    EXPECT_EQ(progress.total, binary.size());
    EXPECT_FALSE(client->FileGet(S("../users.json"), folder.filePath(S("x")), TProgressHandler()));

    QString text;
    client->BlobSaveAs(S("okładki"), S("pan-tadeusz"), text, TProgressHandler(), source);
    EXPECT_EQ(text, QString());
    QByteArray data;
    client->BlobGetText(S("okładki"), S("pan-tadeusz.bin"), data, TProgressHandler());
    EXPECT_EQ(data, binary);
    QString status;
    client->BlobGetProtectedText(S("okładki"), S("pan-tadeusz.bin"), data, status,
                                 TProgressHandler(), S("p"));
    EXPECT_EQ(status, QString());
    EXPECT_EQ(data, binary);
}

// A stream download without a file name goes nowhere: the bytes must not
// end up in the program's output.
TEST(Session, StreamWithoutAFileNameIsDiscarded)
{
    SimSession session;
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    EXPECT_TRUE(client->ReportProcedure(1, S("||"), QString()));
    TAnswer answer;
    client->GetRegistry(S("CZO"), answer);
    EXPECT_EQ(answer.count, 2) << "the line stays in step after the discarded stream";
}

TEST_P(SessionOverEither, TextsOutsideTheCodePageTravelEitherWay)
{
    const QString text = S("Żółw Ж € \u4e2d");
    for (const QStringList& mode : {QStringList(), QStringList{S("--no-utf8")}}) {
        TransportSession session(GetParam(), mode);
        ASSERT_TRUE(session.Ready());
        auto& [sim, reports, client] = session;
        QString error;
        client->Ping(text, error);
        EXPECT_EQ(error, QString()) << "the server echoed the text unchanged";
        const QStringList requests = sim.Requests();
        EXPECT_EQ(requests.last(), S("254 s:\"") + text + S("\""));
    }
}

TEST(Session, ServerMessagesPrecedeTheAnswer)
{
    SimSession session({S("--server-messages"), S("2")});
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    reports.serverMessages.clear();
    TAnswer answer;
    client->GetRegistry(S("CZO"), answer);
    EXPECT_EQ(answer.count, 2);
    EXPECT_EQ(reports.serverMessages,
              QStringList({S("Komunikat serwera 1"), S("Komunikat serwera 2")}));
    QTemporaryDir folder;
    EXPECT_TRUE(client->ReportProcedure(1, S("||"), folder.filePath(S("r.tmp"))));
}

TEST(Session, MalformedCountsPutTheClientInTheErrorState)
{
    SimSession session({S("--bad-count"), S("51")});
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    TAnswer answer;
    client->GetRegistry(S("CZO"), answer);
    EXPECT_EQ(answer.count, 0);
    EXPECT_TRUE(client->HasError());
    EXPECT_EQ(client->ErrorText(), S("Zła postać odpowiedzi (51)"));
    EXPECT_EQ(reports.errors, QStringList{S("Zła postać odpowiedzi (51)")});
    const qsizetype sent = sim.Requests().size();
    QString text;
    client->Command(S("c"), text);
    EXPECT_EQ(text, S("Zła postać odpowiedzi (51)")) << "sticky: nothing is sent";
    EXPECT_EQ(sim.Requests().size(), sent);
}

TEST(Session, LongStringsFitOnlyWhereTheProtocolAllows)
{
    SimSession session({S("--long-string"), S("60000")});
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    QString text;
    client->Command(S("c"), text);
    EXPECT_EQ(text, QString(60000, QLatin1Char('x')));
    EXPECT_FALSE(client->HasError());
}

} // namespace
