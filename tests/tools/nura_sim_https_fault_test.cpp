// The fault switches on the HTTPS side: broken reply documents, HTTP errors,
// gzip, malformed counts, and the switches shared with the TCP side.
#include "sim_json_fixture.h"

#include "client/gzip_body.h"

#include <QDate>
#include <QElapsedTimer>

#include <functional>

namespace {

using json = nlohmann::json;
using Transport = HttpAnswer::Transport;

json Document(const HttpAnswer& answer)
{
    return json::parse(answer.body, nullptr, false);
}

TEST_F(SimJsonTest, GzipRepliesUnpackToTheDocument)
{
    m_options.httpsGzip = true;
    QString id;
    const HttpAnswer answer = PostRaw(id, "Ping", {{0, 254}, {2, "x"}});
    EXPECT_TRUE(answer.gzip);
    QByteArray unpacked;
    QString error;
    ASSERT_TRUE(Gunzip(QByteArray::fromStdString(answer.body), unpacked, error))
        << error.toStdString();
    const json reply = json::parse(unpacked.toStdString());
    EXPECT_EQ(reply[0]["status"], 200);
    EXPECT_EQ(reply[0]["data"]["results"], json::parse(R"([[1,1],[2,"x"]])"));
}

TEST_F(SimJsonTest, HttpStatusFaultLeavesTheRequestUndone)
{
    m_options.httpsStatus = 500;
    m_options.faultRequest = QStringLiteral("151 73");
    QString id = LogIn();
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const qint64 before = m_data.registry.Count(today, QStringLiteral("CZO"));
    const HttpAnswer answer = PostRaw(id, "REGISTRY", {{0, 151}, {0, 73}, {2, "CZO"}, {1, 1}});
    EXPECT_EQ(answer.status, 500);
    EXPECT_FALSE(answer.body.empty());
    EXPECT_EQ(answer.contentType.rfind("text/plain", 0), 0u);
    EXPECT_EQ(m_data.registry.Count(today, QStringLiteral("CZO")), before);
    EXPECT_EQ(Recorded().last(), QStringLiteral(R"(151 73 s:"CZO" i:1)"));
    // Requests the prefix does not name are answered.
    EXPECT_EQ(Post(id, "Ping", {{0, 254}, {2, "x"}}), json::parse(R"([[1,1],[2,"x"]])"));
}

struct EnvelopeCase
{
    std::function<void(SimOptions&)> set;
    std::function<bool(json)> broken;
};

TEST_F(SimJsonTest, EnvelopeFaults)
{
    const std::vector<EnvelopeCase> rows = {
        /* 0*/
        {[](SimOptions& o) { o.httpsEnvelopeStatus = 500; },
         [](json r) { return r[0]["status"] == 500 && r[0]["data"]["results"].is_array(); }},
        /* 1*/
        {[](SimOptions& o) { o.httpsDropMember = QStringLiteral("data"); },
         [](json r) { return r[0]["status"] == 200 && !r[0].contains("data"); }},
        /* 2*/
        {[](SimOptions& o) { o.httpsDropMember = QStringLiteral("connection_id"); },
         [](json r) {
             return !r[0]["data"].contains("connection_id") && r[0]["data"]["results"].is_array();
         }},
        /* 3*/
        {[](SimOptions& o) { o.httpsDropMember = QStringLiteral("results"); },
         [](json r) {
             return r[0]["data"]["connection_id"].is_string() && !r[0]["data"].contains("results");
         }},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        m_options.httpsEnvelopeStatus.reset();
        m_options.httpsDropMember.clear();
        rows[i].set(m_options);
        QString id;
        const HttpAnswer answer = PostRaw(id, "Ping", {{0, 254}, {2, "x"}});
        EXPECT_EQ(answer.status, 200) << i;
        EXPECT_TRUE(rows[i].broken(Document(answer))) << i << ": " << answer.body;
    }
}

TEST_F(SimJsonTest, BadBlobReplacesEveryDownload)
{
    m_options.httpsBadBlob = true;
    QString id = LogIn();
    EXPECT_EQ(Post(id, "Report Procedure", {{0, 100}, {0, 3}, {1, 1}, {2, ""}}),
              json::parse(R"([[2,"x"]])"));
    ASSERT_EQ(Post(id, "Blob Add", {{0, 220}, {0, 65}, {2, "R"}, {2, "txt"}, {3, "YWJj"}}),
              json::parse(R"([[1,1],[2,"1.txt"]])"));
    EXPECT_EQ(Post(id, "Blob Get Protected", {{0, 220}, {0, 80}, {2, "R"}, {2, "1.txt"}, {2, ""}}),
              json::parse(R"([[""],[2,"x"]])"));
}

TEST_F(SimJsonTest, BadCountSparesGreetingAndLogin)
{
    m_options.badCountSet = true;
    m_options.badCount = 99;
    QString id = LogIn();
    EXPECT_EQ(Post(id, "GET_REGISTRY", {{0, 151}, {0, 86}, {2, "CZO"}}), json::parse("[[1,99]]"));
    EXPECT_EQ(Post(id, "Hello", {{0, 253}, {2, "JSON|"}}), json::parse(R"([[1,1],[2,""]])"));
}

TEST_F(SimJsonTest, ReplyFaultsHitOnlyTheRequestsNamed)
{
    m_options.httpsEnvelopeStatus = 0;
    m_options.faultRequest = QStringLiteral("254");
    m_options.httpsFaultTimes = 2;
    QString id;
    const std::vector<std::pair<json, int>> rows = {
        /* 0*/ {json::parse(R"([[0,253],[2,"JSON|"]])"), 200},
        /* 1*/ {json::parse(R"([[0,254],[2,"a"]])"), 0},
        /* 2*/ {json::parse(R"([[0,254],[2,"b"]])"), 0},
        /* 3*/ {json::parse(R"([[0,254],[2,"c"]])"), 200},
    };
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(Document(PostRaw(id, "x", rows[i].first))[0]["status"], rows[i].second) << i;
}

TEST_F(SimJsonTest, ConnectionFaultsCountRequestsOfBothSides)
{
    m_options.dropAfter = 2;
    m_options.dropMidReply = 3;
    m_options.hangAfter = 4;
    // A request on the TCP side counts as well.
    EXPECT_EQ(m_faults.OnRequest(QStringLiteral("254 s:\"tcp\"")), FaultSwitches::Action::Answer);
    QString id;
    const std::vector<Transport> rows = {
        /* 0*/ Transport::Reply,
        /* 1*/ Transport::Drop,
        /* 2*/ Transport::DropMidReply,
        /* 3*/ Transport::Hang,
        /* 4*/ Transport::Reply,
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const HttpAnswer answer = PostRaw(id, "Ping", {{0, 254}, {2, "x"}});
        EXPECT_EQ(answer.transport, rows[i]) << i;
        // Until the drop, no connection is kept for another request: an
        // HTTP client would quietly resend a request dropped on a reused one.
        EXPECT_EQ(answer.closeConnection, i == 0) << i;
        if (answer.transport == Transport::DropMidReply) {
            EXPECT_EQ(Document(answer)[0]["data"]["results"], json::parse(R"([[1,1],[2,"x"]])"));
        }
    }
    EXPECT_EQ(Recorded().size(), rows.size()); // every one is recorded
}

TEST_F(SimJsonTest, DelayComesBeforeTheReply)
{
    m_options.delayMs = 200;
    QString id;
    QElapsedTimer timer;
    timer.start();
    PostRaw(id, "Ping", {{0, 254}, {2, "x"}});
    EXPECT_GE(timer.elapsed(), 190);
}

} // namespace
