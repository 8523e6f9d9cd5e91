// The HTTPS side's front end over real loopback sockets (plain HTTP; the
// client's own tests run over TLS), its certificate and its options.
#include "demo_arguments.h"
#include "sim_json_fixture.h"

#include "http_front.h"
#include "self_signed_certificate.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <httplib.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace {

using json = nlohmann::json;

// --- certificate ---------------------------------------------------------

struct Pem
{
    X509* cert = nullptr;
    EVP_PKEY* key = nullptr;
    ~Pem()
    {
        X509_free(cert);
        EVP_PKEY_free(key);
    }
};

void Load(const QString& certFile, const QString& keyFile, Pem& pem)
{
    if (FILE* file = std::fopen(QFile::encodeName(certFile).constData(), "r")) {
        pem.cert = PEM_read_X509(file, nullptr, nullptr, nullptr);
        std::fclose(file);
    }
    if (FILE* file = std::fopen(QFile::encodeName(keyFile).constData(), "r")) {
        pem.key = PEM_read_PrivateKey(file, nullptr, nullptr, nullptr);
        std::fclose(file);
    }
}

// Verifies `cert` with itself as the only trusted certificate, for a TLS
// server: what a client does with the certificate file as its "cafile".
bool TrustedAsItsOwnAnchor(X509* cert)
{
    X509_STORE* store = X509_STORE_new();
    X509_STORE_CTX* context = X509_STORE_CTX_new();
    bool ok = X509_STORE_add_cert(store, cert) == 1 &&
              X509_STORE_CTX_init(context, store, cert, nullptr) == 1 &&
              X509_STORE_CTX_set_purpose(context, X509_PURPOSE_SSL_SERVER) == 1;
    ok = ok && X509_verify_cert(context) == 1;
    X509_STORE_CTX_free(context);
    X509_STORE_free(store);
    return ok;
}

