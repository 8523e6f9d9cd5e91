#include "client/https_transport.h"

#include "gzip_pack.h"
#include "loopback_listener.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// What the server saw of one request. Handlers run on the server's threads,
// so the tests read it through the server's lock.
struct SeenRequest
{
    std::string method;
    std::string path;
    httplib::Headers headers;
    std::string body;
    int remotePort = -1;
};

// A plain HTTP server on a free loopback port. Handlers are registered on
// Server() before Start(); a handler that must hang waits on the gate, which
// the destructor opens so the server can stop.
class TestServer
{
public:
    ~TestServer()
    {
        OpenGate();
        if (m_thread.joinable()) {
            m_server.stop();
            m_thread.join();
        }
    }

    httplib::Server& Server() { return m_server; }

    void Start()
    {
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // stop() only reaches a server whose loop has begun.
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    QByteArray Url(const char* path, const char* scheme = "http") const
    {
        return QByteArray(scheme) + "://127.0.0.1:" + QByteArray::number(m_port) + path;
    }

    void Record(const httplib::Request& request)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_seen.push_back(
            {request.method, request.path, request.headers, request.body, request.remote_port});
    }
    std::vector<SeenRequest> Seen()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_seen;
    }

    // Blocks a handler until the test is over (or half a minute has passed).
    void WaitAtGate()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_gateChanged.wait_for(lock, std::chrono::seconds(30), [this] { return m_gateOpen; });
    }
    void OpenGate()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_gateOpen = true;
        m_gateChanged.notify_all();
    }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    std::mutex m_mutex;
    std::vector<SeenRequest> m_seen;
    std::condition_variable m_gateChanged;
    bool m_gateOpen = false;
};

