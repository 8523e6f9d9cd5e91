#include "client/tcp_client.h"

#include "client/connection_trace.h"
#include "client/keep_alive_setting.h"
#include "client/lm_timer.h"
#include "client/wire_text.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <utility>

namespace {

constexpr int kWaitMilliseconds = 1000;
constexpr int kOperationTimeoutMilliseconds = 5000;

QString SystemMessage(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The bytes as characters, then as decimal numbers: the trace of a write.
QString TraceOfBytes(const char* data, qsizetype size)
{
    QString text = QString::fromLatin1(data, size);
    text += QStringLiteral("\r\ndziesiętnie:");
    for (qsizetype i = 0; i < size; ++i)
        text += QLatin1Char(' ') + QString::number(static_cast<unsigned char>(data[i]));
    return text;
}

void TraceReader(const char* item)
{
    if (TraceEnabled())
        Trace(QStringLiteral("będę czytać ") + QLatin1String(item) + QStringLiteral("..."));
}

void SetTimeouts(int descriptor)
{
    timeval timeout{};
    timeout.tv_sec = kOperationTimeoutMilliseconds / 1000;
    setsockopt(descriptor, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    setsockopt(descriptor, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    const int on = 1;
    // Requests are small and each waits for its reply: send them at once.
    setsockopt(descriptor, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// Connects without blocking longer than the operation time-out, so an
// address that swallows packets does not freeze the program for minutes.
int ConnectWithTimeout(const addrinfo& address)
{
    const int descriptor =
        socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC, address.ai_protocol);
    if (descriptor < 0)
        return -1;
    const int flags = fcntl(descriptor, F_GETFL, 0);
    fcntl(descriptor, F_SETFL, flags | O_NONBLOCK);
    int result = connect(descriptor, address.ai_addr, address.ai_addrlen);
    if (result < 0 && errno == EINPROGRESS) {
        pollfd waiting{descriptor, POLLOUT, 0};
        if (poll(&waiting, 1, kOperationTimeoutMilliseconds) == 1) {
            int error = 0;
            socklen_t length = sizeof error;
            getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &error, &length);
            result = error == 0 ? 0 : -1;
        }
    }
    if (result < 0) {
        close(descriptor);
        return -1;
    }
    fcntl(descriptor, F_SETFL, flags);
    SetTimeouts(descriptor);
    return descriptor;
}

int OpenConnection(const QString& address, qint32 port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const QByteArray host = address.toUtf8();
    const QByteArray service = QByteArray::number(port);
    if (getaddrinfo(host.constData(), service.constData(), &hints, &found) != 0)
        return -1;
    int descriptor = -1;
    for (addrinfo* candidate = found; candidate != nullptr && descriptor < 0;
         candidate = candidate->ai_next)
        descriptor = ConnectWithTimeout(*candidate);
    freeaddrinfo(found);
    return descriptor;
}

} // namespace

LMSocket::LMSocket(const QString& address, std::function<void()> keepAlive, qint32 port)
    : m_buffer(kBufferSize, '\0'), m_keepAlive(std::move(keepAlive)), m_address(address),
      m_port(port)
{
    Trace(QStringLiteral("otwarcie połączenia %1:%2").arg(address).arg(port));
    if (!Open()) {
        SetError(QStringLiteral("Brak połączenia z serwerem %1/%2").arg(address).arg(port));
        return;
    }
    StartTimer();
}

LMSocket::LMSocket(int connectedDescriptor)
    : m_buffer(kBufferSize, '\0'), m_descriptor(connectedDescriptor)
{}

LMSocket::~LMSocket()
{
    m_keepAliveTimer.reset();
    CloseDescriptor();
    Trace(QStringLiteral("zamknięcie połączenia %1:%2").arg(m_address).arg(m_port));
}

bool LMSocket::Open()
{
    m_descriptor = OpenConnection(m_address, m_port);
    return m_descriptor >= 0;
}

void LMSocket::CloseDescriptor()
{
    if (m_descriptor >= 0)
        close(m_descriptor);
    m_descriptor = -1;
}

void LMSocket::StartTimer()
{
    if (m_keepAliveTimer || !m_keepAlive)
        return;
    m_keepAliveTimer = std::make_unique<LMTimer>(KeepAliveMilliseconds() / 1000, m_keepAlive);
    m_keepAliveTimer->Start();
}

void LMSocket::Reopen()
{
    CloseDescriptor();
    m_length = 0;
    m_position = 0;
    if (m_address.isEmpty() || !Open()) {
        SetError(QStringLiteral("Brak połączenia z serwerem %1/%2").arg(m_address).arg(m_port));
        return;
    }
    SetErrorState(false, QString());
    m_loginKey.clear();
    m_utf8 = false;
    m_reconnected = true;
    // The first successful connection starts the keep-alive; later ones find
    // it running.
    StartTimer();
}

void LMSocket::EndKeepAlive()
{
    m_keepAliveTimer.reset();
    m_keepAlive = nullptr;
}

void LMSocket::BeginRequest()
{
    if (m_keepAliveTimer)
        m_keepAliveTimer->Stop();
    m_reconnected = false;
    ResetBuffer();
}

void LMSocket::ResetBuffer()
{
    m_length = 0;
    m_position = 0;
}

void LMSocket::EndRequest()
{
    if (m_keepAliveTimer)
        m_keepAliveTimer->Start();
}

void LMSocket::SetError(const QString& text)
{
    SetErrorState(true, text);
}

void LMSocket::SetErrorState(bool flag, const QString& text)
{
    std::lock_guard<std::mutex> guard(m_errorLock);
    m_errorText = text;
    m_errorFlag.store(flag);
}

QString LMSocket::ErrorText() const
{
    std::lock_guard<std::mutex> guard(m_errorLock);
    return m_errorText;
}

void LMSocket::PutByte(quint8 value)
{
    if (m_errorFlag)
        return;
    if (m_length >= kBufferSize)
        Send();
    m_buffer[m_length++] = static_cast<char>(value);
}

void LMSocket::PutInteger(qint32 value)
{
    if (m_errorFlag)
        return;
    if (m_length + 4 > kBufferSize)
        Send();
    const auto bits = static_cast<quint32>(value);
    for (int shift = 0; shift < 32; shift += 8)
        m_buffer[m_length++] = static_cast<char>((bits >> shift) & 0xFF);
}

// A string longer than the buffer's free space goes out in pieces: the
// buffer is filled to one byte short of its end and sent, and the rest
// continues in a fresh buffer, the terminator after its last byte.
void LMSocket::PutString(const QString& text)
{
    if (m_errorFlag)
        return;
    const QByteArray bytes = EncodeWireText(text, m_utf8, m_loginKey);
    qsizetype done = 0;
    while (!m_errorFlag && m_length + (bytes.size() - done) + 1 > kBufferSize) {
        const qsizetype room = kBufferSize - 2 - m_length;
        if (room > 0) {
            std::memcpy(m_buffer.data() + m_length, bytes.constData() + done,
                        static_cast<size_t>(room));
            m_length += room;
            done += room;
        }
        Send();
    }
    if (m_errorFlag)
        return;
    std::memcpy(m_buffer.data() + m_length, bytes.constData() + done,
                static_cast<size_t>(bytes.size() - done));
    m_length += bytes.size() - done;
    m_buffer[m_length++] = '\0';
}

void LMSocket::PutBlock(const QByteArray& bytes)
{
    if (m_errorFlag)
        return;
    if (m_length + bytes.size() > kBufferSize)
        Send();
    const qsizetype size = std::min<qsizetype>(bytes.size(), kBufferSize - m_length);
    std::memcpy(m_buffer.data() + m_length, bytes.constData(), static_cast<size_t>(size));
    m_length += size;
}

void LMSocket::Send()
{
    qsizetype sent = 0;
    while (!m_errorFlag && sent < m_length) {
        const ssize_t written = send(m_descriptor, m_buffer.constData() + sent,
                                     static_cast<size_t>(m_length - sent), MSG_NOSIGNAL);
        if (written < 0) {
            const int error = errno;
            if (error == EINTR)
                continue;
            if (error == EPIPE || error == ECONNRESET || error == ENOTCONN || error == EBADF)
                SetError(QStringLiteral("SEND: zerwane połączenie"));
            else
                SetError(QStringLiteral("SEND: ") + SystemMessage(error));
            break;
        }
        if (TraceEnabled())
            Trace(QStringLiteral("wysłanie %1 bajtów: ").arg(written) +
                  TraceOfBytes(m_buffer.constData() + sent, written));
        sent += written;
    }
    m_length = 0;
    m_position = 0;
}

void LMSocket::Compact()
{
    if (m_position == 0)
        return;
    std::memmove(m_buffer.data(), m_buffer.constData() + m_position,
                 static_cast<size_t>(m_length - m_position));
    m_length -= m_position;
    m_position = 0;
}

// Waits in one-second steps; an empty step is traced and counted, and the
// wait gives up when the line is gone or after waitLimit × 10 steps.
bool LMSocket::WaitReadable()
{
    int emptyWaits = 0;
    while (!m_errorFlag) {
        pollfd waiting{m_descriptor, POLLIN, 0};
        const int ready = poll(&waiting, 1, kWaitMilliseconds);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready > 0 && (waiting.revents & POLLIN) != 0)
            return true;
        if (ready < 0 || (waiting.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            SetError(QStringLiteral("Zerwane połączenie"));
            return false;
        }
        if (TraceEnabled())
            Trace(QStringLiteral("Brak odpowiedzi..."));
        if (++emptyWaits > m_waitLimit * 10) {
            SetError(QStringLiteral("Przekroczony czas oczekiwania"));
            return false;
        }
    }
    return false;
}

bool LMSocket::Receive(const char* closedText)
{
    Compact();
    if (m_length >= kBufferSize) {
        SetError(QString::fromUtf8(closedText));
        return false;
    }
    if (!WaitReadable())
        return false;
    ssize_t received;
    do {
        received = recv(m_descriptor, m_buffer.data() + m_length,
                        static_cast<size_t>(kBufferSize - m_length), 0);
    } while (received < 0 && errno == EINTR);
    if (received == 0) {
        SetError(QString::fromUtf8(closedText));
        return false;
    }
    if (received < 0) {
        const int error = errno;
        SetError(error == ECONNRESET ? QString::fromUtf8(closedText)
                                     : QStringLiteral("Zerwane połączenie (") +
                                           SystemMessage(error) + QLatin1Char(')'));
        return false;
    }
    m_lastReadBytes = received;
    m_length += received;
    return true;
}

bool LMSocket::Ensure(qsizetype count, const char* closedText)
{
    while (!m_errorFlag && m_length - m_position < count) {
        if (!Receive(closedText))
            return false;
    }
    return !m_errorFlag;
}

quint8 LMSocket::GetByte()
{
    TraceReader("Byte");
    if (!Ensure(1, "GETBYTE: zerwane połaczenie"))
        return 0;
    const auto value = static_cast<quint8>(m_buffer.at(m_position++));
    if (TraceEnabled())
        Trace(QStringLiteral("odczytałem Byte: %1").arg(value));
    return value;
}

qint32 LMSocket::GetInteger()
{
    TraceReader("Integer");
    if (!Ensure(4, "GETINTEGER: zerwane połączenie"))
        return 0;
    quint32 bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | static_cast<quint8>(m_buffer.at(m_position + i));
    m_position += 4;
    const auto value = static_cast<qint32>(bits);
    if (TraceEnabled())
        Trace(QStringLiteral("odczytałem Integer: %1").arg(value));
    return value;
}

// Bytes up to the next zero byte, which is consumed. A plain string must fit
// the buffer; a long one has the bytes gathered so far moved aside whenever
// more must be received, up to kLongStringLimit.
QByteArray LMSocket::TakeZeroTerminated(bool unbounded, const char* closedText)
{
    QByteArray gathered;
    qsizetype searched = 0; // unread bytes already known to hold no zero
    while (!m_errorFlag) {
        const char* unread = m_buffer.constData() + m_position;
        const qsizetype available = m_length - m_position;
        const void* zero =
            std::memchr(unread + searched, 0, static_cast<size_t>(available - searched));
        if (zero != nullptr) {
            const qsizetype size = static_cast<const char*>(zero) - unread;
            gathered.append(unread, size);
            m_position += size + 1;
            return gathered;
        }
        if (unbounded) {
            gathered.append(unread, available);
            m_position = m_length;
            searched = 0;
            if (gathered.size() > kLongStringLimit) {
                SetError(QStringLiteral("Przekroczenie wielkości komunikatu"));
                break;
            }
        } else if (available >= kBufferSize) {
            SetError(QStringLiteral("Przekroczenie wielkości komunikatu"));
            break;
        } else {
            searched = available;
        }
        if (!Receive(closedText))
            break;
    }
    return QByteArray();
}

QString LMSocket::GetString()
{
    TraceReader("String");
    const QByteArray bytes = TakeZeroTerminated(false, "GETSTRING: zerwane połączenie");
    if (m_errorFlag)
        return QString();
    const QString text = DecodeWireText(bytes, m_utf8, m_loginKey);
    if (TraceEnabled())
        Trace(QStringLiteral("odczytałem String(%1): ").arg(m_lastReadBytes) + text);
    return text;
}

QString LMSocket::GetLong()
{
    TraceReader("Long");
    const QByteArray bytes = TakeZeroTerminated(true, "GETLONG: zerwane połączenie");
    if (m_errorFlag)
        return QString();
    const QString text = DecodeWireText(bytes, m_utf8, m_loginKey);
    if (TraceEnabled())
        Trace(QStringLiteral("odczytałem Long: ") + text);
    return text;
}

bool LMSocket::GetBlock(qint32 size, QByteArray& bytes)
{
    bytes.clear();
    if (size < 0 || size > kBufferSize) {
        SetError(QStringLiteral("Zła postać odpowiedzi (%1)").arg(size));
        return false;
    }
    if (m_length - m_position < size)
        Compact();
    if (!Ensure(size, "GETLONG: zerwane połączenie"))
        return false;
    bytes = m_buffer.mid(m_position, size);
    m_position += size;
    return true;
}
