#include "client/utf8_codec.h"

#include <gtest/gtest.h>

namespace {

QByteArray B(const char* bytes, qsizetype size)
{
    return QByteArray(bytes, size);
}

struct Utf8Case
{
    const char16_t* text;
    const char* bytes;
    qsizetype size;
};

class Utf8RoundTripTest : public testing::TestWithParam<Utf8Case>
{};

TEST_P(Utf8RoundTripTest, EncodesCodeUnitByCodeUnit)
{
    const Utf8Case& c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    EXPECT_EQ(EncodeUtf8(text), B(c.bytes, c.size));
    EXPECT_EQ(DecodeUtf8(B(c.bytes, c.size)), text);
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8RoundTripTest,
                         testing::Values(
                             /* 0*/ Utf8Case{u"ó", "\xC3\xB3", 2},
                             /* 1*/ Utf8Case{u"€", "\xE2\x82\xAC", 3},
                             /* 2*/
                             Utf8Case{u"a\u007F\u0080\u07FF\u0800\uFFFF",
                                      "a\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF", 12},
                             // Each surrogate half is its own three-byte sequence.
                             /* 3*/ Utf8Case{u"\U0001F600", "\xED\xA0\xBD\xED\xB8\x80", 6},
                             /* 4*/ Utf8Case{u"", "", 0}));

struct DecodeCase
{
    const char* bytes;
    qsizetype size;
    const char16_t* text;
};

class Utf8DecodeTest : public testing::TestWithParam<DecodeCase>
{};

TEST_P(Utf8DecodeTest, DoesNotValidate)
{
    const DecodeCase& c = GetParam();
    EXPECT_EQ(DecodeUtf8(B(c.bytes, c.size)), QString::fromUtf16(c.text));
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8DecodeTest,
                         testing::Values(
                             // Cut off at the end: missing bytes read as 0.
                             /* 0*/ DecodeCase{"\xC3", 1, u"\u00C0"},
                             /* 1*/ DecodeCase{"a\xE2\x82", 3, u"a\u2080"},
                             /* 2*/ DecodeCase{"\xE2", 1, u"\u2000"},
                             // A stray continuation byte starts a three-byte read.
                             /* 3*/ DecodeCase{"\x80xy", 3, u"\u0E39"},
                             // Four-byte sequences are not understood: 16 bits kept.
                             /* 4*/
                             DecodeCase{"\xF0\x9F\x98"
                                        "A",
                                        4, u"\u07D8A"}));

} // namespace
