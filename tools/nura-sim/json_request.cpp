#include "json_request.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <optional>

using nlohmann::json;

namespace {

// A number that holds an integer: the client writes its numbers without a
// fraction, but "1.0" is the same number.
std::optional<qint64> IntegerOf(const json& value)
{
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return static_cast<qint64>(number);
    }
    if (value.is_number_integer())
        return value.get<std::int64_t>();
    if (value.is_number_float()) {
        const double number = value.get<double>();
        constexpr double kExact = 9007199254740992.0; // 2^53
        if (std::isfinite(number) && std::floor(number) == number && std::fabs(number) <= kExact)
            return static_cast<qint64>(number);
    }
    return std::nullopt;
}

QString ItemText(size_t index, const char* what)
{
    return QStringLiteral("item %1 %2").arg(index + 1).arg(QLatin1String(what));
}

QString ReadItem(const json& item, size_t index, WireItem& out)
{
    if (!item.is_array() || item.size() != 2)
        return ItemText(index, "is not a pair [kind, value]");
    const std::optional<qint64> kind = IntegerOf(item[0]);
    const json& value = item[1];
    if (kind == 0 || kind == 1) {
        const std::optional<qint64> number = IntegerOf(value);
        const qint64 low = kind == 0 ? 0 : std::numeric_limits<qint32>::min();
        const qint64 high = kind == 0 ? 255 : std::numeric_limits<qint32>::max();
        if (!number || *number < low || *number > high)
            return ItemText(index, kind == 0 ? "is no byte" : "is no 32-bit integer");
        out = kind == 0 ? WireItem::Byte(static_cast<quint8>(*number))
                        : WireItem::Integer(static_cast<qint32>(*number));
        return {};
    }
    if (kind == 2 || kind == 3) {
        if (!value.is_string())
            return ItemText(index, "has no text");
        const std::string& text = value.get_ref<const std::string&>();
        if (kind == 2) {
            out = WireItem::String(QString::fromStdString(text));
            return {};
        }
        QByteArray::FromBase64Result bytes = QByteArray::fromBase64Encoding(
            QByteArray::fromStdString(text), QByteArray::AbortOnBase64DecodingErrors);
        if (!bytes)
            return ItemText(index, "is no Base64 text");
        out = WireItem::Upload(std::move(*bytes));
        return {};
    }
    return ItemText(index, "has an unknown kind");
}

// The [connection_id, label, items] part.
QString ReadCall(const json& call, JsonRequest& request)
{
    if (!call.is_array() || call.size() != 3 || !call[0].is_string() || !call[1].is_string() ||
        !call[2].is_array())
        return QStringLiteral("the call is not [connection_id, label, items]");
    request.connectionId = QString::fromStdString(call[0].get<std::string>());
    request.label = QString::fromStdString(call[1].get<std::string>());
    const json& items = call[2];
    request.items.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        WireItem item;
        if (QString error = ReadItem(items[i], i, item); !error.isEmpty())
            return error;
        request.items.push_back(std::move(item));
    }
    return {};
}

QString ReadDocument(const json& document, JsonRequest& request)
{
    if (!document.is_object() || document.size() != 1 || !document.contains("exec"))
        return QStringLiteral("the document is not an object with the one member \"exec\"");
    const json& exec = document["exec"];
    if (!exec.is_array() || exec.size() != 1 || !exec[0].is_array() || exec[0].size() != 2 ||
        exec[0][0] != "nuraLegacyProtocol")
        return QStringLiteral("\"exec\" is not [[\"nuraLegacyProtocol\", call]]");
    return ReadCall(exec[0][1], request);
}

} // namespace

QString ParseJsonRequest(const std::string& body, JsonRequest& request)
{
    request = JsonRequest();
    json document;
    try {
        document = json::parse(body);
    } catch (const json::exception& error) {
        return QStringLiteral("not JSON: %1").arg(QString::fromUtf8(error.what()));
    }
    const QString error = ReadDocument(document, request);
    if (!error.isEmpty())
        request = JsonRequest();
    return error;
}
