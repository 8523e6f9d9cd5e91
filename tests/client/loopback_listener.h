#pragma once

#include <QtGlobal>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

// A listening socket on a free loopback port, for tests of real connections.
class LoopbackListener
{
public:
    LoopbackListener()
    {
        m_fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(m_fd, 4);
        socklen_t size = sizeof address;
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
    }
    ~LoopbackListener() { Close(); }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    // -1 when no client comes within five seconds, so a failing test ends.
    int Accept()
    {
        pollfd waiting{m_fd, POLLIN, 0};
        return poll(&waiting, 1, 5000) > 0 ? accept(m_fd, nullptr, nullptr) : -1;
    }
    qint32 Port() const { return m_port; }

    // Stops listening: later connections to the port are refused.
    void Close()
    {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
    qint32 m_port = 0;
};
