#include "client/base64.h"
#include "client/json_error.h"
#include "client/json_text_escape.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The error text of unescaping raw, "" when it succeeds.
QString UnescapeError(const QByteArray& raw)
{
    try {
        UnescapeJsonText(raw);
    } catch (const TJSONError& error) {
        return error.Text();
    }
    return QString();
}

QString DecodeError(const QByteArray& raw)
{
    try {
        DecodeEscapedBase64(raw);
    } catch (const TJSONError& error) {
        return error.Text();
    }
    return QString();
}

TEST(JsonTextEscape, EscapesTextAsPlainAscii)
{
    const struct
    {
        const char* text;
        const char* escaped;
    } rows[] = {
        /* 0*/ {"ab", "ab"},
        /* 1*/ {"\xC3\xB3", "\\u00F3"},
        /* 2*/ {"x\x1BU0141\x1Ay", "x\\u0141y"},
        /* 3*/ {"\x1BU00f3\x1A", "\\u00f3"},
        // Only hexadecimal digits make a character escape; a quote inside
        // must not end the JSON string.
        /* 4*/ {"\x1BU\"\"\"\"\x1A", "\\u001BU\\\"\\\"\\\"\\\"\\u001A"},
        /* 5*/ {"\x1BU0141", "\\u001BU0141"},
        /* 6*/ {"\x1BU014\x1A", "\\u001BU014\\u001A"},
        /* 7*/ {"\b\t\n\f\r", "\\b\\t\\n\\f\\r"},
        /* 8*/ {"\"/\\", "\\\"\\/\\\\"},
        /* 9*/ {"\x01\x0B\x1F", "\\u0001\\u000B\\u001F"},
        /*10*/ {" ~\x7F", " ~\x7F"},
        /*11*/ {"\xC2\x80\xC5\x81\xEF\xBF\xBF", "\\u0080\\u0141\\uFFFF"},
        /*12*/ {"\xF0\x9F\x93\x9A", "\\uD83D\\uDCDA"},
        /*13*/ {"", ""},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(EscapeJsonText(Text(rows[i].text)), QByteArray(rows[i].escaped)) << "row " << i;
    // NUL is a character like any other.
    EXPECT_EQ(EscapeJsonText(QString(QChar(0))), QByteArray("\\u0000"));
}

TEST(JsonTextEscape, UnescapesEveryEscape)
{
    const struct
    {
        const char* raw;
        const char* text;
    } rows[] = {
        /* 0*/ {"plain", "plain"},
        /* 1*/ {"\\\"\\\\\\/\\b\\f\\n\\r\\t", "\"\\/\b\f\n\r\t"},
        /* 2*/ {"\\u00F3\\u00f3", "\xC3\xB3\xC3\xB3"},
        /* 3*/ {"\\uD83D\\uDCDA", "\xF0\x9F\x93\x9A"},
        /* 4*/ {"za\xC5\xBC\\u00F3\xC5\x82\\/\xC4\x87", "za\xC5\xBC\xC3\xB3\xC5\x82/\xC4\x87"},
        /* 5*/ {"\\u0041B", "AB"},
        /* 6*/ {"", ""},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(UnescapeJsonText(QByteArray(rows[i].raw)), Text(rows[i].text)) << "row " << i;
    EXPECT_EQ(UnescapeJsonText(QByteArray("a\\u0000b")),
              QString(QChar(u'a')) + QChar(0) + QChar(u'b'));
}

TEST(JsonTextEscape, RefusesBadEscapesWithTheirTexts)
{
    const struct
    {
        const char* raw;
        const char* error;
    } rows[] = {
        /* 0*/ {"a\\x", "Backslash conversion error \"\\x...\""},
        /* 1*/ {"\\q0123456789XYZ", "Backslash conversion error \"\\q012345678...\""},
        /* 2*/ {"abc\\", "Backslash conversion error \"\\...\""},
        /* 3*/
        {"\\\xC5\xBC\xC3\xB3\xC5\x82w",
         "Backslash conversion error \"\\\xC5\xBC\xC3\xB3\xC5\x82w...\""},
        /* 4*/ {"\\U0041", "Backslash conversion error \"\\U0041...\""},
        /* 5*/ {"ok\\n\\ ", "Backslash conversion error \"\\ ...\""},
        /* 6*/ {"\\u12", "\\u conversion error"},
        /* 7*/ {"\\u12G4", "\\u conversion error"},
        /* 8*/ {"\\u", "\\u conversion error"},
        /* 9*/ {"\\u 123", "\\u conversion error"},
        /*10*/ {"\\u-123", "\\u conversion error"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(UnescapeError(QByteArray(rows[i].raw)), Text(rows[i].error)) << "row " << i;
        EXPECT_EQ(DecodeError(QByteArray(rows[i].raw)), Text(rows[i].error)) << "row " << i;
    }
}

TEST(JsonTextEscape, UnescapingGivesBackWhatWasEscaped)
{
    QString text;
    for (char16_t c = 0; c < 0x300; ++c)
        text += QChar(c);
    text += Text("\xF0\x9F\x93\x9A \xE2\x82\xAC");
    const QByteArray escaped = EscapeJsonText(text);
    // Plain ASCII from 32 up (a signed char beyond 127 is negative).
    for (const char c : escaped)
        ASSERT_GE(c, 32);
    EXPECT_EQ(UnescapeJsonText(escaped), text);
}

QByteArray Bytes(qsizetype length, std::uint32_t seed)
{
    QByteArray bytes(length, '\0');
    for (qsizetype i = 0; i < length; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(seed >> 16);
    }
    return bytes;
}

TEST(JsonTextEscape, BlobsTravelAsEscapedBase64)
{
    EXPECT_EQ(EscapedBase64(QByteArray("\xFB\xFF\xBF\xFF")), QByteArray("+\\/+\\/\\/w=="));
    EXPECT_EQ(EscapedBase64(QByteArray()), QByteArray());
    // All "/" (more escapes than the room kept for them), none, and random
    // bytes of every length remainder.
    const QByteArray blobs[] = {QByteArray(3000, '\xFF'), QByteArray(301, '\0'), Bytes(1000, 1),
                                Bytes(1001, 2), Bytes(1002, 3)};
    for (std::size_t i = 0; i < std::size(blobs); ++i) {
        const QByteArray escaped = EscapedBase64(blobs[i]);
        QByteArray expected = blobs[i].toBase64();
        expected.replace("/", "\\/");
        EXPECT_EQ(escaped, expected) << "blob " << i;
        EXPECT_EQ(DecodeEscapedBase64(escaped), blobs[i]) << "blob " << i;
    }
}

TEST(JsonTextEscape, DecodingABlobEqualsUnescapingThenDecoding)
{
    const char* const raws[] = {
        /* 0*/ "QUJD",
        /* 1*/ "\\/\\/\\/\\/",
        /* 2*/ "\\u0051\\u0055JD",
        /* 3*/ "QU\\nJ\\r\\nD",
        /* 4*/ "Q\\u00F3U\xC3\xB3J\\\\D\\\"",
        /* 5*/ "QQ\\u003DQUJD",
        /* 6*/ "QQ==\\n",
        /* 7*/ "QUI\\u005C",
        /* 8*/ "\\uD83D\\uDCDAQUJD",
    };
    for (std::size_t i = 0; i < std::size(raws); ++i) {
        const QByteArray raw(raws[i]);
        EXPECT_EQ(DecodeEscapedBase64(raw), Base64Decode(UnescapeJsonText(raw).toUtf8()))
            << "row " << i;
    }
    // A bad escape after the padding is still an error of the text.
    EXPECT_EQ(DecodeError("QQ==\\x"), Text("Backslash conversion error \"\\x...\""));
    EXPECT_EQ(DecodeError("QQ==abc\\u12"), Text("\\u conversion error"));
}

} // namespace
