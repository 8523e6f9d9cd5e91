#pragma once

#include <QByteArray>
#include <QString>

// Where the request parser takes its bytes from: the client's socket, or a
// byte string in the tests. Reads block until the bytes are there, the
// source gives up (the client went away or stopped sending), or a limit is
// hit.
class ItemSource
{
public:
    enum class Failure
    {
        None,
        Closed,
        TimedOut,
        TooLong
    };

    virtual ~ItemSource() = default;

    // Exactly `length` bytes into `out`.
    virtual bool ReadBytes(char* out, qsizetype length) = 0;
    // Bytes up to a zero byte, which is consumed but not stored. Fails with
    // TooLong when more than `limit` bytes come without one.
    virtual bool ReadUntilZero(QByteArray& out, qsizetype limit) = 0;
    // Bytes that have already arrived and not been read.
    virtual qsizetype Available() = 0;
    // Drops every byte that has already arrived.
    virtual void DiscardAvailable() = 0;

    Failure LastFailure() const { return m_failure; }

protected:
    Failure m_failure = Failure::None;
};

// A source over bytes held in memory. Running out of bytes reads as the
// client having stopped sending.
class BufferSource : public ItemSource
{
public:
    explicit BufferSource(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    bool ReadBytes(char* out, qsizetype length) override;
    bool ReadUntilZero(QByteArray& out, qsizetype limit) override;
    qsizetype Available() override { return m_bytes.size() - m_position; }
    void DiscardAvailable() override { m_position = m_bytes.size(); }

private:
    QByteArray m_bytes;
    qsizetype m_position = 0;
};
