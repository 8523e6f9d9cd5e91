// Random connection drops: the draw itself, and what a client sees over TCP
// and HTTPS while the simulator drops registrations before and after
// carrying them out.
#include "demo_arguments.h"
#include "sim_json_fixture.h"

#include "http_front.h"
#include "self_signed_certificate.h"
#include "sim_server.h"

#include "client/password_encoding.h"
#include "client/wire_text.h"

#include <QDate>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtEndian>

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <optional>
#include <thread>

namespace {

using json = nlohmann::json;
using Action = FaultSwitches::Action;

const QString kRegistration = QStringLiteral("151 73");

bool IsDrop(Action action)
{
    return action == Action::DropBefore || action == Action::DropAfter;
}

// --- options and the draw ------------------------------------------------

TEST(RandomDropOptions, AcceptedAndRefused)
{
    struct Row
    {
        QStringList arguments;
        bool accepted;
    };
    const std::vector<Row> rows = {
        /* 0*/ {DemoArguments({"--drop-random", "2"}), true},
        /* 1*/ {DemoArguments({"--drop-random", "300", "--seed", "0"}), true},
        /* 2*/ {DemoArguments({"--seed", "9223372036854775807", "--drop-random", "3"}), true},
        /* 3*/ {DemoArguments({"--drop-random", "1"}), false}, // every request: nothing would get
                                                               // through
        /* 4*/ {DemoArguments({"--drop-random", "x"}), false},
        /* 5*/ {DemoArguments({"--drop-random", "3", "--seed", "-1"}), false},
        /* 6*/ {DemoArguments({"--seed", "5"}), false}, // a seed for nothing is a mistake
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        SimOptions options;
        EXPECT_EQ(ParseSimOptions(rows[i].arguments, options).isEmpty(), rows[i].accepted) << i;
    }
}

std::vector<Action> Fates(const SimOptions& options, int requests)
{
    FaultSwitches faults(options);
    std::vector<Action> fates;
    for (int i = 0; i < requests; ++i)
        fates.push_back(faults.OnRequest(QStringLiteral("151 73 s:\"CZO\" i:1")));
    return fates;
}

TEST(RandomDrops, OneInNHalfBeforeHalfAfterAndReproducible)
{
    SimOptions options;
    options.dropRandom = 4;
    options.seed = 2026;
    const std::vector<Action> fates = Fates(options, 8000);
    const auto count = [&](Action action) {
        return static_cast<double>(std::count(fates.begin(), fates.end(), action));
    };
    // 2000 drops expected, about 1000 of each kind.
    EXPECT_NEAR(count(Action::DropBefore), 1000, 120);
    EXPECT_NEAR(count(Action::DropAfter), 1000, 120);
    EXPECT_EQ(count(Action::DropBefore) + count(Action::DropAfter) + count(Action::Answer), 8000.0);
    // Drops keep coming to the end, unlike the switches that fire once.
    EXPECT_TRUE(std::any_of(fates.end() - 50, fates.end(), IsDrop));

    EXPECT_EQ(Fates(options, 8000), fates);
    options.seed = 2027;
    EXPECT_NE(Fates(options, 8000), fates);
}

// The reply before a drop must already close its connection, and requests
// the prefix does not name neither count nor change the fates of the others.
TEST(RandomDrops, DropIsAnnouncedAndPrefixLeavesOthersAlone)
{
    SimOptions options;
    options.dropRandom = 3;
    options.seed = 11;
    options.faultRequest = kRegistration;
    const std::vector<Action> alone = Fates(options, 60);

    FaultSwitches faults(options);
    std::vector<Action> mixed;
    for (int i = 0; i < 60; ++i) {
        const bool pending = faults.DropPending();
        EXPECT_EQ(faults.OnRequest(QStringLiteral("151 86 s:\"CZO\"")), Action::Answer) << i;
        EXPECT_EQ(faults.DropPending(), pending) << i;
        mixed.push_back(faults.OnRequest(QStringLiteral("151 73 s:\"CZO\" i:1")));
        EXPECT_EQ(IsDrop(mixed.back()), pending) << i;
    }
    EXPECT_EQ(mixed, alone);
    EXPECT_EQ(faults.RandomSeed(), 11u);
}

TEST(RandomDrops, OnceSwitchWinsAndTheDrawsGoOn)
{
    SimOptions options;
    options.dropRandom = 3;
    options.seed = 5;
    std::vector<Action> expected = Fates(options, 12);
    options.hangAfter = 3;
    expected[3] = Action::Hang;
    EXPECT_EQ(Fates(options, 12), expected);
}

// --- over the wire -------------------------------------------------------

QString Today()
{
    return QDate::currentDate().toString(Qt::ISODate);
}

// Registrations under --drop-random, each checked against the fate an
// independent set of switches with the same seed draws for it.
class RandomDropWireTest : public SimJsonTest
{
protected:
    void SetUp() override
    {
        SimJsonTest::SetUp();
        m_options.dropRandom = 3;
        m_options.seed = 7;
        m_options.faultRequest = kRegistration;
        m_options.noLoginKey = true;
        m_oracleOptions = m_options;
    }

