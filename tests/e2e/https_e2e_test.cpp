// The HTTPS client against the simulator's HTTPS side, over TLS with the
// simulator's own certificate trusted: the greeting, downloads and uploads as
// Base64 blobs, escaping, every envelope error, gzip replies, the refused
// slots, certificate checks, the keep-alive and reconnection.
#include "e2e_client.h"
#include "test_reports.h"

#include "client/lm_timer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString S(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

struct HttpsSession : TransportSession
{
    explicit HttpsSession(const QStringList& options = {})
        : TransportSession(Transport::Https, options)
    {}
    THTTPSNuraClient& Https() { return static_cast<THTTPSNuraClient&>(*client); }
};

TEST(Https, GreetingLoginAndGoodbye)
{
    SimServer sim;
    ASSERT_TRUE(sim.Running());
    Reports reports;
    {
        auto client = LogInWith(Connect(sim, reports, Transport::Https), S("demo"), S("demo"));
        ASSERT_TRUE(client);
        EXPECT_FALSE(client->IsUtf8());
        EXPECT_EQ(client->Rights(), S("czytelnia=1;zestawienia;"));
        EXPECT_EQ(client->LoginInfo(), S("Pracownia demonstracyjna"));
        EXPECT_TRUE(client->ServerDescription().startsWith(S("NURA3&wersja=20240115&")));
        EXPECT_FALSE(static_cast<THTTPSNuraClient&>(*client).ConnectionId().isEmpty());
    }
    const QStringList requests = sim.RequestsWhenThere(7);
    ASSERT_EQ(requests.size(), 7) << requests.join(S("\n")).toStdString();
    EXPECT_EQ(requests.mid(0, 3),
              QStringList({S(R"(253 s:"JSON|version=C-test")"), S("30"), S(R"(128 s:"demo")")}));
    EXPECT_TRUE(requests[3].startsWith(S("129 s:\""))) << requests[3].toStdString();
    EXPECT_EQ(requests.mid(4, 2), QStringList({S(R"(253 s:"JSON|version=C-test")"), S("30")}));
    EXPECT_TRUE(requests[6].startsWith(S("0"))) << "goodbye: " << requests[6].toStdString();
    EXPECT_TRUE(reports.errors.isEmpty()) << reports.errors.join(S("\n")).toStdString();
}

// Reports travel as one Base64 blob: binary bytes, every size, both targets.
TEST(Https, DownloadsArriveWhole)
{
    QByteArray big;
    for (int i = 0; big.size() < 300000; ++i)
        big += "&wiersz=" + QByteArray::number(i) + "\xb3\xf3\x00\xff/+=\r\n";
    const TestReports files(big);
    for (const QStringList& mode : {QStringList(), QStringList{S("--https-gzip")}}) {
        HttpsSession session(mode);
        ASSERT_TRUE(session.Ready());
        auto& [sim, reports, client] = session;
        ASSERT_NO_FATAL_FAILURE(files.PutInto(sim));
        files.ExpectArriveWhole(*client, mode.join(S(" ")), S("&wiersz=0łó"));
        EXPECT_TRUE(client->ReportProcedure(1, S("||"), QString())) << "no file: discarded";
        EXPECT_TRUE(reports.errors.isEmpty()) << reports.errors.join(S("\n")).toStdString();
    }
}

