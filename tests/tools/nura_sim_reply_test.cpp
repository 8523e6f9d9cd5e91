#include "canned_replies.h"
#include "fault_switches.h"
#include "reply_writer.h"

#include "client/scramble.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QByteArray Int(qint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    return QByteArray(raw, 4);
}

QByteArray Str(const char* text)
{
    return QByteArray(text) + '\0';
}

SimReply Stream(QByteArray data)
{
    SimReply reply;
    reply.shape = ReplyShape::Stream;
    reply.streamData = std::move(data);
    return reply;
}

struct WriteCase
{
    SimReply reply;
    int chunk;
    QByteArray bytes;
};

void PrintTo(const WriteCase& c, std::ostream* os)
{
    *os << c.bytes.toHex(' ').constData();
}

class WriteReplyTest : public testing::TestWithParam<WriteCase>
{};

TEST_P(WriteReplyTest, PutsTheShapeOnTheWire)
{
    const WriteCase& c = GetParam();
    EXPECT_EQ(ReplyBytes(c.reply, WireCodec{true, {}}, c.chunk).toHex(' '), c.bytes.toHex(' '));
}

SimReply WithMessages(SimReply reply, QStringList messages)
{
    reply.messages = std::move(messages);
    return reply;
}

SimReply Failed()
{
    SimReply reply = Stream({});
    reply.streamFailed = true;
    return reply;
}

SimReply Status(QString text, SimReply reply)
{
    reply.shape = ReplyShape::StatusThenStream;
    reply.text = std::move(text);
    return reply;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteReplyTest,
    testing::Values(
        /* 0*/ WriteCase{SimReply::Count({}), 10, Int(0)},
        /* 1*/
        WriteCase{SimReply::Count({QStringLiteral("CZO"), QStringLiteral("12")}), 10,
                  Int(2) + Str("CZO") + Str("12")},
        /* 2*/
        WriteCase{WithMessages(SimReply::Count({QString()}), {QStringLiteral("m")}), 10,
                  Int(-2) + Str("m") + Int(1) + Str("")},
        // The last chunk is the one whose length equals what remains.
        /* 3*/
        WriteCase{Stream("abcdefg"), 3,
                  Int(7) + Int(3) + "abc" + Int(4) + Int(3) + "def" + Int(1) + Int(1) + "g"},
        /* 4*/ WriteCase{Stream("abcdef"), 3, Int(6) + Int(3) + "abc" + Int(3) + Int(3) + "def"},
        /* 5*/ WriteCase{Stream({}), 3, Int(0) + Int(0)},
        /* 6*/
        WriteCase{WithMessages(Stream("ab"), {QStringLiteral("m")}), 3,
                  Int(-2) + Str("m") + Int(2) + Int(2) + "ab"},
        /* 7*/ WriteCase{Failed(), 3, Int(-1)},
        /* 8*/
        WriteCase{Status(QStringLiteral("Brak pliku"), Failed()), 3, Str("Brak pliku") + Int(-1)},
        /* 9*/ WriteCase{Status(QString(), Stream("x")), 3, Str("") + Int(1) + Int(1) + "x"}));

TEST(WriteReply, ScramblesStringsAndEachChunkFromTheKeyStart)
{
    const QByteArray key("XXab");
    SimReply reply = Stream("abcd");
    QByteArray chunk("ab");
    ScrambleBytes(key, chunk.data(), chunk.size());
    QByteArray last("cd");
    ScrambleBytes(key, last.data(), last.size());
    EXPECT_EQ(ReplyBytes(reply, WireCodec{true, key}, 2),
              Int(4) + Int(2) + chunk + Int(2) + Int(2) + last);
}

TEST(WriteReply, EightBitAndUtf8Text)
{
    const SimReply reply = SimReply::Count({QStringLiteral("ł")});
    EXPECT_EQ(ReplyBytes(reply, WireCodec{false, {}}, 10), Int(1) + QByteArray("\xB3") + '\0');
    EXPECT_EQ(ReplyBytes(reply, WireCodec{true, {}}, 10), Int(1) + QByteArray("\xC5\x82") + '\0');
}

TEST(FaultSwitches, BadCountSparesHandshakeAndLogin)
{
    SimOptions options;
    options.badCountSet = true;
    options.badCount = 51;
    options.serverMessages = 1;
    const FaultSwitches faults(options);
    for (int code : {253, 128, 129}) {
        SimReply reply = SimReply::Count({QStringLiteral("a")});
        faults.Decorate(reply, code);
        EXPECT_EQ(ReplyBytes(reply, {}, 10),
                  Int(-2) + Str("Komunikat serwera 1") + Int(1) + Str("a"))
            << code;
    }
    SimReply reply = SimReply::Count({QStringLiteral("a")});
    faults.Decorate(reply, 151);
    EXPECT_EQ(ReplyBytes(reply, {}, 10), Int(51));
}

TEST(FaultSwitches, FireOnceAtTheCountedRequest)
{
    SimOptions options;
    options.dropAfter = 1;
    options.hangAfter = 2;
    options.faultRequest = QStringLiteral("151 86");
    FaultSwitches faults(options);
    using A = FaultSwitches::Action;
    const std::vector<std::pair<const char*, A>> rows = {
        /* 0*/ {"151 86 s:\"a\"", A::Answer},
        /* 1*/ {"151 73 s:\"a\" i:1", A::Answer}, // not counted
        /* 2*/ {"151 86 s:\"b\"", A::Drop},
        /* 3*/ {"151 86 s:\"c\"", A::Hang},
        /* 4*/ {"151 86 s:\"d\"", A::Answer},
    };
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(faults.OnRequest(QString::fromUtf8(rows[i].first)), rows[i].second) << i;
}

TEST(CannedReplies, LongestPrefixWins)
{
    CannedReplies table;
    table.Add({QStringLiteral("200"), {QStringLiteral("any")}, {}, {}, {}});
    table.Add({QStringLiteral("200 70 s:\"x"), {QStringLiteral("x")}, {}, {}, {}});
    table.Add({QStringLiteral("200 70"), {QStringLiteral("epr")}, {}, {}, {}});
    table.Add({QStringLiteral("200 70"), {QStringLiteral("second")}, {}, {}, {}});
    const std::vector<std::pair<const char*, const char*>> rows = {
        /* 0*/ {"200 70 s:\"xyz\"", "x"},
        /* 1*/ {"200 70 s:\"a\"", "epr"},
        /* 2*/ {"200 65 s:\"a\"", "any"},
        /* 3*/ {"201 88 s:\"a\"", nullptr},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const CannedReply* match = table.Match(QString::fromUtf8(rows[i].first));
        if (rows[i].second == nullptr) {
            EXPECT_EQ(match, nullptr) << i;
        } else {
            ASSERT_NE(match, nullptr) << i;
            EXPECT_EQ(match->fields.value(0), QString::fromUtf8(rows[i].second)) << i;
        }
    }
}

} // namespace