    // The count of CZO as registry.json holds it.
    qint64 CountOnDisk() const
    {
        QFile file(m_folder.filePath(QStringLiteral("registry.json")));
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        const QJsonObject days = QJsonDocument::fromJson(file.readAll()).object();
        return days.value(Today()).toObject().value(QStringLiteral("CZO")).toInteger();
    }

    // Checks what one registration did against its fate; `answered` says
    // whether a reply came.
    void Check(int i, Action fate, bool answered, qint64 before)
    {
        ++m_seen[fate];
        EXPECT_EQ(answered, !IsDrop(fate)) << i;
        EXPECT_EQ(CountOnDisk(), before + (fate == Action::DropBefore ? 0 : 1)) << i;
    }

    void ExpectBothKindsSeen()
    {
        EXPECT_GT(m_seen[Action::DropBefore], 0);
        EXPECT_GT(m_seen[Action::DropAfter], 0);
        EXPECT_GT(m_seen[Action::Answer], 0);
    }

    qsizetype RecordedRegistrations() const
    {
        return Recorded().filter(QRegularExpression(QStringLiteral("^151 73 "))).size();
    }

    SimOptions m_oracleOptions;
    FaultSwitches m_oracle{m_oracleOptions};
    std::map<Action, int> m_seen;
};

// --- TCP ---

QByteArray Int(qint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    return QByteArray(raw, 4);
}

QByteArray Code(quint8 code)
{
    return QByteArray(1, static_cast<char>(code));
}

QByteArray Str(const QString& text)
{
    return EncodeWireText(text, false, {}) + '\0';
}

// A bare client of the binary protocol, 8-bit text without scrambling.
class WireClient
{
public:
    explicit WireClient(int port)
    {
        m_socket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        timeval wait{5, 0};
        setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        if (connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            close(m_socket);
            m_socket = -1;
        }
    }
    ~WireClient()
    {
        if (m_socket >= 0)
            close(m_socket);
    }
    WireClient(const WireClient&) = delete;
    WireClient& operator=(const WireClient&) = delete;

    // Sends a request and reads its count reply; none when the connection
    // ended first.
    std::optional<QStringList> Call(const QByteArray& request)
    {
        if (m_socket < 0 || send(m_socket, request.constData(), static_cast<size_t>(request.size()),
                                 MSG_NOSIGNAL) != request.size())
            return std::nullopt;
        QByteArray count;
        if (!Read(count, 4))
            return std::nullopt;
        QStringList fields;
        for (qint32 n = qFromLittleEndian<qint32>(count.constData()); n > 0; --n) {
            QByteArray field;
            char byte = 0;
            while (ReadByte(byte) && byte != '\0')
                field += byte;
            if (byte != '\0')
                return std::nullopt;
            fields << DecodeWireText(field, false, {});
        }
        return fields;
    }

    bool LogIn()
    {
        const auto challenge = Call(Code(128) + Str(QStringLiteral("demo")));
        if (!challenge || challenge->size() != 1)
            return false;
        const QString encoded = EncodePassword(QStringLiteral("demo"), challenge->at(0).toInt());
        const auto rights = Call(Code(129) + Str(encoded));
        return rights && !rights->isEmpty();
    }

private:
    bool ReadByte(char& byte) { return recv(m_socket, &byte, 1, 0) == 1; }
    bool Read(QByteArray& out, int length)
    {
        out.resize(length);
        for (int got = 0; got < length;) {
            const ssize_t n =
                recv(m_socket, out.data() + got, static_cast<size_t>(length - got), 0);
            if (n <= 0)
                return false;
            got += static_cast<int>(n);
        }
        return true;
    }

    int m_socket = -1;
};

class RandomDropTcpTest : public RandomDropWireTest
{
protected:
    void SetUp() override
    {
        RandomDropWireTest::SetUp();
        ASSERT_EQ(m_server.Listen(0), QString());
        m_thread = std::thread([this] { m_server.Run(m_stopping); });
    }
    void TearDown() override
    {
        m_stopping.store(true);
        if (m_thread.joinable())
            m_thread.join();
    }

