#include "client/gzip_body.h"

#include <zlib.h>

#include <algorithm>

namespace {

// zlib counts in 32-bit units; larger buffers are handed over in pieces.
constexpr qsizetype kMaxPiece = qsizetype(1) << 30;
constexpr qsizetype kFirstOutput = qsizetype(64) * 1024;

// Owns a zlib stream set up for gzip framing, so every exit frees it.
class GzipInflater
{
public:
    GzipInflater() { m_ready = inflateInit2(&m_stream, 16 + MAX_WBITS) == Z_OK; }
    ~GzipInflater()
    {
        if (m_ready)
            inflateEnd(&m_stream);
    }
    GzipInflater(const GzipInflater&) = delete;
    GzipInflater& operator=(const GzipInflater&) = delete;

    bool Ready() const { return m_ready; }
    z_stream& Stream() { return m_stream; }

private:
    z_stream m_stream{};
    bool m_ready = false;
};

uInt PieceSize(qsizetype available)
{
    return static_cast<uInt>(std::min(available, kMaxPiece));
}

QString ZlibMessage(const z_stream& stream)
{
    return stream.msg ? QString::fromLatin1(stream.msg) : QStringLiteral("nieznany błąd");
}

// Makes room for more output. One byte beyond `limit` is allowed for, so a
// body of exactly `limit` bytes is told apart from a larger one.
void Grow(QByteArray& out, qsizetype produced, qsizetype inputSize, qsizetype limit)
{
    if (produced < out.size())
        return;
    const qsizetype wanted =
        out.isEmpty() ? std::max(kFirstOutput, std::min(inputSize, limit / 4) * 2) : out.size() * 2;
    out.resize(std::min(wanted, limit + 1));
}

} // namespace

bool Gunzip(const QByteArray& in, QByteArray& out, QString& error, qsizetype limit)
{
    out.clear();
    error.clear();
    if (in.isEmpty())
        return true;
    GzipInflater inflater;
    if (!inflater.Ready()) {
        error = QStringLiteral("Brak pamięci do rozpakowania odpowiedzi");
        return false;
    }
    z_stream& stream = inflater.Stream();
    const auto* next = reinterpret_cast<const Bytef*>(in.constData());
    qsizetype remaining = in.size();
    qsizetype produced = 0;
    while (true) {
        if (stream.avail_in == 0 && remaining > 0) {
            stream.next_in = const_cast<Bytef*>(next);
            stream.avail_in = PieceSize(remaining);
            next += stream.avail_in;
            remaining -= stream.avail_in;
        }
        Grow(out, produced, in.size(), limit);
        const uInt room = PieceSize(out.size() - produced);
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
        stream.avail_out = room;
        const int result = inflate(&stream, Z_NO_FLUSH);
        produced += room - stream.avail_out;
        if (produced > limit) {
            error = QStringLiteral("Rozpakowana odpowiedź przekracza %1 bajtów").arg(limit);
            break;
        }
        if (result == Z_STREAM_END) {
            if (stream.avail_in == 0 && remaining == 0) {
                out.truncate(produced);
                // Doubling may leave much unused room; a large body should
                // not hold on to it.
                if (out.capacity() - produced > produced / 4)
                    out.squeeze();
                return true;
            }
            // Another member follows, as when a server packs its reply in parts.
            inflateReset(&stream);
        } else if (result == Z_BUF_ERROR && stream.avail_out > 0) {
            // No room was missing, so the input ran out inside a member.
            error = QStringLiteral("Niepełna odpowiedź gzip");
            break;
        } else if (result != Z_OK && result != Z_BUF_ERROR) {
            error = QStringLiteral("Uszkodzona odpowiedź gzip (") + ZlibMessage(stream) +
                    QLatin1Char(')');
            break;
        }
    }
    out.clear();
    return false;
}
