#include "record_line.h"
#include "request_parser.h"

#include "client/scramble.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// Request bytes built item by item, as the client puts them.
struct Bytes
{
    QByteArray data;
    Bytes& b(int value)
    {
        data += static_cast<char>(value);
        return *this;
    }
    Bytes& i(qint32 value)
    {
        char raw[4];
        qToLittleEndian(value, raw);
        data.append(raw, 4);
        return *this;
    }
    Bytes& s(const char* utf8)
    {
        data += QByteArray(utf8);
        data += '\0';
        return *this;
    }
    Bytes& raw(const QByteArray& bytes)
    {
        data += bytes;
        return *this;
    }
};

struct ParseCase
{
    QByteArray bytes;
    bool utf8;
    bool moneyWithThreeMore;
    const char* line;  // record line of what was read
    const char* error; // beginning of the error text, "" for none
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.line;
}

class ParseRequestTest : public testing::TestWithParam<ParseCase>
{};

TEST_P(ParseRequestTest, ReadsItemsOfTheLayout)
{
    const ParseCase& c = GetParam();
    BufferSource source(c.bytes);
    WireCodec codec;
    codec.utf8 = c.utf8;
    LayoutContext context;
    context.moneyWithThreeMore = c.moneyWithThreeMore;
    const ParsedRequest request = ParseRequest(source, codec, context);
    EXPECT_EQ(FormatRecordLine(request.items), QString::fromUtf8(c.line));
    if (QByteArray(c.error).isEmpty())
        EXPECT_TRUE(request.error.isEmpty()) << request.error.toStdString();
    else
        EXPECT_TRUE(request.error.startsWith(QString::fromUtf8(c.error)))
            << request.error.toStdString();
    EXPECT_EQ(source.Available(), 0); // nothing of it is left for the next request
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseRequestTest,
    testing::Values(
        /* 0*/ ParseCase{Bytes().b(151).b(73).s("CZO").i(-3).data, true, true,
                         "151 73 s:\"CZO\" i:-3", ""},
        // The last integer argument travels first; the layout is s s i i.
        /* 1*/
        ParseCase{Bytes().b(140).b(6).s("x").s("y").i(2).i(1).data, true, true,
                  "140 6 s:\"x\" s:\"y\" i:2 i:1", ""},
        /* 2*/
        ParseCase{Bytes().b(55).i(97).i(0).i(1).s("").s("").data, true, true,
                  "55 i:97 i:0 i:1 s:\"\" s:\"\"", ""},
        /* 3*/ ParseCase{Bytes().b(141).b(2).b(7).s("k").data, true, true, "141 2 7 s:\"k\"", ""},
        /* 4*/ ParseCase{Bytes().b(0).data, true, true, "0", ""},
        /* 5*/ ParseCase{Bytes().b(130).data, true, true, "130", ""},
        // 8-bit wire text: 0xB3 is "ł" in windows-1250.
        /* 6*/ ParseCase{Bytes().b(254).raw("\xB3").s("").data, false, true, "254 s:\"ł\"", ""},
        /* 7*/ ParseCase{Bytes().b(254).s("ł").data, true, true, "254 s:\"ł\"", ""},
        // The payment request's length follows the server's own version.
        /* 8*/
        ParseCase{Bytes().b(150).b(18).s("1").s("2").s("6").data, true, false,
                  "150 18 s:\"1\" s:\"2\" s:\"6\"", ""},
        /* 9*/
        ParseCase{Bytes().b(150).b(18).s("1").s("2").s("6").data, true, true,
                  "150 18 s:\"1\" s:\"2\" s:\"6\"", "Brak kolejnego elementu"},
        /*10*/ ParseCase{Bytes().b(99).i(5).data, true, true, "99", "Nieznany kod żądania 99"},
        /*11*/
        ParseCase{Bytes().b(151).b(1).s("x").data, true, true, "151 1",
                  "Nieznany podkod żądania 151 1"},
        /*12*/
        ParseCase{Bytes().b(151).b(86).s("A").s("B").data, true, true, "151 86 s:\"A\"",
                  "Nadmiarowe bajty po żądaniu GetRegistry (2)"},
        /*13*/
        ParseCase{Bytes().b(151).b(73).s("A").data, true, true, "151 73 s:\"A\"",
                  "Brak kolejnego elementu"},
        // Uploads: several chunks, an empty source, and chunk headers that
        // do not add up.
        /*14*/
        ParseCase{Bytes().b(120).b(3).s("f").i(5).i(3).raw("abc").i(2).i(2).raw("de").data, true,
                  true, "120 3 s:\"f\" upload:5", ""},
        /*15*/
        ParseCase{Bytes().b(220).b(65).s("r").s("txt").i(0).i(0).data, true, true,
                  "220 65 s:\"r\" s:\"txt\" upload:0", ""},
        /*16*/
        ParseCase{Bytes().b(120).b(3).s("f").i(5).i(6).raw("abcdef").data, true, true,
                  "120 3 s:\"f\"", "Błędna postać przesyłanych danych (5, 6)"},
        /*17*/
        ParseCase{Bytes().b(120).b(3).s("f").i(5).i(3).raw("abc").i(3).i(3).raw("xyz").data, true,
                  true, "120 3 s:\"f\"", "Błędna postać przesyłanych danych (3, 3)"},
        /*18*/
        ParseCase{Bytes().b(120).b(3).s("f").i(4).i(0).data, true, true, "120 3 s:\"f\"",
                  "Błędna postać przesyłanych danych (4, 0)"}));