    SimServer m_server{m_context};
    std::thread m_thread;
};

TEST_F(RandomDropTcpTest, DroppedRegistrationsCountOnlyWhenCarriedOut)
{
    m_options.quiet = false;
    testing::internal::CaptureStderr();
    const QByteArray registration = Code(151) + 'I' + Str(QStringLiteral("CZO")) + Int(1);
    constexpr int kRegistrations = 30;
    auto client = std::make_unique<WireClient>(m_server.Port());
    ASSERT_TRUE(client->LogIn());
    for (int i = 0; i < kRegistrations; ++i) {
        const qint64 before = CountOnDisk();
        const Action fate = m_oracle.OnRequest(QStringLiteral("151 73 s:\"CZO\" i:1"));
        const std::optional<QStringList> reply = client->Call(registration);
        Check(i, fate, reply.has_value(), before);
        if (reply) {
            EXPECT_EQ(*reply, QStringList()) << i;
            continue;
        }
        // A new connection is served after every drop.
        client = std::make_unique<WireClient>(m_server.Port());
        ASSERT_TRUE(client->LogIn()) << i;
    }
    ExpectBothKindsSeen();
    EXPECT_EQ(RecordedRegistrations(), kRegistrations);

    TearDown(); // nothing is logged any more
    const std::string log = testing::internal::GetCapturedStderr();
    const auto lines = [&](const char* text) {
        return QString::fromStdString(log).count(QString::fromLatin1(text));
    };
    EXPECT_EQ(lines("-> dropped before carrying it out"), m_seen[Action::DropBefore]);
    EXPECT_EQ(lines("-> dropped after carrying it out (CZO now "), m_seen[Action::DropAfter]);
}

// --- HTTPS ---

class RandomDropHttpsTest : public RandomDropWireTest
{
protected:
    void SetUp() override
    {
        RandomDropWireTest::SetUp();
        const QString cert = m_folder.filePath(QStringLiteral("cert.pem"));
        const QString key = m_folder.filePath(QStringLiteral("key.pem"));
        ASSERT_EQ(MakeSelfSignedCertificate(cert, key), QString());
        ASSERT_EQ(m_front.Listen(0, cert, key), QString());
        m_front.Start();
        m_client = std::make_unique<httplib::SSLClient>("127.0.0.1", m_front.Port());
        m_client->enable_server_certificate_verification(false);
        m_client->set_keep_alive(true);
        m_client->set_tcp_nodelay(true);
        m_client->set_read_timeout(5, 0);
    }
    void TearDown() override { m_front.Stop(); }

    httplib::Result Send(QString& id, const std::string& label, const json& items)
    {
        const httplib::Headers headers{{"Accept-Encoding", "identity"}};
        httplib::Result result =
            m_client->Post("/", headers, Body(id, label, items), "application/json");
        if (result && result->status == 200) {
            const json reply = json::parse(result->body, nullptr, false);
            if (reply.is_array() && reply[0]["data"]["connection_id"].is_string())
                id = QString::fromStdString(reply[0]["data"]["connection_id"].get<std::string>());
        }
        return result;
    }

    HttpFront m_front{m_endpoint, m_stopping, QStringLiteral("HTTPS")};
    std::unique_ptr<httplib::SSLClient> m_client;
};

TEST_F(RandomDropHttpsTest, DroppedRegistrationsCountOnlyWhenCarriedOut)
{
    QString id;
    ASSERT_TRUE(Send(id, "Hello", {{0, 253}, {2, "JSON|test"}}));
    const auto challenge = Send(id, "Login Name", {{0, 128}, {2, "demo"}});
    ASSERT_TRUE(challenge);
    const qint32 number =
        std::stoi(json::parse(challenge->body)[0]["data"]["results"][1][1].get<std::string>());
    const QString encoded = EncodePassword(QStringLiteral("demo"), number);
    ASSERT_TRUE(Send(id, "Login Password", {{0, 129}, {2, encoded.toStdString()}}));

    constexpr int kRegistrations = 30;
    for (int i = 0; i < kRegistrations; ++i) {
        const qint64 before = CountOnDisk();
        const Action fate = m_oracle.OnRequest(QStringLiteral("151 73 s:\"CZO\" i:1"));
        const auto reply = Send(id, "REGISTRY", {{0, 151}, {0, 73}, {2, "CZO"}, {1, 1}});
        Check(i, fate, static_cast<bool>(reply), before);
        if (!reply)
            continue;
        EXPECT_EQ(json::parse(reply->body)[0]["data"]["results"], json::parse("[[1,0]]")) << i;
        // The reply before a drop leaves no connection to reuse, so the
        // client cannot resend the dropped request unseen.
        EXPECT_EQ(reply->get_header_value("Connection") == "close", m_oracle.DropPending()) << i;
    }
    ExpectBothKindsSeen();
    // Every registration arrived exactly once, and the conversation lives on.
    EXPECT_EQ(RecordedRegistrations(), kRegistrations);
    const auto after = Send(id, "GET_REGISTRY", {{0, 151}, {0, 86}, {2, "CZO"}});
    ASSERT_TRUE(after);
    EXPECT_EQ(json::parse(after->body)[0]["data"]["results"][2][1], std::to_string(CountOnDisk()));
}

} // namespace
