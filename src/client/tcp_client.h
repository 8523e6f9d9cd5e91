#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class LMTimer;

// The byte pipe under the binary protocol: one blocking TCP connection and
// one 50000-byte buffer that first holds the request being assembled and
// then the reply being read. Four wire items (byte, little-endian 32-bit
// integer, zero-terminated string, zero-terminated "long" string without a
// size limit) and raw blocks of the file streams.
//
// No failure escapes as an exception: each one sets the sticky error flag and
// a Polish error text, after which the Put operations and Send do nothing and
// the readers return 0 or "" at once, until Reopen succeeds.
//
// A request brackets itself with BeginRequest and EndRequest, which stop and
// restart the keep-alive timer; the keep-alive callback, run on a timer
// thread, uses the same socket with ResetBuffer instead.
class LMSocket
{
public:
    static constexpr int kBufferSize = 50000;
    // A long string that grows past this is refused as a broken reply rather
    // than allowed to take all the memory.
    static constexpr qsizetype kLongStringLimit = 64 * 1024 * 1024;
    // Reply waits give up after waitLimit × 10 one-second waits.
    static constexpr int kDefaultWaitLimit = 360;

    // Connects to `address` (a host name, or a dotted IP address) and `port`.
    // `keepAlive` runs on the timer thread every keep-alive interval while no
    // request is in progress.
    LMSocket(const QString& address, std::function<void()> keepAlive, qint32 port);
    // Takes over a connected descriptor (a socketpair end in tests); such a
    // socket has no address to reopen and no keep-alive.
    explicit LMSocket(int connectedDescriptor);
    ~LMSocket();
    LMSocket(const LMSocket&) = delete;
    LMSocket& operator=(const LMSocket&) = delete;

    // Closes and connects again; success clears the error state, the login
    // key and UTF-8, and sets Reconnected.
    void Reopen();

    // Ends the keep-alive for good, after a running one has finished.
    void EndKeepAlive();

    void BeginRequest();
    void ResetBuffer();
    void EndRequest();

    void PutByte(quint8 value);
    void PutInteger(qint32 value);
    void PutString(const QString& text);
    // Raw bytes of an upload chunk, sent as they are (at most the free space
    // of the buffer; chunks are 10000 bytes).
    void PutBlock(const QByteArray& bytes);
    void Send();

    quint8 GetByte();
    qint32 GetInteger();
    QString GetString();
    QString GetLong();
    // The next `size` raw bytes of a stream chunk (0..kBufferSize), as
    // received. False on a failure, which sets the error state.
    bool GetBlock(qint32 size, QByteArray& bytes);

    // The error state may be set by the keep-alive on the timer thread while
    // the main thread looks at it between requests, so it is read and
    // written under its own lock.
    bool ErrorFlag() const { return m_errorFlag.load(); }
    QString ErrorText() const;
    // Puts the socket into the error state with `text` (a broken reply).
    void SetError(const QString& text);
    // Sets or clears the error state as the client's reconnection decides.
    void SetErrorState(bool flag, const QString& text);
    bool Reconnected() const { return m_reconnected; }
    void SetReconnected(bool reconnected) { m_reconnected = reconnected; }

    const QByteArray& LoginKey() const { return m_loginKey; }
    void SetLoginKey(const QByteArray& key) { m_loginKey = key; }
    bool Utf8() const { return m_utf8; }
    void SetUtf8(bool utf8) { m_utf8 = utf8; }
    int WaitLimit() const { return m_waitLimit; }
    // 0 gives up after the first empty one-second wait.
    void SetWaitLimit(int limit) { m_waitLimit = limit; }

    const QString& Address() const { return m_address; }
    qint32 Port() const { return m_port; }

private:
    bool Open();
    void CloseDescriptor();
    void StartTimer();
    // Makes sure `count` unread bytes are in the buffer; `what` names the
    // reader in its error texts.
    bool Ensure(qsizetype count, const char* closedText);
    // Reads more bytes after the unread ones; false on a failure.
    bool Receive(const char* closedText);
    bool WaitReadable();
    void Compact();
    QByteArray TakeZeroTerminated(bool unbounded, const char* closedText);

    QByteArray m_buffer;      // kBufferSize bytes
    qsizetype m_length = 0;   // bytes in use
    qsizetype m_position = 0; // next unread byte, 0-based
    int m_descriptor = -1;
    std::unique_ptr<LMTimer> m_keepAliveTimer;
    std::function<void()> m_keepAlive;
    std::atomic<bool> m_errorFlag{false};
    mutable std::mutex m_errorLock;
    QString m_errorText; // guarded by m_errorLock
    bool m_reconnected = false;
    QByteArray m_loginKey;
    bool m_utf8 = false;
    int m_waitLimit = kDefaultWaitLimit;
    QString m_address;
    qint32 m_port = 0;
    qsizetype m_lastReadBytes = 0; // bytes of the last receive, for the trace
};