std::string Header(const SeenRequest& request, const char* name)
{
    const auto found = request.headers.find(name);
    return found == request.headers.end() ? std::string("(brak)") : found->second;
}

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(EncodeUrl, KeepsTheUrlCharactersAndEncodesEveryOtherByte)
{
    struct Row
    {
        const char* url;
        const char* encoded;
    } rows[] = {
        /* 0*/ {"", ""},
        /* 1*/
        {"https://nura.example:8443/api/v1?a=1&b=x+y-z.",
         "https://nura.example:8443/api/v1?a=1&b=x+y-z."},
        /* 2*/ {"http://h/moje zestawienie", "http://h/moje%20zestawienie"},
        /* 3*/ {"http://h/Łódź/żółw", "http://h/%C5%81%C3%B3d%C5%BA/%C5%BC%C3%B3%C5%82w"},
        /* 4*/ {"%20 gotowe", "%20%20gotowe"},
        /* 5*/
        {"~_!*'()[]@#$,;\"<>\\^`{|}", "%7E%5F%21%2A%27%28%29%5B%5D%40%23%24%2C%3B%22%3C%3E%5C%"
                                      "5E%60%7B%7C%7D"},
        /* 6*/ {"\t\n\x7F", "%09%0A%7F"},
        /* 7*/ {"ABCXYZabcxyz0189", "ABCXYZabcxyz0189"},
        /* 8*/ {"€", "%E2%82%AC"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(EncodeUrl(QString::fromUtf8(rows[i].url)), QByteArray(rows[i].encoded)) << i;
}

TEST(HttpsTransport, PostsTheBodyWithTheJsonHeaders)
{
    TestServer server;
    server.Server().Post("/api", [&](const httplib::Request& request, httplib::Response& reply) {
        server.Record(request);
        reply.set_content("[{\"status\":200}]", "application/json");
    });
    server.Start();
    // Large enough that a client waiting for a go-ahead would stall.
    QByteArray body = "{\"exec\":[[\"nuraLegacyProtocol\",[\"\",\"Ping\",[[0,254]]]]]}";
    body += QByteArray(3 << 20, 'x') + QByteArray("\0\xFF", 2);
    HttpsTransport transport{HttpsSettings()};
    const HttpsTransport::Response response = transport.Post(server.Url("/api"), body);
    EXPECT_EQ(response.error, QString());
    EXPECT_EQ(response.code, 200);
    EXPECT_EQ(response.body, QByteArray("[{\"status\":200}]"));
    const std::vector<SeenRequest> seen = server.Seen();
    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen[0].method, "POST");
    EXPECT_EQ(seen[0].path, "/api");
    EXPECT_EQ(Header(seen[0], "Content-Type"), "application/json");
    EXPECT_EQ(Header(seen[0], "Accept"), "application/json");
    EXPECT_EQ(Header(seen[0], "Accept-Encoding"), "identity");
    EXPECT_EQ(Header(seen[0], "Connection"), "keep-alive");
    EXPECT_EQ(Header(seen[0], "Content-Length"), std::to_string(body.size()));
    EXPECT_EQ(Header(seen[0], "Expect"), "(brak)");
    EXPECT_TRUE(seen[0].body == body.toStdString());
}

TEST(HttpsTransport, ReportsAnyResponseCodeWithItsBody)
{
    TestServer server;
    server.Server().Post("/500", [](const httplib::Request&, httplib::Response& reply) {
        reply.status = 500;
        reply.set_content("awaria", "text/plain");
    });
    server.Server().Post(
        "/404", [](const httplib::Request&, httplib::Response& reply) { reply.status = 404; });
    server.Start();
    HttpsTransport transport{HttpsSettings()};
    HttpsTransport::Response response = transport.Post(server.Url("/500"), "[]");
    EXPECT_EQ(response.error, QString());
    EXPECT_EQ(response.code, 500);
    EXPECT_EQ(response.body, QByteArray("awaria"));
    response = transport.Post(server.Url("/404"), "[]");
    EXPECT_EQ(response.error, QString());
    EXPECT_EQ(response.code, 404);
}

TEST(HttpsTransport, UnpacksGzipAndLeavesOtherEncodingsAlone)
{
    const QByteArray large = QByteArray("[[1,5],") + QByteArray(8 << 20, '7') + "]";
    struct Row
    {
        const char* header;
        const char* encoding;
        QByteArray sent;
        QByteArray body;
        const char* error;
    } rows[] = {
        /* 0*/ {"Content-Encoding", "gzip", GzipMember("[[1,1]]"), "[[1,1]]", ""},
        /* 1*/ {"content-encoding", "GZIP", GzipMember("[[1,2]]"), "[[1,2]]", ""},
        /* 2*/ {"Content-Encoding", "gzip", GzipMember(large), large, ""},
        /* 3*/ {"Content-Encoding", "br", GzipMember("[]"), GzipMember("[]"), ""},
        /* 4*/ {"Content-Encoding", "deflate", "[[1,4]]", "[[1,4]]", ""},
        /* 5*/ {"X-Encoding", "gzip", "[[1,5]]", "[[1,5]]", ""},
        /* 6*/
        {"Content-Encoding", "gzip", "[[1,6]]", "",
         "Uszkodzona odpowiedź gzip (incorrect header check)"},
        /* 7*/
        {"Content-Encoding", "gzip", GzipMember("[[1,7]]").chopped(3), "",
         "Niepełna odpowiedź gzip"},
    };
    TestServer server;
    server.Server().Post(R"(/(\d+))",
                         [&](const httplib::Request& request, httplib::Response& reply) {
                             const Row& row = rows[std::stoul(request.matches[1])];
                             reply.set_header(row.header, row.encoding);
                             reply.set_content(row.sent.toStdString(), "application/json");
                         });
    server.Start();
    HttpsTransport transport{HttpsSettings()};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const QByteArray path = "/" + QByteArray::number(qulonglong(i));
        const HttpsTransport::Response response =
            transport.Post(server.Url(path.constData()), "[]");
        EXPECT_EQ(response.code, 200) << i;
        EXPECT_EQ(response.error, QString::fromUtf8(rows[i].error)) << i;
        EXPECT_TRUE(response.body == rows[i].body) << i;
    }
}

