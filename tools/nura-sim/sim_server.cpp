#include "sim_server.h"

#include <cerrno>
#include <cstring>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

SimServer::~SimServer()
{
    Reap(true);
    if (m_listener >= 0)
        close(m_listener);
}

QString SimServer::Listen(int port)
{
    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listener < 0)
        return QStringLiteral("socket: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    const int on = 1;
    setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(m_listener, 64) != 0)
        return QStringLiteral("cannot listen on 127.0.0.1:%1: %2")
            .arg(port)
            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    socklen_t length = sizeof address;
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    return {};
}

void SimServer::Run(const std::atomic<bool>& stopping)
{
    int number = 0;
    while (!stopping.load()) {
        pollfd entry{m_listener, POLLIN, 0};
        if (poll(&entry, 1, 200) <= 0) {
            Reap(false);
            continue;
        }
        const int descriptor = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (descriptor < 0)
            continue;
        // Replies are benchmarked round trips: no waiting for more bytes.
        const int on = 1;
        setsockopt(descriptor, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        ++number;
        auto done = std::make_shared<std::atomic<bool>>(false);
        std::lock_guard<std::mutex> lock(m_mutex);
        Client& client = m_clients[number];
        client.descriptor = descriptor;
        client.done = done;
        client.thread = std::thread([this, descriptor, number, done] {
            ServeConnection(descriptor, number, m_context);
            shutdown(descriptor, SHUT_RDWR);
            done->store(true);
        });
    }
    Reap(true);
}

// Joins the threads of finished connections (or of all, closing them first)
// and closes their sockets.
void SimServer::Reap(bool all)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto it = m_clients.begin(); it != m_clients.end();) {
        Client& client = it->second;
        if (!all && !client.done->load()) {
            ++it;
            continue;
        }
        if (!client.done->load())
            shutdown(client.descriptor, SHUT_RDWR);
        if (client.thread.joinable())
            client.thread.join();
        close(client.descriptor);
        it = m_clients.erase(it);
    }
}
