#pragma once

#include "client/password_encoding.h"
#include "client/wire_text.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

// The server's protocol spoken over a bare blocking socket, with none of the
// client's machinery: no request frame, no keep-alive timer, no readiness
// waits, no error texts. It is the yardstick the client's benchmarks are
// measured against, so it does only what the wire demands and no more.
class RawNuraConnection
{
public:
    // Connects to nura-sim on loopback with the settings the client uses:
    // Nagle off, and a receive time-out so that a silent server fails the
    // benchmark instead of hanging it.
    explicit RawNuraConnection(int port)
    {
        m_descriptor = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_descriptor < 0)
            return;
        const int on = 1;
        setsockopt(m_descriptor, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        timeval timeout{};
        timeout.tv_sec = 5;
        setsockopt(m_descriptor, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(m_descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) !=
            0) {
            close(m_descriptor);
            m_descriptor = -1;
        }
    }

    ~RawNuraConnection()
    {
        if (m_descriptor >= 0)
            close(m_descriptor);
    }
    RawNuraConnection(const RawNuraConnection&) = delete;
    RawNuraConnection& operator=(const RawNuraConnection&) = delete;

    // Greeting (UTF-8 offer, server description), then user name and
    // password. Returns what went wrong, empty on success. Afterwards strings
    // travel as UTF-8 when the server agreed, scrambled when it handed out a
    // login key.
    QString LogIn(const QString& user, const QString& password)
    {
        if (m_descriptor < 0)
            return QStringLiteral("no connection");
        QStringList fields;
        if (!Ask(Request(253, QStringLiteral("UTF8|version=C-bench")), fields))
            return QStringLiteral("no reply to the UTF-8 offer");
        m_utf8 = fields.size() == 1 && fields[0].contains(QStringLiteral("&UTF8=T"));
        QByteArray description;
        if (!SendAll(QByteArray(1, static_cast<char>(30))) || !ReadZeroTerminated(&description))
            return QStringLiteral("no server description");
        if (!Ask(Request(128, user), fields) || fields.size() != 1)
            return QStringLiteral("user name refused");
        const qint32 challenge = fields[0].toInt();
        // The key comes with the password reply and is in force only after
        // it, so that reply is read unscrambled.
        std::vector<QByteArray> raw;
        if (!Ask(Request(129, EncodePassword(password, challenge)), fields, &raw) ||
            fields.isEmpty())
            return QStringLiteral("password refused");
        if (raw.size() > 2)
            m_loginKey = raw[2];
        return QString();
    }

    bool Utf8() const { return m_utf8; }
    const QByteArray& LoginKey() const { return m_loginKey; }

    // A string item as it goes on the wire now: encoded, scrambled and
    // zero-terminated.
    QByteArray StringItem(const QString& text) const
    {
        return EncodeWireText(text, m_utf8, m_loginKey) + '\0';
    }

    static QByteArray IntegerItem(qint32 value)
    {
        const auto bits = static_cast<quint32>(value);
        QByteArray bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
        return bytes;
    }

    bool SendAll(const QByteArray& bytes)
    {
        qsizetype sent = 0;
        while (sent < bytes.size()) {
            const ssize_t written = send(m_descriptor, bytes.constData() + sent,
                                         static_cast<size_t>(bytes.size() - sent), MSG_NOSIGNAL);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            sent += written;
        }
        return true;
    }

    bool ReadInteger(qint32& value)
    {
        unsigned char bytes[4];
        if (!ReadBytes(reinterpret_cast<char*>(bytes), 4))
            return false;
        value = static_cast<qint32>(
            static_cast<quint32>(bytes[0]) | static_cast<quint32>(bytes[1]) << 8 |
            static_cast<quint32>(bytes[2]) << 16 | static_cast<quint32>(bytes[3]) << 24);
        return true;
    }

    // The bytes up to the next zero byte, which is consumed; with a null
    // `bytes` they are only stepped over.
    bool ReadZeroTerminated(QByteArray* bytes)
    {
        if (bytes != nullptr)
            bytes->clear();
        for (;;) {
            const char* begin = m_buffer.data() + m_begin;
            const auto* zero = static_cast<const char*>(std::memchr(begin, 0, m_end - m_begin));
            const size_t size =
                zero != nullptr ? static_cast<size_t>(zero - begin) : m_end - m_begin;
            if (bytes != nullptr)
                bytes->append(begin, static_cast<qsizetype>(size));
            m_begin += size;
            if (zero != nullptr) {
                ++m_begin;
                return true;
            }
            if (!Fill())
                return false;
        }
    }

    // Exactly `size` bytes. What is buffered is copied; a large rest is
    // received straight into `out`, as a program reading a stream by hand
    // would, and a small one (an integer) through the buffer, so that a chunk
    // header does not cost a receive of its own.
    bool ReadBytes(char* out, qsizetype size)
    {
        auto wanted = static_cast<size_t>(size);
        while (wanted > 0) {
            if (m_begin == m_end) {
                if (wanted >= kDirectRead) {
                    const ssize_t got = recv(m_descriptor, out, wanted, 0);
                    if (got < 0 && errno == EINTR)
                        continue;
                    if (got <= 0)
                        return false;
                    out += got;
                    wanted -= static_cast<size_t>(got);
                    continue;
                }
                if (!Fill())
                    return false;
            }
            const size_t taken = std::min(wanted, m_end - m_begin);
            std::memcpy(out, m_buffer.data() + m_begin, taken);
            m_begin += taken;
            out += taken;
            wanted -= taken;
        }
        return true;
    }

    // A count reply read off the wire and dropped: the count, then that many
    // zero-terminated strings.
    bool SkipCountReply()
    {
        qint32 count = 0;
        if (!ReadInteger(count) || count < 0 || count > kMaxFields)
            return false;
        for (qint32 i = 0; i < count; ++i) {
            if (!ReadZeroTerminated(nullptr))
                return false;
        }
        return true;
    }

    // A count reply decoded as the client would see it; `raw` gets the
    // fields' bytes as they came.
    bool ReadCountReply(QStringList& fields, std::vector<QByteArray>* raw = nullptr)
    {
        fields.clear();
        qint32 count = 0;
        if (!ReadInteger(count) || count < 0 || count > kMaxFields)
            return false;
        for (qint32 i = 0; i < count; ++i) {
            QByteArray bytes;
            if (!ReadZeroTerminated(&bytes))
                return false;
            fields << DecodeWireText(bytes, m_utf8, m_loginKey);
            if (raw != nullptr)
                raw->push_back(bytes);
        }
        return true;
    }

private:
    static constexpr qint32 kMaxFields = 50;
    static constexpr size_t kDirectRead = 4096;

    QByteArray Request(quint8 code, const QString& text) const
    {
        return QByteArray(1, static_cast<char>(code)) + StringItem(text);
    }

    bool Ask(const QByteArray& request, QStringList& fields, std::vector<QByteArray>* raw = nullptr)
    {
        return SendAll(request) && ReadCountReply(fields, raw);
    }

    // Receives whatever has arrived into the buffer; called only when
    // everything buffered has been used.
    bool Fill()
    {
        m_begin = 0;
        m_end = 0;
        for (;;) {
            const ssize_t got = recv(m_descriptor, m_buffer.data(), m_buffer.size(), 0);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            m_end = static_cast<size_t>(got);
            return true;
        }
    }

    int m_descriptor = -1;
    bool m_utf8 = false;
    QByteArray m_loginKey;
    std::vector<char> m_buffer = std::vector<char>(65536);
    size_t m_begin = 0; // next unread byte
    size_t m_end = 0;   // end of the received bytes
};
