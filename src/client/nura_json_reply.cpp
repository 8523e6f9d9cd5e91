#include "client/nura_json_reply.h"

#include "client/json_text_escape.h"

#include <cmath>
#include <utility>

namespace {

// Result kinds as the server numbers them.
constexpr long double kIntegerResult = 1;
constexpr long double kTextResult = 2;
constexpr long double kBlobResult = 3;

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A number as the JSON model writes it: "51", "-3", "1E300", "NAN".
QString NumberText(long double number)
{
    QByteArray text = TJSONValue(number).ToUtf8();
    text.chop(2); // the line end
    return QString::fromLatin1(text);
}

// The member `name` of `object` when it has that kind, else nullptr.
const TJSONValue* MemberOfKind(const TJSONObject& object, const char* name, TJSONKind kind)
{
    const TJSONMember* member = object.Find(QString::fromLatin1(name));
    return member != nullptr && member->value.Kind() == kind ? &member->value : nullptr;
}

// results[0][1], rounded. NaN stays NaN, so it falls outside every range.
long double ResultCount(const TJSONArray& results)
{
    return std::round(results.Item(0).AsArray().Item(1).AsNumber());
}

bool InRange(long double count, int low, int high)
{
    return count >= low && count <= high;
}

// Field c of an answer or a record: the number of kind 1, the unescaped text
// of kinds 2 and 3; any other kind leaves it empty.
QString ReadField(const TJSONArray& results, int index)
{
    const TJSONArray& pair = results.Item(index).AsArray();
    const long double kind = pair.Item(0).AsNumber();
    if (kind == kIntegerResult)
        return NumberText(pair.Item(1).AsNumber());
    if (kind == kTextResult || kind == kBlobResult)
        return UnescapeJsonText(pair.Item(1).RawString());
    return QString();
}

} // namespace

QString NuraJsonReply::Parse(QByteArray body)
{
    m_valid = false;
    m_document = TJSONValue(TJSONKind::Array);
    try {
        m_document.Parse(body);
    } catch (const TJSONError& error) {
        return Text("Błąd połączenia (") + error.Text() + QLatin1Char(')');
    }
    // The document now holds everything the body did.
    body = QByteArray();
    return CheckEnvelope();
}

// [{"status": 200, "data": {"connection_id": "...", "results": [...]}}],
// checked in that order; a missing or non-object first element counts as a
// missing status.
QString NuraJsonReply::CheckEnvelope()
{
    const TJSONArray& root = m_document.AsArray();
    const bool hasEnvelope = root.Count() > 0 && root.Item(0).Kind() == TJSONKind::Object;
    const TJSONObject* envelope = hasEnvelope ? &root.Item(0).AsObject() : nullptr;
    const TJSONValue* status =
        envelope != nullptr ? MemberOfKind(*envelope, "status", TJSONKind::Number) : nullptr;
    if (status == nullptr || status->AsNumber() != 200)
        return Text("Błąd odpowiedzi (status)");
    const TJSONValue* data = MemberOfKind(*envelope, "data", TJSONKind::Object);
    if (data == nullptr)
        return Text("Błąd odpowiedzi (data)");
    const TJSONValue* id = MemberOfKind(data->AsObject(), "connection_id", TJSONKind::String);
    if (id == nullptr)
        return Text("Błąd odpowiedzi (connection_id)");
    // Kept as the server wrote it; it goes back unchanged in the next request.
    m_connectionId = QString::fromUtf8(id->RawString());
    if (MemberOfKind(data->AsObject(), "results", TJSONKind::Array) == nullptr)
        return Text("Błąd odpowiedzi (results)");
    m_valid = true;
    return QString();
}

// Found again on every call rather than kept as a pointer into the document,
// which a move of the reply would leave behind.
const TJSONArray& NuraJsonReply::Results() const
{
    if (!m_valid)
        throw TJSONError(QStringLiteral("Not an array"));
    const TJSONObject& data =
        m_document.AsArray().Item(0).AsObject().Find(QStringLiteral("data"))->value.AsObject();
    return MemberOfKind(data, "results", TJSONKind::Array)->AsArray();
}

QString NuraJsonReply::ReadAnswer(TAnswer& answer) const
{
    answer = TAnswer();
    const TJSONArray& results = Results();
    const long double count = ResultCount(results);
    if (!InRange(count, 0, kMaxReplyFields))
        return Text("Zła wielkość odpowiedzi (") + NumberText(count) + QLatin1Char(')');
    TAnswer read;
    read.count = static_cast<qint32>(count);
    for (int c = 1; c <= read.count; ++c)
        read.fields[static_cast<std::size_t>(c - 1)] = ReadField(results, c);
    answer = std::move(read);
    return QString();
}

TNuraRecordPtr NuraJsonReply::ReadRecord(qint32 key) const
{
    const TJSONArray& results = Results();
    const long double count = ResultCount(results);
    if (!InRange(count, 1, kMaxReplyFields))
        return nullptr;
    auto record = std::make_unique<TNuraRecord>();
    record->key = key;
    record->count = static_cast<quint8>(count);
    for (int c = 1; c <= record->count; ++c)
        record->fields[static_cast<std::size_t>(c - 1)] = ReadField(results, c);
    return record;
}

bool NuraJsonReply::ReadBlob(int index, QByteArray& bytes) const
{
    bytes.clear();
    const TJSONArray& results = Results();
    if (index < 0 || index >= results.Count() || results.Item(index).Kind() != TJSONKind::Array)
        return false;
    const TJSONArray& pair = results.Item(index).AsArray();
    if (pair.Count() < 2 || pair.Item(0).Kind() != TJSONKind::Number ||
        pair.Item(0).AsNumber() != kBlobResult || pair.Item(1).Kind() != TJSONKind::String)
        return false;
    bytes = DecodeEscapedBase64(pair.Item(1).RawString());
    return true;
}

QString NuraJsonReply::ReadStatus() const
{
    return UnescapeJsonText(Results().Item(0).AsArray().Item(0).RawString());
}
