#include "item_request.h"

namespace {

using Kind = WireItem::Kind;

Kind KindOfLayoutItem(char item)
{
    return item == 'b' ? Kind::Byte : item == 'i' ? Kind::Integer : Kind::String;
}

// The code and sub-code bytes; false with the error set when they are not
// bytes or name no layout.
bool FindItemLayout(ParsedRequest& request, const LayoutContext& context, size_t& used)
{
    const WireItems& items = request.items;
    if (items.empty() || items[0].kind != Kind::Byte) {
        request.error = QStringLiteral("Żądanie nie zaczyna się od kodu");
        return false;
    }
    const quint8 code = static_cast<quint8>(items[0].number);
    int subCode = -1;
    used = 1;
    if (HasSubCode(code)) {
        if (items.size() < 2 || items[1].kind != Kind::Byte) {
            request.error = QStringLiteral("Brak podkodu żądania %1").arg(code);
            return false;
        }
        subCode = items[1].number;
        used = 2;
    }
    request.layout = FindLayout(code, subCode, context);
    if (request.layout == nullptr) {
        request.error =
            subCode < 0 ? QStringLiteral("Nieznany kod żądania %1").arg(code)
                        : QStringLiteral("Nieznany podkod żądania %1 %2").arg(code).arg(subCode);
        return false;
    }
    return true;
}

} // namespace

ParsedRequest ParseItemRequest(WireItems items, const LayoutContext& context)
{
    ParsedRequest request;
    request.items = std::move(items);
    size_t at = 0;
    if (!FindItemLayout(request, context, at))
        return request;
    const QString name = QString::fromLatin1(request.layout->name);
    for (const char* item = request.layout->items; *item != '\0'; ++item, ++at) {
        // Positions count from 1 over all items, code bytes included, as
        // the client writes them.
        if (at >= request.items.size()) {
            request.error = QStringLiteral("Brak elementu %1 żądania %2").arg(at + 1).arg(name);
            return request;
        }
        if (request.items[at].kind != KindOfLayoutItem(*item)) {
            request.error =
                QStringLiteral("Zły rodzaj elementu %1 żądania %2").arg(at + 1).arg(name);
            return request;
        }
    }
    if (request.layout->upload) {
        if (at >= request.items.size() || request.items[at].kind != Kind::Upload) {
            request.error = QStringLiteral("Brak przesyłanych danych w żądaniu %1").arg(name);
            return request;
        }
        ++at;
    }
    if (at < request.items.size())
        request.error = QStringLiteral("Nadmiarowe elementy po żądaniu %1 (%2)")
                            .arg(name)
                            .arg(request.items.size() - at);
    return request;
}