TEST(HttpsTransport, KeepsTheConnectionUntilAskedToClose)
{
    TestServer server;
    server.Server().Post("/", [&](const httplib::Request& request, httplib::Response& reply) {
        server.Record(request);
        reply.set_content("[]", "application/json");
    });
    server.Start();
    HttpsTransport transport{HttpsSettings()};
    using Connection = HttpsTransport::Connection;
    EXPECT_EQ(transport.Post(server.Url("/"), "1").error, QString());
    EXPECT_EQ(transport.Post(server.Url("/"), "2").error, QString());
    EXPECT_EQ(transport.Post(server.Url("/"), "3", Connection::Close).error, QString());
    EXPECT_EQ(transport.Post(server.Url("/"), "4").error, QString());
    EXPECT_EQ(transport.Post(server.Url("/"), "5", Connection::Fresh).error, QString());
    const std::vector<SeenRequest> seen = server.Seen();
    ASSERT_EQ(seen.size(), 5U);
    EXPECT_EQ(seen[1].remotePort, seen[0].remotePort);
    EXPECT_EQ(seen[2].remotePort, seen[0].remotePort);
    EXPECT_EQ(Header(seen[2], "Connection"), "close");
    EXPECT_NE(seen[3].remotePort, seen[0].remotePort);
    EXPECT_EQ(Header(seen[3], "Connection"), "keep-alive");
    EXPECT_EQ(seen[3].body, "4");
    EXPECT_NE(seen[4].remotePort, seen[3].remotePort) << "a request that must go once";
    EXPECT_EQ(seen[4].body, "5");
}

TEST(HttpsTransport, ARefusedConnectionIsAnError)
{
    LoopbackListener listener;
    const QByteArray url = "http://127.0.0.1:" + QByteArray::number(listener.Port()) + "/";
    listener.Close();
    HttpsTransport transport{HttpsSettings()};
    const HttpsTransport::Response response = transport.Post(url, "[]");
    EXPECT_FALSE(response.error.isEmpty());
    EXPECT_EQ(response.code, 0);
    EXPECT_TRUE(response.body.isEmpty());
}

TEST(HttpsTransport, GivesUpOnAServerThatNeverAnswers)
{
    TestServer server;
    server.Server().Post("/",
                         [&](const httplib::Request&, httplib::Response&) { server.WaitAtGate(); });
    server.Start();
    HttpsTransport transport{HttpsSettings()};
    transport.SetReplyWaitSeconds(1);
    const Clock::time_point start = Clock::now();
    const HttpsTransport::Response response = transport.Post(server.Url("/"), "[]");
    EXPECT_LT(SecondsSince(start), 10.0);
    EXPECT_FALSE(response.error.isEmpty());
    EXPECT_EQ(response.code, 0);
}

TEST(HttpsTransport, AReplyCutShortIsAnError)
{
    TestServer server;
    server.Server().Post("/", [](const httplib::Request&, httplib::Response& reply) {
        reply.set_content_provider(100000, "application/json",
                                   [](size_t offset, size_t, httplib::DataSink& sink) {
                                       if (offset > 0)
                                           return false; // the connection drops here
                                       const std::string part(1000, '[');
                                       sink.write(part.data(), part.size());
                                       return true;
                                   });
    });
    server.Start();
    HttpsTransport transport{HttpsSettings()};
    const HttpsTransport::Response response = transport.Post(server.Url("/"), "[]");
    EXPECT_FALSE(response.error.isEmpty());
    EXPECT_TRUE(response.body.isEmpty());
}

TEST(HttpsTransport, TlsToAPlainServerFailsQuickly)
{
    TestServer server;
    server.Server().Post("/", [](const httplib::Request&, httplib::Response& reply) {
        reply.set_content("[]", "application/json");
    });
    server.Start();
    for (const bool verify : {true, false}) {
        HttpsTransport transport{HttpsSettings{QString(), verify}};
        const Clock::time_point start = Clock::now();
        const HttpsTransport::Response response = transport.Post(server.Url("/", "https"), "[]");
        EXPECT_LT(SecondsSince(start), 10.0) << verify;
        EXPECT_FALSE(response.error.isEmpty()) << verify;
        EXPECT_TRUE(response.body.isEmpty()) << verify;
    }
}

