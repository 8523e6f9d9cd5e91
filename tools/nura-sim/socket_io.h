#pragma once

#include "item_source.h"
#include "reply_writer.h"

#include <QByteArray>

#include <atomic>

// The request bytes of one client connection, read from its socket. A
// request may take its time to begin (the client is idle), but once it has
// begun each further item must arrive within the item timeout.
class SocketSource : public ItemSource
{
public:
    SocketSource(int descriptor, int itemTimeoutMs, const std::atomic<bool>& stopping);

    // Waits for the first byte of the next request; false when the client
    // closed the connection or the simulator is stopping.
    bool WaitForRequest();
    // Forgets the bytes of the request just handled.
    void Compact();

    bool ReadBytes(char* out, qsizetype length) override;
    bool ReadUntilZero(QByteArray& out, qsizetype limit) override;
    qsizetype Available() override;
    void DiscardAvailable() override;

private:
    enum class Fill
    {
        Data,
        Closed,
        TimedOut
    };
    Fill FillBuffer(int timeoutMs);
    void TakeWaitingBytes();
    qsizetype Buffered() const { return m_buffer.size() - m_position; }

    int m_descriptor;
    int m_itemTimeoutMs;
    const std::atomic<bool>& m_stopping;
    QByteArray m_buffer;
    qsizetype m_position = 0;
};

// Writes reply bytes to the client's socket, all of each piece in one go
// where the kernel takes it.
class SocketSink : public ReplySink
{
public:
    explicit SocketSink(int descriptor) : m_descriptor(descriptor) {}
    bool Send(const QByteArray& bytes) override;

private:
    int m_descriptor;
};

// Passes on at most `budget` bytes and then refuses: the fault switch that
// cuts a reply in the middle.
class LimitedSink : public ReplySink
{
public:
    LimitedSink(ReplySink& target, qint64 budget) : m_target(target), m_budget(budget) {}
    bool Send(const QByteArray& bytes) override;

private:
    ReplySink& m_target;
    qint64 m_budget;
};
