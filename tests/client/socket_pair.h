#pragma once

#include <QByteArray>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

// Both ends of a connected local stream socket: the program's socket takes
// `client`, the test plays the server on `peer`.
struct SocketPair
{
    int client = -1;
    int peer = -1;

    SocketPair()
    {
        int ends[2];
        if (socketpair(AF_UNIX, SOCK_STREAM, 0, ends) == 0) {
            client = ends[0];
            peer = ends[1];
        }
    }
    ~SocketPair() { ClosePeer(); }
    SocketPair(const SocketPair&) = delete;
    SocketPair& operator=(const SocketPair&) = delete;

    void ClosePeer()
    {
        if (peer >= 0)
            close(peer);
        peer = -1;
    }

    bool Write(const QByteArray& bytes) const
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = send(peer, bytes.constData() + done,
                                   static_cast<size_t>(bytes.size() - done), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }

    // Whatever arrives within `milliseconds` of quiet, up to `limit` bytes.
    QByteArray Read(qsizetype limit = 1 << 20, int milliseconds = 200) const
    {
        QByteArray bytes;
        char chunk[65536];
        while (bytes.size() < limit) {
            pollfd waiting{peer, POLLIN, 0};
            if (poll(&waiting, 1, milliseconds) <= 0)
                break;
            const ssize_t n = recv(peer, chunk, sizeof chunk, 0);
            if (n <= 0)
                break;
            bytes.append(chunk, n);
        }
        return bytes;
    }
};

// Little-endian 32-bit integer as the wire carries it.
inline QByteArray WireInteger(qint32 value)
{
    const auto bits = static_cast<quint32>(value);
    QByteArray bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((bits >> shift) & 0xFF);
    return bytes;
}
