#include "request_parser.h"

#include "client/scramble.h"
#include "client/wire_text.h"

#include <QtEndian>

namespace {

QString MissingItemText(ItemSource::Failure failure)
{
    switch (failure) {
    case ItemSource::Failure::TooLong:
        return QStringLiteral("Zbyt długi łańcuch w żądaniu");
    case ItemSource::Failure::Closed:
        return QStringLiteral("Klient zamknął połączenie w trakcie żądania");
    default:
        return QStringLiteral("Brak kolejnego elementu żądania (przekroczony czas oczekiwania)");
    }
}

class Reader
{
public:
    Reader(ItemSource& source, ParsedRequest& request) : m_source(source), m_request(request) {}

    bool Byte(quint8& value)
    {
        char byte = 0;
        if (!Fail(m_source.ReadBytes(&byte, 1)))
            return false;
        value = static_cast<quint8>(byte);
        return true;
    }

    bool Integer(qint32& value)
    {
        char bytes[4] = {};
        if (!Fail(m_source.ReadBytes(bytes, 4)))
            return false;
        value = qFromLittleEndian<qint32>(bytes);
        return true;
    }

    bool Text(QByteArray& value) { return Fail(m_source.ReadUntilZero(value, kMaxRequestString)); }

    bool Raw(QByteArray& value, qint32 length)
    {
        value.resize(length);
        return Fail(m_source.ReadBytes(value.data(), length));
    }

private:
    // Records why a read failed; a client that went away or sent a string
    // without end leaves nothing to resynchronise on.
    bool Fail(bool ok)
    {
        if (ok)
            return true;
        const ItemSource::Failure failure = m_source.LastFailure();
        m_request.error = MissingItemText(failure);
        m_request.fatal = failure != ItemSource::Failure::TimedOut;
        return false;
    }

    ItemSource& m_source;
    ParsedRequest& m_request;
};

// The upload stream: (remaining, chunkLength, bytes) until the chunk that
// holds all that remains; (0, 0) for an empty or unreadable source.
bool ReadUpload(Reader& reader, const WireCodec& codec, ParsedRequest& request)
{
    QByteArray data;
    qint32 expected = -1;
    for (;;) {
        qint32 remaining = 0;
        qint32 chunk = 0;
        if (!reader.Integer(remaining) || !reader.Integer(chunk))
            return false;
        const bool consistent = expected < 0 ? remaining >= 0 : remaining == expected;
        if (!consistent || chunk < 0 || chunk > remaining || (chunk == 0 && remaining > 0)) {
            request.error = QStringLiteral("Błędna postać przesyłanych danych (%1, %2)")
                                .arg(remaining)
                                .arg(chunk);
            return false;
        }
        if (expected < 0 && remaining > kMaxUpload) {
            request.error = QStringLiteral("Zbyt duży przesyłany plik (%1 bajtów)").arg(remaining);
            request.fatal = true;
            return false;
        }
        if (expected < 0)
            data.reserve(remaining);
        QByteArray bytes;
        if (!reader.Raw(bytes, chunk))
            return false;
        // Each chunk is scrambled by itself, from the start of the key.
        UnscrambleBytes(codec.loginKey, bytes.data(), bytes.size());
        data += bytes;
        if (chunk == remaining)
            break;
        expected = remaining - chunk;
    }
    request.items.push_back(WireItem::Upload(std::move(data)));
    return true;
}

bool ReadItems(Reader& reader, const char* items, const WireCodec& codec, ParsedRequest& request)
{
    for (const char* kind = items; *kind != '\0'; ++kind) {
        if (*kind == 'b') {
            quint8 value = 0;
            if (!reader.Byte(value))
                return false;
            request.items.push_back(WireItem::Byte(value));
        } else if (*kind == 'i') {
            qint32 value = 0;
            if (!reader.Integer(value))
                return false;
            request.items.push_back(WireItem::Integer(value));
        } else {
            QByteArray bytes;
            if (!reader.Text(bytes))
                return false;
            request.items.push_back(
                WireItem::String(DecodeWireText(std::move(bytes), codec.utf8, codec.loginKey)));
        }
    }
    return true;
}

} // namespace

ParsedRequest ParseRequest(ItemSource& source, const WireCodec& codec, const LayoutContext& context)
{
    ParsedRequest request;
    Reader reader(source, request);
    quint8 code = 0;
    if (!reader.Byte(code))
        return request;
    request.items.push_back(WireItem::Byte(code));
    int subCode = -1;
    if (HasSubCode(code)) {
        quint8 sub = 0;
        if (!reader.Byte(sub))
            return request;
        subCode = sub;
        request.items.push_back(WireItem::Byte(sub));
    }
    request.layout = FindLayout(code, subCode, context);
    if (request.layout == nullptr) {
        request.error =
            subCode < 0 ? QStringLiteral("Nieznany kod żądania %1").arg(code)
                        : QStringLiteral("Nieznany podkod żądania %1 %2").arg(code).arg(subCode);
        // Whatever else came with it belongs to this unknown request.
        source.DiscardAvailable();
        return request;
    }
    if (!ReadItems(reader, request.layout->items, codec, request))
        return request;
    if (request.layout->upload && !ReadUpload(reader, codec, request)) {
        if (!request.fatal)
            source.DiscardAvailable();
        return request;
    }
    const qsizetype extra = source.Available();
    if (extra > 0) {
        request.error = QStringLiteral("Nadmiarowe bajty po żądaniu %1 (%2)")
                            .arg(QString::fromLatin1(request.layout->name))
                            .arg(extra);
        source.DiscardAvailable();
    }
    return request;
}