TEST(Https, UploadsGoAsOneBlobItem)
{
    HttpsSession session;
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    QTemporaryDir folder;
    const QByteArray binary = BinaryBytes(70000);
    const QString source = folder.filePath(S("source.bin"));
    ASSERT_TRUE(WriteFile(source, binary));
    QString text;
    client->BlobSaveAs(S("okładki"), S("pan-tadeusz"), text, TProgressHandler(), source);
    EXPECT_EQ(text, QString());
    EXPECT_TRUE(sim.Requests().last().endsWith(S("upload:70000")))
        << sim.Requests().last().toStdString();
    QByteArray data;
    client->BlobGetText(S("okładki"), S("pan-tadeusz.bin"), data, TProgressHandler());
    EXPECT_EQ(data, binary);
    QString status;
    client->BlobGetProtectedText(S("okładki"), S("pan-tadeusz.bin"), data, status,
                                 TProgressHandler(), S("p"));
    EXPECT_EQ(status, QString());
    EXPECT_EQ(data, binary);
    EXPECT_TRUE(client->BlobGet(S("okładki"), S("pan-tadeusz.bin"), TProgressHandler(),
                                folder.filePath(S("back.bin"))));
    EXPECT_EQ(ReadFile(folder.filePath(S("back.bin"))), binary);
    client->BlobAdd(S("okładki"), folder.filePath(S("nie-ma.bin")), text, TProgressHandler());
    EXPECT_EQ(text, S("Nie można otworzyć pliku ") + folder.filePath(S("nie-ma.bin")));
    EXPECT_TRUE(sim.Requests().last().endsWith(S("upload:0")));
}

// Every string is escaped on the way out and unescaped on the way back: the
// server sees the letters themselves, and its echo compares equal.
TEST(Https, TextsAreEscapedBothWays)
{
    HttpsSession session;
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    const QString text = S("ó Ż \u4e2d \"cytat\" a/b c\\d\ttab\r\nkoniec \x01");
    QString error;
    client->Ping(text, error);
    EXPECT_EQ(error, QString());
    // The program's own escape of a character travels as that character.
    const QString escaped = S("x\x1bU0141\x1ay");
    TAnswer answer;
    client->GetRegistry(escaped, answer);
    EXPECT_TRUE(sim.Requests().last().contains(S("xŁy"))) << sim.Requests().last().toStdString();
}

TEST(Https, RefusedSlotsNeverReachTheServer)
{
    HttpsSession session;
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    const qsizetype before = sim.Requests().size();
    TNuraRecordPtr records[] = {client->GetStatusA(), client->GetStatusB(), client->GetStatusC()};
    for (const TNuraRecordPtr& record : records) {
        ASSERT_TRUE(record);
        EXPECT_EQ(record->count, 1);
        EXPECT_EQ(record->fields[0], S("Funkcja niedostępna"));
    }
    QString first = S("x");
    QString second = S("y");
    client->CommandPair(S("d"), first, second);
    EXPECT_EQ(first, S("Funkcja niedostępna"));
    EXPECT_EQ(second, QString());
    QTemporaryDir folder;
    EXPECT_FALSE(client->FileGet(S("regulamin.txt"), folder.filePath(S("r")), TProgressHandler()));
    QString text;
    client->FileQuery(S("regulamin.txt"), text);
    EXPECT_EQ(text, QString());
    EXPECT_EQ(sim.Requests().size(), before);
    EXPECT_FALSE(client->HasError());
    EXPECT_TRUE(reports.errors.isEmpty());
}

// Each broken reply sets the error state with its own text, reported once;
// the state is sticky until a reconnection.
TEST(Https, EnvelopeErrors)
{
    struct Row
    {
        QStringList options;
        const char* error;
    } rows[] = {
        /* 0*/ {{S("--https-status"), S("500")}, "Błąd połączenia (ResponseCode)"},
        /* 1*/ {{S("--https-envelope-status"), S("500")}, "Błąd odpowiedzi (status)"},
        /* 2*/ {{S("--https-drop-member"), S("data")}, "Błąd odpowiedzi (data)"},
        /* 3*/ {{S("--https-drop-member"), S("connection_id")}, "Błąd odpowiedzi (connection_id)"},
        /* 4*/ {{S("--https-drop-member"), S("results")}, "Błąd odpowiedzi (results)"},
        /* 5*/ {{S("--bad-count"), S("51")}, "Zła wielkość odpowiedzi (51)"},
    };
    int index = 0;
    for (const Row& row : rows) {
        QStringList options = row.options;
        options << S("--fault-request") << S("151 86");
        HttpsSession session(options);
        ASSERT_TRUE(session.Ready()) << index;
        auto& [sim, reports, client] = session;
        TAnswer answer;
        client->GetRegistry(S("CZO"), answer);
        EXPECT_EQ(answer.count, 0) << index;
        EXPECT_TRUE(client->HasError()) << index;
        EXPECT_EQ(client->ErrorText(), S(row.error)) << index;
        EXPECT_EQ(reports.errors, QStringList{S(row.error)}) << index;
        const qsizetype sent = sim.Requests().size();
        QString text;
        client->Command(S("c"), text);
        EXPECT_EQ(text, S(row.error)) << index << ": sticky, nothing sent";
        EXPECT_EQ(sim.Requests().size(), sent) << index;
        ++index;
    }
}

