#include "socket_io.h"

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>

namespace {

constexpr int kPollStepMs = 200;
constexpr qsizetype kReadBlock = 65536;

} // namespace

SocketSource::SocketSource(int descriptor, int itemTimeoutMs, const std::atomic<bool>& stopping)
    : m_descriptor(descriptor), m_itemTimeoutMs(itemTimeoutMs), m_stopping(stopping)
{}

SocketSource::Fill SocketSource::FillBuffer(int timeoutMs)
{
    int waited = 0;
    for (;;) {
        if (m_stopping.load())
            return Fill::Closed;
        pollfd entry{m_descriptor, POLLIN, 0};
        const int step = timeoutMs < 0 ? kPollStepMs : qMin(kPollStepMs, timeoutMs - waited);
        const int ready = poll(&entry, 1, step);
        if (ready < 0 && errno != EINTR)
            return Fill::Closed;
        if (ready > 0) {
            char block[kReadBlock];
            const ssize_t got = recv(m_descriptor, block, sizeof block, 0);
            if (got > 0) {
                m_buffer.append(block, static_cast<qsizetype>(got));
                return Fill::Data;
            }
            if (got == 0 || (errno != EINTR && errno != EAGAIN))
                return Fill::Closed;
            continue;
        }
        if (ready == 0) {
            waited += step;
            if (timeoutMs >= 0 && waited >= timeoutMs)
                return Fill::TimedOut;
        }
    }
}

bool SocketSource::WaitForRequest()
{
    m_failure = Failure::None;
    return Buffered() > 0 || FillBuffer(-1) == Fill::Data;
}

void SocketSource::Compact()
{
    m_buffer.remove(0, m_position);
    m_position = 0;
}

bool SocketSource::ReadBytes(char* out, qsizetype length)
{
    while (Buffered() < length) {
        const Fill fill = FillBuffer(m_itemTimeoutMs);
        if (fill != Fill::Data) {
            m_failure = fill == Fill::Closed ? Failure::Closed : Failure::TimedOut;
            return false;
        }
    }
    if (length > 0)
        std::memcpy(out, m_buffer.constData() + m_position, static_cast<size_t>(length));
    m_position += length;
    return true;
}

bool SocketSource::ReadUntilZero(QByteArray& out, qsizetype limit)
{
    qsizetype searched = m_position;
    for (;;) {
        const qsizetype zero = m_buffer.indexOf('\0', searched);
        if (zero >= 0) {
            out = m_buffer.mid(m_position, zero - m_position);
            m_position = zero + 1;
            return true;
        }
        if (Buffered() > limit) {
            m_failure = Failure::TooLong;
            return false;
        }
        searched = m_buffer.size();
        const Fill fill = FillBuffer(m_itemTimeoutMs);
        if (fill != Fill::Data) {
            m_failure = fill == Fill::Closed ? Failure::Closed : Failure::TimedOut;
            return false;
        }
    }
}

void SocketSource::TakeWaitingBytes()
{
    char block[kReadBlock];
    for (;;) {
        const ssize_t got = recv(m_descriptor, block, sizeof block, MSG_DONTWAIT);
        if (got <= 0)
            return;
        m_buffer.append(block, static_cast<qsizetype>(got));
    }
}

qsizetype SocketSource::Available()
{
    TakeWaitingBytes();
    return Buffered();
}

void SocketSource::DiscardAvailable()
{
    TakeWaitingBytes();
    m_buffer.clear();
    m_position = 0;
}

bool SocketSink::Send(const QByteArray& bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(m_descriptor, bytes.constData() + sent,
                               static_cast<size_t>(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

bool LimitedSink::Send(const QByteArray& bytes)
{
    if (bytes.size() <= m_budget) {
        m_budget -= bytes.size();
        return m_target.Send(bytes);
    }
    if (m_budget > 0)
        m_target.Send(bytes.left(static_cast<qsizetype>(m_budget)));
    m_budget = 0;
    return false;
}
