#include "client/tcp_client.h"

#include "client/ansi_code_page.h"
#include "loopback_listener.h"
#include "socket_pair.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

struct Connected
{
    SocketPair pair;
    LMSocket socket{pair.client};
};

TEST(LMSocket, WritesItemsLittleEndianAndZeroTerminated)
{
    Connected c;
    c.socket.BeginRequest();
    c.socket.PutByte(151);
    c.socket.PutInteger(1);
    c.socket.PutInteger(-2);
    c.socket.PutString(U("Łódź"));
    c.socket.PutString(U("Ж"));
    c.socket.Send();
    EXPECT_FALSE(c.socket.ErrorFlag());
    const QByteArray expected = QByteArray("\x97", 1) + QByteArray("\x01\x00\x00\x00", 4) +
                                QByteArray("\xFE\xFF\xFF\xFF", 4) +
                                QByteArray("\xA3\xF3\x64\x9F\x00", 5) +
                                QByteArray("\x1BU0416\x1A\x00", 8);
    EXPECT_EQ(c.pair.Read(), expected);
}

TEST(LMSocket, StringsOfEveryEncodingComeBackUnchanged)
{
    const QString text = U("zażółć Ж €");
    struct Row
    {
        bool utf8;
        const char* key;
    } rows[] = {
        /* 0*/ {false, ""},
        /* 1*/ {true, ""},
        /* 2*/ {false, "XXk3y"},
        /* 3*/ {true, "XXk3y"},
    };
    for (const Row& row : rows) {
        Connected c;
        c.socket.SetUtf8(row.utf8);
        c.socket.SetLoginKey(QByteArray(row.key));
        c.socket.PutString(text);
        c.socket.Send();
        const QByteArray sent = c.pair.Read();
        ASSERT_TRUE(c.pair.Write(sent + sent));
        EXPECT_EQ(c.socket.GetString(), text) << row.utf8 << row.key;
        EXPECT_EQ(c.socket.GetLong(), text) << row.utf8 << row.key;
        EXPECT_FALSE(c.socket.ErrorFlag()) << c.socket.ErrorText().toStdString();
    }
}

// A string that with its terminator fills the buffer goes out whole; one
// byte more is split, and the peer still receives every byte in order.
TEST(LMSocket, LongOutgoingStringsAreSplitWithoutLoss)
{
    for (qsizetype size : {qsizetype{49999}, qsizetype{50000}, qsizetype{120001}}) {
        Connected c;
        const QString text(size, QLatin1Char('a'));
        std::thread writer([&] {
            c.socket.PutByte(7);
            c.socket.PutString(text);
            c.socket.Send();
        });
        const QByteArray received = c.pair.Read(size + 2, 1000);
        writer.join();
        EXPECT_EQ(received, QByteArray(1, '\x07') + text.toLatin1() + QByteArray(1, '\0')) << size;
    }
}

TEST(LMSocket, PlainStringsMustFitTheBufferLongOnesNeedNot)
{
    const QByteArray big(120000, 'x');
    {
        Connected c;
        std::thread peer([&] { c.pair.Write(big + QByteArray(1, '\0')); });
        EXPECT_EQ(c.socket.GetString(), QString());
        peer.join();
        EXPECT_TRUE(c.socket.ErrorFlag());
        EXPECT_EQ(c.socket.ErrorText(), U("Przekroczenie wielkości komunikatu"));
    }
    {
        Connected c;
        std::thread peer([&] { c.pair.Write(big + QByteArray("\0tail\0", 6)); });
        EXPECT_EQ(c.socket.GetLong(), QString::fromLatin1(big));
        EXPECT_EQ(c.socket.GetString(), QStringLiteral("tail"));
        peer.join();
        EXPECT_FALSE(c.socket.ErrorFlag());
    }
}

