#include "client/scramble.h"

namespace {

bool IsActiveKey(const QByteArray& key)
{
    return key.size() > 2 && key.startsWith("XX");
}

// Walks the key from its third byte, wrapping back to the third after the last.
class KeyWalk
{
public:
    explicit KeyWalk(const QByteArray& key) : m_key(key) {}
    int Next()
    {
        const int k = static_cast<unsigned char>(m_key[m_position]);
        if (++m_position == m_key.size())
            m_position = 2;
        return k;
    }

private:
    const QByteArray& m_key;
    qsizetype m_position = 2;
};

} // namespace

void ScrambleBytes(const QByteArray& key, char* buffer, qsizetype length)
{
    if (!IsActiveKey(key))
        return;
    KeyWalk walk(key);
    for (qsizetype i = 0; i < length; ++i) {
        const int k = walk.Next();
        const int b = static_cast<unsigned char>(buffer[i]);
        if (b == 0)
            continue;
        // (b + k) mod 255 + 1 without a division: streams of many megabytes
        // pass through here byte by byte.
        int v = b + k;
        v -= v >= 255 ? 255 : 0;
        v -= v >= 255 ? 255 : 0;
        buffer[i] = static_cast<char>(v + 1);
    }
}

void UnscrambleBytes(const QByteArray& key, char* buffer, qsizetype length)
{
    if (!IsActiveKey(key))
        return;
    KeyWalk walk(key);
    for (qsizetype i = 0; i < length; ++i) {
        const int k = walk.Next();
        const int s = static_cast<unsigned char>(buffer[i]);
        if (s == 0)
            continue;
        // The exact inverse of (b + k) mod 255 + 1 over the bytes 1..255.
        // Residue 0 stands for 255: a plain "s - k - 1, plus 255 when not
        // positive" would turn byte 255 under key byte 255 into a zero byte.
        int t = s - 1 - k; // -255..254
        t += t < 0 ? 255 : 0;
        buffer[i] = static_cast<char>(t == 0 ? 255 : t);
    }
}

QByteArray ScrambleText(const QByteArray& key, QByteArray text)
{
    ScrambleBytes(key, text.data(), text.size());
    return text;
}

QByteArray UnscrambleText(const QByteArray& key, QByteArray text)
{
    UnscrambleBytes(key, text.data(), text.size());
    return text;
}
