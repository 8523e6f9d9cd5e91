#include "http_front.h"

#include "sim_log.h"

#include <QFile>

#include <httplib.h>
#include <openssl/ssl.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace {

// Uploads travel as Base64 inside the body, a third more than the 256 MB
// the TCP side takes.
constexpr size_t kBodyLimit = 400u * 1024 * 1024;
// Every open keep-alive connection holds a worker; tests open many clients.
constexpr size_t kWorkers = 32;
constexpr int kPollStepMs = 200;

bool ConnectionPorts(int descriptor, int& localPort, int& peerPort)
{
    sockaddr_in local{};
    sockaddr_in peer{};
    socklen_t length = sizeof local;
    if (getsockname(descriptor, reinterpret_cast<sockaddr*>(&local), &length) != 0 ||
        local.sin_family != AF_INET)
        return false;
    length = sizeof peer;
    if (getpeername(descriptor, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
        return false;
    localPort = ntohs(local.sin_port);
    peerPort = ntohs(peer.sin_port);
    return true;
}

// Calls `visit(descriptor, peerPort)` for every connected socket of this
// process whose local port is `port`, until it returns false. cpp-httplib
// keeps its connections to itself; the process's descriptor table is where
// they can be found.
template <typename Visit> void ForEachConnection(int port, Visit visit)
{
    DIR* folder = opendir("/proc/self/fd");
    if (folder == nullptr)
        return;
    const int own = dirfd(folder);
    while (const dirent* entry = readdir(folder)) {
        char* end = nullptr;
        const long descriptor = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || descriptor == own)
            continue;
        int local = 0;
        int peer = 0;
        if (ConnectionPorts(static_cast<int>(descriptor), local, peer) && local == port &&
            !visit(static_cast<int>(descriptor), peer))
            break;
    }
    closedir(folder);
}

// The socket a request arrived on, or -1. A TLS connection knows its
// socket; a plain one is the connection to our port from the client's.
int SocketOf(const httplib::Request& request)
{
    if (request.ssl != nullptr)
        return SSL_get_fd(request.ssl);
    int found = -1;
    ForEachConnection(request.local_port, [&](int descriptor, int peer) {
        if (peer != request.remote_port)
            return true;
        found = descriptor;
        return false;
    });
    return found;
}

// Ends the connection under cpp-httplib's feet: the reply it then tries to
// write fails, and it closes the socket.
void Cut(const httplib::Request& request)
{
    const int descriptor = SocketOf(request);
    if (descriptor < 0) {
        SimLog(QStringLiteral("nura-sim: the connection to cut was not found"));
        return;
    }
    shutdown(descriptor, SHUT_RDWR);
}

// Holds a request without a reply until the client gives up or the
// simulator stops.
void WaitUntilClientLeaves(const httplib::Request& request, const std::atomic<bool>& stopping)
{
    const int descriptor = SocketOf(request);
    while (descriptor >= 0 && !stopping.load()) {
        pollfd entry{descriptor, POLLRDHUP, 0};
        const int ready = poll(&entry, 1, kPollStepMs);
        if (ready < 0 && errno != EINTR)
            return;
        if (ready > 0)
            return; // the client closed its side, or the socket failed
    }
}

// The headers and about half of the body, then the connection ends: a
// content provider that refuses to go on makes cpp-httplib close it.
void SendHalf(httplib::Response& response, HttpAnswer& answer)
{
    auto body = std::make_shared<std::string>(std::move(answer.body));
    response.status = answer.status;
    if (answer.gzip)
        response.set_header("Content-Encoding", "gzip");
    response.set_content_provider(body->size(), answer.contentType,
                                  [body](size_t offset, size_t length, httplib::DataSink& sink) {
                                      const size_t half = body->size() / 2;
                                      if (offset >= half)
                                          return false;
                                      sink.write(body->data() + offset,
                                                 std::min(length, half - offset));
                                      return true;
                                  });
}

void Answer(JsonEndpoint& endpoint, const std::atomic<bool>& stopping,
            const httplib::Request& request, httplib::Response& response)
{
    HttpAnswer answer = endpoint.Serve(request.body);
    switch (answer.transport) {
    case HttpAnswer::Transport::Drop:
        Cut(request);
        return;
    case HttpAnswer::Transport::Hang:
        WaitUntilClientLeaves(request, stopping);
        Cut(request);
        return;
    case HttpAnswer::Transport::DropMidReply:
        SendHalf(response, answer);
        return;
    case HttpAnswer::Transport::Reply:
        break;
    }
    response.status = answer.status;
    if (answer.gzip)
        response.set_header("Content-Encoding", "gzip");
    if (answer.closeConnection)
        response.set_header("Connection", "close");
    response.set_content(answer.body, answer.contentType);
}

} // namespace

HttpFront::HttpFront(JsonEndpoint& endpoint, const std::atomic<bool>& stopping, QString name)
    : m_endpoint(endpoint), m_stopping(stopping), m_name(std::move(name))
{}

HttpFront::~HttpFront()
{
    Stop();
}

QString HttpFront::Listen(int port, const QString& certFile, const QString& keyFile)
{
    if (!certFile.isEmpty()) {
        auto server = std::make_unique<httplib::SSLServer>(QFile::encodeName(certFile).constData(),
                                                           QFile::encodeName(keyFile).constData());
        if (!server->is_valid())
            return QStringLiteral("cannot serve HTTPS with the certificate %1 and the key %2")
                .arg(certFile, keyFile);
        m_server = std::move(server);
    } else {
        m_server = std::make_unique<httplib::Server>();
    }
    m_server->new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
    m_server->set_tcp_nodelay(true);
    m_server->set_keep_alive_max_count(1000);
    m_server->set_payload_max_length(kBodyLimit);
    m_server->Post(".*", [this](const httplib::Request& request, httplib::Response& response) {
        Answer(m_endpoint, m_stopping, request, response);
    });
    m_port = port == 0 ? m_server->bind_to_any_port("127.0.0.1")
                       : (m_server->bind_to_port("127.0.0.1", port) ? port : -1);
    if (m_port < 0) {
        m_server.reset();
        return QStringLiteral("cannot listen for %1 on 127.0.0.1:%2").arg(m_name).arg(port);
    }
    return {};
}

void HttpFront::Start()
{
    if (!m_server || m_thread.joinable())
        return;
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // Stop must find the server running, or it would not end it.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!m_server->is_running() && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void HttpFront::Stop()
{
    if (!m_thread.joinable())
        return;
    m_server->stop();
    // Idle keep-alive connections would otherwise hold their workers until
    // their time runs out.
    ForEachConnection(m_port, [](int descriptor, int) {
        shutdown(descriptor, SHUT_RDWR);
        return true;
    });
    m_thread.join();
}