TEST(LMSocket, ReadsItemsSplitAcrossPackets)
{
    Connected c;
    std::thread peer([&] {
        const QByteArray bytes = QByteArray("\x05", 1) + WireInteger(-2) + "abc" +
                                 QByteArray(1, '\0') + WireInteger(70000);
        for (char byte : bytes) {
            c.pair.Write(QByteArray(1, byte));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    EXPECT_EQ(c.socket.GetByte(), 5);
    EXPECT_EQ(c.socket.GetInteger(), -2);
    EXPECT_EQ(c.socket.GetString(), QStringLiteral("abc"));
    EXPECT_EQ(c.socket.GetInteger(), 70000);
    peer.join();
    EXPECT_FALSE(c.socket.ErrorFlag());
}

TEST(LMSocket, ClosedLineGivesEachReadersText)
{
    struct Row
    {
        int reader;
        const char* text;
    } rows[] = {
        /* 0*/ {0, "GETBYTE: zerwane połaczenie"},
        /* 1*/ {1, "GETINTEGER: zerwane połączenie"},
        /* 2*/ {2, "GETSTRING: zerwane połączenie"},
        /* 3*/ {3, "GETLONG: zerwane połączenie"},
    };
    for (const Row& row : rows) {
        Connected c;
        c.pair.Write(QByteArray("ab", 2)); // a partial item, then the line goes
        c.pair.ClosePeer();
        switch (row.reader) {
        case 0:
            c.socket.GetByte();
            c.socket.GetByte();
            c.socket.GetByte();
            break;
        case 1:
            c.socket.GetInteger();
            break;
        case 2:
            c.socket.GetString();
            break;
        default:
            c.socket.GetLong();
        }
        EXPECT_TRUE(c.socket.ErrorFlag()) << row.reader;
        EXPECT_EQ(c.socket.ErrorText(), U(row.text)) << row.reader;
    }
}

TEST(LMSocket, ErrorStateIsStickyUntilReopen)
{
    Connected c;
    c.pair.ClosePeer();
    EXPECT_EQ(c.socket.GetInteger(), 0);
    ASSERT_TRUE(c.socket.ErrorFlag());
    const QString text = c.socket.ErrorText();
    c.socket.PutString(QStringLiteral("ignored"));
    c.socket.Send();
    EXPECT_EQ(c.socket.GetLong(), QString());
    EXPECT_EQ(c.socket.ErrorText(), text);
    c.socket.Reopen(); // a socket taken over from a descriptor has nowhere to go
    EXPECT_TRUE(c.socket.ErrorFlag());
    EXPECT_EQ(c.socket.ErrorText(), QStringLiteral("Brak połączenia z serwerem /0"));
}

TEST(LMSocket, SilentServerRunsIntoTheWaitLimit)
{
    Connected c;
    c.socket.SetWaitLimit(0);
    EXPECT_EQ(c.socket.GetInteger(), 0);
    EXPECT_EQ(c.socket.ErrorText(), U("Przekroczony czas oczekiwania"));
}

TEST(LMSocket, SendToAClosedLineFails)
{
    Connected c;
    c.pair.ClosePeer();
    c.socket.PutString(QStringLiteral("x"));
    c.socket.Send();
    EXPECT_EQ(c.socket.ErrorText(), U("SEND: zerwane połączenie"));
}

TEST(LMSocket, BlocksAreBoundedByTheBuffer)
{
    Connected c;
    QByteArray block;
    c.pair.Write(QByteArray("0123456789", 10));
    EXPECT_TRUE(c.socket.GetBlock(4, block));
    EXPECT_EQ(block, QByteArray("0123"));
    EXPECT_TRUE(c.socket.GetBlock(0, block));
    EXPECT_TRUE(block.isEmpty());
    EXPECT_FALSE(c.socket.GetBlock(50001, block));
    EXPECT_EQ(c.socket.ErrorText(), U("Zła postać odpowiedzi (50001)"));
}

TEST(LMSocket, ConnectsReopensAndReportsUnreachableServers)
{
    LoopbackListener listener;
    LMSocket socket(QStringLiteral("127.0.0.1"), nullptr, listener.Port());
    ASSERT_FALSE(socket.ErrorFlag()) << socket.ErrorText().toStdString();
    socket.SetUtf8(true);
    socket.SetLoginKey("XXab");
    socket.SetError(QStringLiteral("broken"));
    socket.Reopen();
    EXPECT_FALSE(socket.ErrorFlag());
    EXPECT_TRUE(socket.ErrorText().isEmpty());
    EXPECT_TRUE(socket.Reconnected());
    EXPECT_FALSE(socket.Utf8());
    EXPECT_TRUE(socket.LoginKey().isEmpty());
    socket.BeginRequest();
    EXPECT_FALSE(socket.Reconnected());

    const qint32 closedPort = listener.Port();
    listener.Close();
    LMSocket refused(QStringLiteral("localhost"), nullptr, closedPort);
    EXPECT_TRUE(refused.ErrorFlag());
    EXPECT_EQ(refused.ErrorText(),
              QStringLiteral("Brak połączenia z serwerem localhost/%1").arg(closedPort));
}

} // namespace
