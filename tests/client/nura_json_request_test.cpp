#include "client/json_text_escape.h"
#include "client/json_value.h"
#include "client/nura_json_request.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The value on one line without blanks, so a test states the structure of a
// body and not its layout.
QByteArray Compact(const TJSONValue& value)
{
    switch (value.Kind()) {
    case TJSONKind::String:
        return '"' + value.RawString() + '"';
    case TJSONKind::Number:
        return value.ToUtf8().chopped(2);
    case TJSONKind::Bool:
    case TJSONKind::Null:
        return value.ToUtf8().chopped(2);
    case TJSONKind::Object: {
        QByteArray text = "{";
        const TJSONObject& object = value.AsObject();
        for (int i = 0; i < object.Count(); ++i) {
            text += (i > 0 ? ",\"" : "\"") + object.Item(i).name.toUtf8() + "\":";
            text += Compact(object.Item(i).value);
        }
        return text + '}';
    }
    case TJSONKind::Array: {
        QByteArray text = "[";
        const TJSONArray& array = value.AsArray();
        for (int i = 0; i < array.Count(); ++i)
            text += (i > 0 ? "," : "") + Compact(array.Item(i));
        return text + ']';
    }
    }
    return QByteArray();
}

// The body parsed back, in compact form.
QByteArray Structure(const QByteArray& body)
{
    TJSONValue document(TJSONKind::Object);
    document.Parse(body);
    return Compact(document);
}

RequestItem B(int value)
{
    return {RequestItem::Byte, value, QString()};
}
RequestItem I(qint32 value)
{
    return {RequestItem::Integer, value, QString()};
}
RequestItem S(const QString& text)
{
    return {RequestItem::Text, 0, text};
}

TEST(NuraJsonRequest, WrapsTheItemsWithTheLabelAndConnection)
{
    const QByteArray body = BuildRequestBody(QStringLiteral("c-17"), "Get Entry",
                                             {B(50), I(1), I(2), I(3), S(QStringLiteral("ab"))});
    EXPECT_EQ(Structure(body), QByteArray("{\"exec\":[[\"nuraLegacyProtocol\",[\"c-17\",\"Get "
                                          "Entry\",[[0,50],[1,1],[1,2],[1,3],[2,\"ab\"]]]]]}"));
    // Laid out by the model: indented, CR LF line ends.
    EXPECT_TRUE(body.startsWith("{\r\n  \"exec\": [\r\n")) << body.constData();
    EXPECT_TRUE(body.endsWith("\r\n}\r\n"));
}

TEST(NuraJsonRequest, WritesNumbersAndEscapedTexts)
{
    const int minimum = std::numeric_limits<qint32>::min();
    const QByteArray body = BuildRequestBody(
        QString(), "Ping",
        {B(253), B(-3), B(256 + 7), I(-42), I(minimum), I(std::numeric_limits<qint32>::max()),
         S(Text("\xC3\xB3 \x1BU0141\x1A \"a/b\"\t")), S(QString())});
    EXPECT_EQ(Structure(body),
              QByteArray("{\"exec\":[[\"nuraLegacyProtocol\",[\"\",\"Ping\",[[0,253],[0,253],"
                         "[0,7],[1,-42],[1,-2147483648],[1,2147483647],"
                         "[2,\"\\u00F3 \\u0141 \\\"a\\/b\\\"\\t\"],[2,\"\"]]]]]}"));
    for (const char c : body)
        EXPECT_GT(c, 0) << "the body is plain ASCII";
}

TEST(NuraJsonRequest, AppendsABlobItemAfterTheFields)
{
    const QByteArray blob("\xFB\xFF\xBF plik");
    const QByteArray body = BuildRequestBody(QStringLiteral("id"), "Blob Add (string)",
                                             {S(QStringLiteral("x"))}, &blob);
    TJSONValue document(TJSONKind::Object);
    document.Parse(body);
    const TJSONArray& items = document.AsObject()
                                  .Find(QStringLiteral("exec"))
                                  ->value.AsArray()
                                  .Item(0)
                                  .AsArray()
                                  .Item(1)
                                  .AsArray()
                                  .Item(2)
                                  .AsArray();
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(Compact(items.Item(1)), QByteArray("[3,\"+\\/+\\/IHBsaWs=\"]"));
    EXPECT_EQ(DecodeEscapedBase64(items.Item(1).AsArray().Item(1).RawString()), blob);

    const QByteArray empty;
    EXPECT_EQ(Structure(BuildRequestBody(QStringLiteral("id"), "Blob Add", {}, &empty)),
              QByteArray("{\"exec\":[[\"nuraLegacyProtocol\",[\"id\",\"Blob Add\",[[3,\"\"]]]]]}"));
}

TEST(NuraJsonRequest, SendsTheConnectionIdAsTheServerWroteIt)
{
    const QByteArray body = BuildRequestBody(Text("a\\/b\\u0141"), "Logout", {});
    EXPECT_EQ(Structure(body),
              QByteArray("{\"exec\":[[\"nuraLegacyProtocol\",[\"a\\/b\\u0141\",\"Logout\",[]]]]}"));
}

} // namespace
