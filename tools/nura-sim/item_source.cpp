#include "item_source.h"

#include <cstring>

bool BufferSource::ReadBytes(char* out, qsizetype length)
{
    if (Available() < length) {
        m_position = m_bytes.size();
        m_failure = Failure::TimedOut;
        return false;
    }
    if (length > 0)
        std::memcpy(out, m_bytes.constData() + m_position, static_cast<size_t>(length));
    m_position += length;
    return true;
}

bool BufferSource::ReadUntilZero(QByteArray& out, qsizetype limit)
{
    const qsizetype zero = m_bytes.indexOf('\0', m_position);
    if (zero < 0 || zero - m_position > limit) {
        m_failure = zero < 0 ? Failure::TimedOut : Failure::TooLong;
        m_position = m_bytes.size();
        return false;
    }
    out = m_bytes.mid(m_position, zero - m_position);
    m_position = zero + 1;
    return true;
}