TEST(Https, ADownloadWithoutItsBlobLeavesAnEmptyFile)
{
    HttpsSession session({S("--https-bad-blob")});
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    QTemporaryDir folder;
    const QString target = folder.filePath(S("report.tmp"));
    EXPECT_FALSE(client->ReportProcedure(1, S("||"), target));
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(ReadFile(target), QByteArray());
    EXPECT_EQ(reports.messages.filter(S("Spodziewane [3,blob]")).size(), 1);
    EXPECT_FALSE(client->HasError()) << "the connection itself is fine";
}

// The server's certificate is checked: without the simulator's certificate
// trusted the greeting fails; trusted, or with checking turned off, it works.
TEST(Https, TheServerCertificateIsVerified)
{
    SimServer sim;
    ASSERT_TRUE(sim.Running());
    const struct Row
    {
        HttpsSettings settings;
        bool works;
    } rows[] = {
        /* 0*/ {{QString(), true}, false},
        /* 1*/ {{sim.CertificateFile(), true}, true},
        /* 2*/ {{QString(), false}, true},
    };
    int index = 0;
    for (const Row& row : rows) {
        SetHttpsSettings(row.settings);
        Reports reports;
        THTTPSNuraClient client(sim.HttpsUrl(), TTextHandler::Of<&Reports::Error>(&reports),
                                TTextHandler::Of<&Reports::Message>(&reports), S("t"));
        EXPECT_EQ(client.HasError(), !row.works) << index;
        if (!row.works) {
            EXPECT_TRUE(client.ErrorText().startsWith(S("Błąd połączenia ("))) << index;
            EXPECT_TRUE(client.ErrorText().contains(S("certificate"), Qt::CaseInsensitive))
                << client.ErrorText().toStdString();
        }
        ++index;
    }
    SetHttpsSettings({});
    // A URL whose host is not the one the certificate names fails as well.
    SetHttpsSettings({sim.CertificateFile(), true});
    Reports reports;
    THTTPSNuraClient client(QStringLiteral("https://127.0.0.2:%1/nura").arg(sim.HttpsPort()),
                            TTextHandler::Of<&Reports::Error>(&reports),
                            TTextHandler::Of<&Reports::Message>(&reports), S("t"));
    EXPECT_TRUE(client.HasError());
}

// Plain HTTP works where a library serves it inside its own network.
TEST(Https, PlainHttpWorksWithoutTls)
{
    SimServer sim({S("--http-port"), S("0")});
    ASSERT_TRUE(sim.Running());
    ASSERT_NE(sim.HttpPort(), 0);
    Reports reports;
    THTTPSNuraClient client(QStringLiteral("http://127.0.0.1:%1/nura").arg(sim.HttpPort()),
                            TTextHandler::Of<&Reports::Error>(&reports),
                            TTextHandler::Of<&Reports::Message>(&reports), S("t"));
    EXPECT_FALSE(client.HasError()) << client.ErrorText().toStdString();
    EXPECT_TRUE(client.ServerDescription().startsWith(S("NURA3")));
}

