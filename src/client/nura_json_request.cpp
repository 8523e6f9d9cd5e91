#include "client/nura_json_request.h"

#include "client/json_text_escape.h"
#include "client/json_value.h"

namespace {

// Item kinds as the server numbers them.
constexpr long double kByteItem = 0;
constexpr long double kIntegerItem = 1;
constexpr long double kTextItem = 2;
constexpr long double kBlobItem = 3;

void AddItem(TJSONArray& items, long double kind, TJSONValue value)
{
    TJSONArray& pair = items.Item(items.Add(TJSONValue(TJSONKind::Array))).AsArray();
    pair.Add(TJSONValue(kind));
    pair.Add(std::move(value));
}

void AddItem(TJSONArray& items, const RequestItem& item)
{
    switch (item.kind) {
    case RequestItem::Byte:
        // A byte travels as the TCP client sends it: the low eight bits.
        AddItem(items, kByteItem,
                TJSONValue(static_cast<long double>(static_cast<quint8>(item.number))));
        break;
    case RequestItem::Integer:
        AddItem(items, kIntegerItem, TJSONValue(static_cast<long double>(item.number)));
        break;
    case RequestItem::Text:
        AddItem(items, kTextItem, TJSONValue(EscapeJsonText(item.text)));
        break;
    }
}

} // namespace

QByteArray BuildRequestBody(const QString& connectionId, const char* label, RequestItems items,
                            const QByteArray* blob)
{
    TJSONValue call(TJSONKind::Array);
    TJSONArray& callParts = call.AsArray();
    // The id goes back exactly as the server wrote it in its last reply.
    callParts.Add(TJSONValue(connectionId.toUtf8()));
    callParts.Add(TJSONValue(EscapeJsonText(QString::fromLatin1(label))));
    TJSONArray& itemList = callParts.Item(callParts.Add(TJSONValue(TJSONKind::Array))).AsArray();
    for (const RequestItem& item : items)
        AddItem(itemList, item);
    if (blob != nullptr)
        AddItem(itemList, kBlobItem, TJSONValue(EscapedBase64(*blob)));

    TJSONValue exec(TJSONKind::Array);
    TJSONArray& execCall =
        exec.AsArray().Item(exec.AsArray().Add(TJSONValue(TJSONKind::Array))).AsArray();
    execCall.Add(TJSONValue(QByteArray("nuraLegacyProtocol")));
    execCall.Add(std::move(call));

    TJSONValue document(TJSONKind::Object);
    TJSONObject& members = document.AsObject();
    members.Item(members.Add(TJSONMember(QStringLiteral("exec")))).value = std::move(exec);
    return document.ToUtf8();
}