TEST(ParseRequest, UnscramblesStringsAndEachUploadChunkFromTheKeyStart)
{
    const QByteArray key("XXk3y");
    QByteArray name("plik");
    ScrambleBytes(key, name.data(), name.size());
    QByteArray first("abc");
    QByteArray second("de");
    ScrambleBytes(key, first.data(), first.size());
    ScrambleBytes(key, second.data(), second.size());
    BufferSource source(
        Bytes().b(120).b(3).raw(name).b(0).i(5).i(3).raw(first).i(2).i(2).raw(second).data);
    const ParsedRequest request = ParseRequest(source, WireCodec{true, key}, LayoutContext{});
    ASSERT_TRUE(request.error.isEmpty()) << request.error.toStdString();
    ASSERT_EQ(request.items.size(), 4u);
    EXPECT_EQ(request.items[2].text, QStringLiteral("plik"));
    EXPECT_EQ(request.items[3].data, QByteArray("abcde"));
}

struct LineCase
{
    WireItems items;
    const char* line;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << c.line;
}

class RecordLineTest : public testing::TestWithParam<LineCase>
{};

TEST_P(RecordLineTest, Formats)
{
    EXPECT_EQ(FormatRecordLine(GetParam().items), QString::fromUtf8(GetParam().line));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordLineTest,
    testing::Values(
        /* 0*/ LineCase{{WireItem::Byte(0)}, "0"},
        /* 1*/
        LineCase{{WireItem::Byte(100), WireItem::Byte(3), WireItem::Integer(5),
                  WireItem::String(QStringLiteral("a|1|"))},
                 "100 3 i:5 s:\"a|1|\""},
        /* 2*/ LineCase{{WireItem::Integer(-2147483647 - 1)}, "i:-2147483648"},
        /* 3*/ LineCase{{WireItem::String(QStringLiteral("a\"b\\c"))}, "s:\"a\\\"b\\\\c\""},
        /* 4*/
        LineCase{{WireItem::String(QString::fromUtf8("x\r\n\x1b"
                                                     "1\x1f"))},
                 "s:\"x\\x0d\\x0a\\x1b1\\x1f\""},
        /* 5*/ LineCase{{WireItem::String(QString::fromUtf8("Żółw €"))}, "s:\"Żółw €\""},
        /* 6*/
        LineCase{{WireItem::Byte(220), WireItem::Upload(QByteArray(7, 'z'))}, "220 upload:7"},
        /* 7*/ LineCase{{WireItem::String(QString())}, "s:\"\""}));

} // namespace