TEST(SelfSignedCertificate, ServesLocalhostAndIsItsOwnTrustAnchor)
{
    QTemporaryDir folder;
    const QString certFile = folder.filePath(QStringLiteral("c.pem"));
    const QString keyFile = folder.filePath(QStringLiteral("k.pem"));
    ASSERT_EQ(MakeSelfSignedCertificate(certFile, keyFile), QString());
    Pem pem;
    Load(certFile, keyFile, pem);
    ASSERT_NE(pem.cert, nullptr);
    ASSERT_NE(pem.key, nullptr);

    char subject[256] = {};
    X509_NAME_get_text_by_NID(X509_get_subject_name(pem.cert), NID_commonName, subject,
                              sizeof subject);
    EXPECT_STREQ(subject, "localhost");
    EXPECT_EQ(X509_check_host(pem.cert, "localhost", 0, 0, nullptr), 1);
    EXPECT_EQ(X509_check_ip_asc(pem.cert, "127.0.0.1", 0), 1);
    EXPECT_EQ(X509_check_host(pem.cert, "example.org", 0, 0, nullptr), 0);
    EXPECT_EQ(X509_get_version(pem.cert), 2); // v3
    EXPECT_GE(X509_check_ca(pem.cert), 1);
    EXPECT_EQ(X509_check_private_key(pem.cert, pem.key), 1);
    EXPECT_TRUE(TrustedAsItsOwnAnchor(pem.cert));
    int days = 0;
    int seconds = 0;
    ASSERT_EQ(ASN1_TIME_diff(&days, &seconds, X509_get0_notBefore(pem.cert),
                             X509_get0_notAfter(pem.cert)),
              1);
    EXPECT_GE(days, 3650);

    struct stat status = {};
    ASSERT_EQ(stat(QFile::encodeName(keyFile).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST(SelfSignedCertificate, MadeOnceInTheDataFolder)
{
    QTemporaryDir folder;
    QString certFile;
    QString keyFile;
    ASSERT_EQ(PrepareCertificate(folder.path(), certFile, keyFile), QString());
    EXPECT_EQ(QFileInfo(certFile).fileName(), QStringLiteral("nura-sim-cert.pem"));
    EXPECT_EQ(QFileInfo(keyFile).fileName(), QStringLiteral("nura-sim-key.pem"));
    QFile first(certFile);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray made = first.readAll();

    QString again;
    QString againKey;
    ASSERT_EQ(PrepareCertificate(folder.path(), again, againKey), QString());
    QFile second(again);
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(second.readAll(), made);

    QString given = folder.filePath(QStringLiteral("none.pem"));
    QString givenKey = keyFile;
    EXPECT_EQ(PrepareCertificate(folder.path(), given, givenKey),
              QStringLiteral("certificate: no file ") +
                  folder.filePath(QStringLiteral("none.pem")));
}

// --- options -------------------------------------------------------------

TEST(SimOptions, HttpsPorts)
{
    struct Row
    {
        QStringList arguments;
        int https;
        int http;
    };
    const std::vector<Row> rows = {
        /* 0*/ {DemoArguments({}), 8443, -1},
        // Tests take any free TCP port; HTTPS then follows suit.
        /* 1*/ {DemoArguments({"--port", "0"}), 0, -1},
        /* 2*/ {DemoArguments({"--port", "0", "--https-port", "9443"}), 9443, -1},
        /* 3*/ {DemoArguments({"--https-port", "0", "--port", "7000"}), 0, -1},
        /* 4*/ {DemoArguments({"--port", "0", "--no-https", "--http-port", "0"}), -1, 0},
        /* 5*/ {DemoArguments({"--https-port", "9443", "--no-https"}), -1, -1},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        SimOptions options;
        ASSERT_EQ(ParseSimOptions(rows[i].arguments, options), QString()) << i;
        EXPECT_EQ(options.httpsPort, rows[i].https) << i;
        EXPECT_EQ(options.httpPort, rows[i].http) << i;
    }
    const std::vector<QStringList> refused = {
        /* 0*/ DemoArguments({"--https-status", "200"}),
        /* 1*/ DemoArguments({"--https-status", "99"}),
        /* 2*/ DemoArguments({"--https-drop-member", "status"}),
        /* 3*/ DemoArguments({"--cert", "c.pem"}),
        /* 4*/ DemoArguments({"--https-port", "65536"}),
        /* 5*/ DemoArguments({"--https-fault-times", "-1"}),
    };
    for (size_t i = 0; i < refused.size(); ++i) {
        SimOptions options;
        EXPECT_FALSE(ParseSimOptions(refused[i], options).isEmpty()) << i;
    }
}

// --- front end over sockets ----------------------------------------------

std::string RawPost(const std::string& body)
{
    return "POST /nura HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
           "Accept-Encoding: identity\r\nConnection: keep-alive\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

// One response off `socket`: its body, or "" when the connection ended
// first.
std::string ReadResponse(int socket, std::string& pending)
{
    for (;;) {
        const size_t end = pending.find("\r\n\r\n");
        if (end != std::string::npos) {
            const size_t at = pending.find("Content-Length: ");
            const size_t length = at < end ? std::stoul(pending.substr(at + 16)) : 0;
            if (pending.size() >= end + 4 + length) {
                std::string body = pending.substr(end + 4, length);
                pending.erase(0, end + 4 + length);
                return body;
            }
        }
        char block[4096];
        const ssize_t got = recv(socket, block, sizeof block, 0);
        if (got <= 0)
            return {};
        pending.append(block, static_cast<size_t>(got));
    }
}

int Connect(int port)
{
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(socket);
        return -1;
    }
    return socket;
}

class SimHttpTest : public SimJsonTest
{
protected:
    void SetUp() override
    {
        SimJsonTest::SetUp();
        ASSERT_EQ(m_front.Listen(0), QString());
        m_front.Start();
    }
    void TearDown() override { m_front.Stop(); }

    HttpFront m_front{m_endpoint, m_stopping, QStringLiteral("HTTP")};
};

TEST_F(SimHttpTest, KeepAliveConnectionCarriesAConversation)
{
    const int socket = Connect(m_front.Port());
    ASSERT_GE(socket, 0);
    std::string pending;
    const std::string hello = RawPost(Body({}, "Hello", {{0, 253}, {2, "JSON|"}}));
    ASSERT_EQ(send(socket, hello.data(), hello.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(hello.size()));
    const json first = json::parse(ReadResponse(socket, pending));
    const QString id = QString::fromStdString(first[0]["data"]["connection_id"].get<std::string>());
    // The second request on the same connection, in the same conversation.
    const std::string ping = RawPost(Body(id, "Ping", {{0, 254}, {2, "x"}}));
    ASSERT_EQ(send(socket, ping.data(), ping.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(ping.size()));
    const json second = json::parse(ReadResponse(socket, pending));
    EXPECT_EQ(second[0]["data"]["connection_id"], id.toStdString());
    EXPECT_EQ(second[0]["data"]["results"], json::parse(R"([[1,1],[2,"x"]])"));

    // Stopping ends the idle connection rather than waiting for its time
    // to run out.
    QElapsedTimer timer;
    timer.start();
    m_front.Stop();
    EXPECT_LT(timer.elapsed(), 3000);
    char byte = 0;
    EXPECT_EQ(recv(socket, &byte, 1, 0), 0);
    close(socket);
}

TEST_F(SimHttpTest, DroppedCutAndHangingConnections)
{
    m_options.dropAfter = 1;
    m_options.dropMidReply = 2;
    m_options.hangAfter = 3;
    httplib::Client client("127.0.0.1", m_front.Port());
    const httplib::Headers headers{{"Accept-Encoding", "identity"}};
    const std::string body = Body({}, "Ping", {{0, 254}, {2, "x"}});
    const auto answered = client.Post("/", headers, body, "application/json");
    ASSERT_TRUE(answered);
    EXPECT_EQ(answered->status, 200);
    const auto dropped = client.Post("/", headers, body, "application/json");
    EXPECT_FALSE(dropped) << "a reply came: " << dropped->body;
    const auto cut = client.Post("/", headers, body, "application/json");
    EXPECT_FALSE(cut) << "a whole reply came: " << cut->body;
    // A request left without a reply until the client gives up; the next
    // one is answered.
    client.set_read_timeout(0, 300000);
    const auto hanging = client.Post("/", headers, body, "application/json");
    EXPECT_FALSE(hanging) << "a reply came: " << hanging->body;
    const auto after = client.Post("/", headers, body, "application/json");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->status, 200);
    // Nothing but POST is served.
    const auto get = client.Get("/");
    ASSERT_TRUE(get);
    EXPECT_NE(get->status, 200);
}

} // namespace
