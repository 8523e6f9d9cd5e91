#include "client/base64.h"

#include <array>
#include <cstdint>
#include <utility>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// What a character means to the decoder: its six bits, or one of these.
constexpr std::uint8_t kSkip = 64;
constexpr std::uint8_t kPad = 65;

constexpr std::array<std::uint8_t, 256> MakeSextets()
{
    std::array<std::uint8_t, 256> table{};
    for (auto& entry : table)
        entry = kSkip;
    for (std::uint8_t i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = i;
    table['='] = kPad;
    return table;
}

constexpr std::array<std::uint8_t, 256> kSextets = MakeSextets();

// Six bits a character: what `length` characters can give at most.
qsizetype MaxDecodedLength(qsizetype length)
{
    return length / 4 * 3 + length % 4;
}

// Room beyond that for the bits pending between runs: the decoder sized for
// a whole text then never grows while it takes that text run by run.
constexpr qsizetype kSlack = 8;

} // namespace

qsizetype Base64Length(qsizetype byteCount)
{
    return (byteCount + 2) / 3 * 4;
}

void AppendBase64(QByteArray& out, const QByteArray& bytes)
{
    const qsizetype start = out.size();
    out.resize(start + Base64Length(bytes.size()));
    char* w = out.data() + start;
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    for (; n - i >= 3; i += 3, w += 4) {
        const unsigned v = unsigned{s[i]} << 16 | unsigned{s[i + 1]} << 8 | s[i + 2];
        w[0] = kAlphabet[v >> 18];
        w[1] = kAlphabet[(v >> 12) & 63];
        w[2] = kAlphabet[(v >> 6) & 63];
        w[3] = kAlphabet[v & 63];
    }
    if (n - i == 0)
        return;
    const bool two = n - i == 2;
    const unsigned v = unsigned{s[i]} << 16 | (two ? unsigned{s[i + 1]} << 8 : 0u);
    w[0] = kAlphabet[v >> 18];
    w[1] = kAlphabet[(v >> 12) & 63];
    w[2] = two ? kAlphabet[(v >> 6) & 63] : '=';
    w[3] = '=';
}

QByteArray Base64Encode(const QByteArray& bytes)
{
    QByteArray out;
    AppendBase64(out, bytes);
    return out;
}

QByteArray Base64Decode(const QByteArray& text)
{
    Base64Decoder decoder(text.size());
    decoder.AddRun(text.constData(), text.size(), false);
    return decoder.Take();
}

// ---- Base64Decoder

Base64Decoder::Base64Decoder(qsizetype textLength)
{
    m_out.resize(MaxDecodedLength(textLength) + kSlack);
    m_write = m_out.data();
    m_end = m_write + m_out.size();
}

// Room for `count` more bytes. Callers size the decoder by the text, so this
// grows only when more characters come than promised.
void Base64Decoder::Reserve(qsizetype count)
{
    if (m_end - m_write >= count)
        return;
    const qsizetype written = m_write - m_out.constData();
    m_out.resize(written + count + m_out.size());
    m_write = m_out.data() + written;
    m_end = m_out.data() + m_out.size();
}

void Base64Decoder::AddSextet(unsigned sextet)
{
    m_bits = m_bits << 6 | sextet;
    m_bitCount += 6;
    if (m_bitCount >= 8) {
        m_bitCount -= 8;
        Reserve(1);
        *m_write++ = static_cast<char>(m_bits >> m_bitCount);
        m_bits &= (1u << m_bitCount) - 1;
    }
}

void Base64Decoder::AddCharacter(char16_t character)
{
    if (m_finished || character > 0xFF)
        return;
    const std::uint8_t sextet = kSextets[character];
    if (sextet == kPad)
        m_finished = true;
    else if (sextet != kSkip)
        AddSextet(sextet);
}

qsizetype Base64Decoder::AddRun(const char* text, qsizetype length, bool stopAtBackslash)
{
    if (m_finished)
        return length;
    // Three bytes of room for every four characters, and the state in locals:
    // stores through a char pointer could otherwise change the members, so
    // the compiler would reload them after every byte written.
    Reserve(MaxDecodedLength(length) + kSlack / 2);
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    char* write = m_write;
    std::uint32_t bits = m_bits;
    int bitCount = m_bitCount;
    qsizetype i = 0;
    qsizetype taken = length;
    while (i < length) {
        // Four alphabet characters in a row, the usual case, make three
        // bytes at once whatever bits are still pending.
        if (length - i >= 4) {
            const std::uint32_t a = kSextets[s[i]];
            const std::uint32_t b = kSextets[s[i + 1]];
            const std::uint32_t c = kSextets[s[i + 2]];
            const std::uint32_t d = kSextets[s[i + 3]];
            if ((a | b | c | d) < 64) {
                const std::uint32_t all = bits << 24 | a << 18 | b << 12 | c << 6 | d;
                write[0] = static_cast<char>(all >> (bitCount + 16));
                write[1] = static_cast<char>(all >> (bitCount + 8));
                write[2] = static_cast<char>(all >> bitCount);
                write += 3;
                bits = all & ((1u << bitCount) - 1);
                i += 4;
                continue;
            }
        }
        const std::uint8_t sextet = kSextets[s[i]];
        if (sextet < 64) {
            bits = bits << 6 | sextet;
            bitCount += 6;
            if (bitCount >= 8) {
                bitCount -= 8;
                *write++ = static_cast<char>(bits >> bitCount);
                bits &= (1u << bitCount) - 1;
            }
        } else if (sextet == kPad) {
            m_finished = true;
            taken = i + 1;
            break;
        } else if (stopAtBackslash && s[i] == '\\') {
            taken = i;
            break;
        }
        ++i;
    }
    m_write = write;
    m_bits = bits;
    m_bitCount = bitCount;
    return taken;
}

QByteArray Base64Decoder::Take()
{
    m_out.resize(m_write - m_out.constData());
    m_write = m_end = nullptr;
    return std::move(m_out);
}