TEST(HttpsTransport, RefusesOtherSchemes)
{
    HttpsTransport transport{HttpsSettings()};
    const HttpsTransport::Response response = transport.Post("file:///etc/hostname", "[]");
    EXPECT_FALSE(response.error.isEmpty());
    EXPECT_TRUE(response.body.isEmpty());
}

} // namespace

TEST(HttpsTransport, GetsWithinItsSizeLimit)
{
    const QByteArray packed = GzipMember(QByteArray(3000, 'x'));
    TestServer server;
    server.Server().Get(R"(/(\w+))",
                        [&](const httplib::Request& request, httplib::Response& reply) {
                            server.Record(request);
                            const std::string path = request.path;
                            if (path == "/plain")
                                reply.set_content(std::string(2000, 'p'), "image/jpeg");
                            else if (path == "/packed") {
                                reply.set_header("Content-Encoding", "gzip");
                                reply.body = packed.toStdString();
                            } else if (path == "/missing") {
                                reply.status = 404;
                            } else if (path == "/moved") {
                                reply.set_redirect("/plain");
                            } else
                                reply.set_content(std::string(2001, 'b'), "image/jpeg");
                        });
    server.Start();
    struct Row
    {
        const char* path;
        qsizetype maxBytes;
        long code;
        qsizetype bodySize;
        bool error;
    };
    const Row rows[] = {
        /* 0*/ {"/plain", 2000, 200, 2000, false},
        /* 1*/ {"/big", 2000, 0, 0, true},
        /* 2*/ {"/packed", 3000, 200, 3000, false},
        /* 3*/ {"/packed", 2999, 200, 0, true}, // small on the wire, too big unpacked
        /* 4*/ {"/missing", 2000, 404, -1, false},
        /* 5*/ {"/moved", 2000, 200, 2000, false},
    };
    HttpsTransport transport{HttpsSettings()};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        const HttpsTransport::Response response =
            transport.Get(server.Url(row.path), HttpsTransport::GetLimits{10, row.maxBytes});
        EXPECT_EQ(response.error.isEmpty(), !row.error) << response.error.toStdString();
        if (row.code != 0) {
            EXPECT_EQ(response.code, row.code);
        }
        if (row.bodySize >= 0) {
            EXPECT_EQ(response.body.size(), row.bodySize);
        }
    }
    const std::vector<SeenRequest> seen = server.Seen();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0].method, "GET");
    EXPECT_EQ(Header(seen[0], "Accept-Encoding"), "identity");
    EXPECT_EQ(Header(seen[0], "Connection"), "keep-alive");
}

TEST(HttpsTransport, AGetStopsAtItsTimeLimitOrWhenCancelled)
{
    TestServer server;
    server.Server().Get("/", [&](const httplib::Request&, httplib::Response& reply) {
        // A byte now and then: never idle, never done.
        reply.set_chunked_content_provider("image/jpeg", [&](size_t, httplib::DataSink& sink) {
            sink.write("x", 1);
            server.WaitAtGate();
            return true;
        });
    });
    server.Start();
    HttpsTransport transport{HttpsSettings()};
    Clock::time_point start = Clock::now();
    HttpsTransport::Response response = transport.Get(server.Url("/"), {1, 1 << 20});
    EXPECT_LT(SecondsSince(start), 5.0);
    EXPECT_FALSE(response.error.isEmpty());

    const std::atomic<bool> cancelled{true};
    HttpsTransport second{HttpsSettings()};
    start = Clock::now();
    response = second.Get(server.Url("/"), {30, 1 << 20}, &cancelled);
    EXPECT_LT(SecondsSince(start), 5.0);
    EXPECT_EQ(response.error, QStringLiteral("Przerwano pobieranie"));
}