// A dropped connection is an error for the handler, which reconnects; a
// safe read goes again, a registration does not, and the conversation keeps
// its connection id and login without a new greeting.
TEST(Https, ReconnectionKeepsTheConversation)
{
    HttpsSession session({S("--drop-after"), S("0"), S("--fault-request"), S("151 86")});
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    reports.reconnectOnError = client.get();
    const QString id = session.Https().ConnectionId();
    const qsizetype before = sim.Requests().size();
    TAnswer answer;
    client->GetRegistry(S("CZO"), answer);
    ASSERT_EQ(reports.errors.size(), 1);
    EXPECT_TRUE(reports.errors[0].startsWith(S("Błąd połączenia (")))
        << reports.errors[0].toStdString();
    EXPECT_EQ(answer.count, 2);
    EXPECT_FALSE(client->HasError());
    EXPECT_EQ(session.Https().ConnectionId(), id);
    EXPECT_EQ(sim.RequestsSince(before),
              QStringList({S(R"(151 86 s:"CZO")"), S(R"(151 86 s:"CZO")")}))
        << "repeated, and no greeting or login in between";
    EXPECT_TRUE(client->LoggedIn());
}

TEST(Https, ARegistrationIsNeverSentTwice)
{
    HttpsSession session({S("--drop-after"), S("0"), S("--fault-request"), S("151 73")});
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    reports.reconnectOnError = client.get();
    TAnswer answer;
    client->Registry(S("CZO"), 1, answer);
    EXPECT_EQ(reports.errors.size(), 1);
    EXPECT_TRUE(client->WasReconnected()) << "the caller learns the outcome is unsure";
    EXPECT_FALSE(client->HasError());
    EXPECT_EQ(sim.Requests().filter(S("151 73")).size(), 1);
}

// The keep-alive pings between requests; when it fails, the error reaches
// the handler once, on the main thread, and the keep-alive stays quiet
// until a reconnection.
TEST(Https, KeepAliveErrorsAreDeliveredOnce)
{
    Reports reports;
    std::unique_ptr<TNuraClient> client;
    {
        SimServer sim;
        ASSERT_TRUE(sim.Running());
        client = LogInWith(Connect(sim, reports, Transport::Https), S("demo"), S("demo"));
        ASSERT_TRUE(client);
        auto& https = static_cast<THTTPSNuraClient&>(*client);
        https.KeepAlive();
        TTimer::DeliverPostedTexts();
        EXPECT_TRUE(reports.errors.isEmpty());
        EXPECT_EQ(sim.Requests().last(), S(R"(254 s:"Podtrzymanie połączenia")"));
    }
    auto& https = static_cast<THTTPSNuraClient&>(*client);
    https.KeepAlive();
    https.KeepAlive();
    EXPECT_TRUE(reports.errors.isEmpty()) << "delivered on the main thread, not the timer's";
    TTimer::DeliverPostedTexts();
    ASSERT_EQ(reports.errors.size(), 1) << reports.errors.join(S("\n")).toStdString();
    EXPECT_TRUE(reports.errors[0].startsWith(S("Błąd połączenia (")));
    EXPECT_TRUE(client->HasError());
}

} // namespace

namespace {

// A download whose file cannot be made says so as a message; the
// connection is not at fault.
TEST(Https, ADownloadIntoAFolderThatIsNotThere)
{
    HttpsSession session;
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    QTemporaryDir folder;
    const QString target = folder.filePath(S("nie-ma/report.tmp"));
    EXPECT_FALSE(client->ReportProcedure(1, S("||"), target));
    EXPECT_EQ(reports.messages.filter(S("Nie można utworzyć pliku ")).size(), 1);
    EXPECT_TRUE(reports.messages.contains(S("Nie można utworzyć pliku ") + target));
    EXPECT_TRUE(reports.errors.isEmpty());
    EXPECT_FALSE(client->HasError());
}

} // namespace
