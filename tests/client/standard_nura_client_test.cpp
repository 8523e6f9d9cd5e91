#include "client/standard_nura_client.h"

#include "client/ansi_codec.h"
#include "client/lm_timer.h"
#include "client/scramble.h"
#include "client/tcp_client.h"
#include "loopback_listener.h"
#include "socket_pair.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <thread>
#include <utility>
#include <vector>

// Failures name the texts, not their bytes.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Bytes as the server's side of the wire carries them.
struct Wire
{
    QByteArray bytes;
    QByteArray key; // scrambles strings once the login has handed one out

    Wire& B(int value)
    {
        bytes.append(static_cast<char>(value));
        return *this;
    }
    Wire& I(qint32 value)
    {
        bytes.append(WireInteger(value));
        return *this;
    }
    Wire& S(const QString& text)
    {
        bytes.append(ScrambleText(key, EncodeAnsi(text)));
        bytes.append('\0');
        return *this;
    }
    Wire& S(const char* utf8) { return S(U(utf8)); }
    Wire& Raw(const QByteArray& raw)
    {
        bytes.append(raw);
        return *this;
    }
    // A count reply with its fields.
    Wire& Answer(std::initializer_list<const char*> fields)
    {
        I(static_cast<qint32>(fields.size()));
        for (const char* field : fields)
            S(field);
        return *this;
    }
};

void WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        ASSERT_GT(n, 0);
        done += n;
    }
}

// Whatever has arrived so far; the client's sends are complete when its
// operation returns.
QByteArray ReadAvailable(int fd)
{
    QByteArray got;
    char chunk[65536];
    for (;;) {
        const ssize_t n = recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n <= 0)
            return got;
        got.append(chunk, n);
    }
}

QByteArray ReadExactly(int fd, qsizetype size)
{
    QByteArray got;
    char chunk[4096];
    while (got.size() < size) {
        pollfd waiting{fd, POLLIN, 0};
        if (poll(&waiting, 1, 10000) <= 0)
            return got;
        const ssize_t n =
            recv(fd, chunk,
                 static_cast<size_t>(std::min<qsizetype>(sizeof chunk, size - got.size())), 0);
        if (n <= 0)
            return got;
        got.append(chunk, n);
    }
    return got;
}

struct Recorder
{
    QStringList texts;
    void Take(const QString& text) { texts << text; }
    TTextHandler Handler() { return TTextHandler::Of<&Recorder::Take>(this); }
};

struct Progress
{
    std::vector<std::pair<qint64, qint64>> calls;
    void Take(qint64 done, qint64 total) { calls.emplace_back(done, total); }
    TProgressHandler Handler() { return TProgressHandler::Of<&Progress::Take>(this); }
};

// The client on one end of a socketpair, the scripted server on the other.
// A single reply can be written before the operation runs, as the socket
// buffers it. Every request empties the client's receive buffer, though, so
// an operation of several exchanges gets its replies one at a time from a
// peer thread, each after the request it answers has arrived.
class ClientTest : public testing::Test
{
protected:
    void SetUp() override
    {
        int fds[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
        m_server = fds[1];
        client = std::make_unique<TStandardNuraClient>(std::make_unique<LMSocket>(fds[0]),
                                                       serverMessages.Handler(), errors.Handler(),
                                                       messages.Handler(), U("stanowisko 1"));
        client->Socket().SetWaitLimit(0);
    }
    void TearDown() override
    {
        if (m_peer.joinable())
            m_peer.join();
        client.reset();
        close(m_server);
    }

    void Reply(const Wire& wire) { WriteAll(m_server, wire.bytes); }
    void Script(std::vector<Wire> replies)
    {
        m_peer = std::thread([this, replies = std::move(replies)] {
            for (const Wire& reply : replies) {
                pollfd waiting{m_server, POLLIN, 0};
                if (poll(&waiting, 1, 5000) <= 0)
                    return;
                m_received += ReadAvailable(m_server);
                WriteAll(m_server, reply.bytes);
            }
        });
    }
    // All the client has sent so far.
    QByteArray Sent()
    {
        if (m_peer.joinable())
            m_peer.join();
        QByteArray sent = m_received + ReadAvailable(m_server);
        m_received.clear();
        return sent;
    }
    // The client still sends into a half-closed line; its reads find the end.
    void HangUp() { shutdown(m_server, SHUT_WR); }
    // Greets a server with this description, so that its version rules apply.
    void Greet(const char* description)
    {
        Script({Wire().Answer({"&UTF8=F"}), Wire().S(description)});
        client->Hello(false, true);
        Sent();
    }

    Recorder errors, messages, serverMessages;
    std::unique_ptr<TStandardNuraClient> client;
    int m_server = -1;
    std::thread m_peer;
    QByteArray m_received;
};

// ---- Requests: every family sends its items in the server's order ----

struct RequestRow
{
    std::function<void(TStandardNuraClient&)> call;
    Wire request;
    Wire reply;
};

Wire EmptyStream()
{
    return Wire().I(0).I(0);
}

class RequestTest : public ClientTest, public testing::WithParamInterface<RequestRow>
{};

TEST_P(RequestTest, SendsItemsInWireOrder)
{
    const RequestRow& row = GetParam();
    Reply(row.reply);
    row.call(*client);
    EXPECT_EQ(Sent().toHex(' '), row.request.bytes.toHex(' '));
    EXPECT_TRUE(errors.texts.isEmpty()) << errors.texts.join(U("|")).toStdString();
}

QString g_text;
TAnswer g_answer;

INSTANTIATE_TEST_SUITE_P(
    Families, RequestTest,
    testing::Values(
        /* 0*/ RequestRow{[](auto& c) { c.GetEntry(1, 2, U("ab"), 3); },
                          Wire().B(50).I(1).I(2).I(3).S("ab"), Wire().I(0)},
        /* 1*/
        RequestRow{[](auto& c) { c.GetFirstEntry(1, 2, U("a"), U("b"), 3); },
                   Wire().B(55).I(1).I(2).I(3).S("b").S("a"), Wire().I(0)},
        /* 2*/
        RequestRow{[](auto& c) { c.GetCollection(U("k")); }, Wire().B(15).S("k"), Wire().I(0)},
        /* 3*/ RequestRow{[](auto& c) { c.RemoveCollection(7); }, Wire().B(6).I(7), Wire().I(0)},
        /* 4*/
        RequestRow{[](auto& c) { c.CollectionSense(5, g_text); }, Wire().B(100).B(1).I(5).I(0),
                   EmptyStream()},
        /* 5*/
        RequestRow{[](auto& c) { c.ReportCollection(1, 2, QString(), U("p|1|")); },
                   Wire().B(100).B(6).I(1).I(2).S("p|1|"), EmptyStream()},
        /* 6*/
        RequestRow{[](auto& c) { c.ReportCollection(1, 2, QString(), QString()); },
                   Wire().B(100).B(1).I(1).I(2), EmptyStream()},
        /* 7*/
        RequestRow{[](auto& c) { c.ReportListText(4, U("s"), g_text, U("p")); },
                   Wire().B(100).B(7).I(4).S("p").S("s"), EmptyStream()},
        /* 8*/
        RequestRow{[](auto& c) { c.ReportProcedure(9, U("a|b|"), QString()); },
                   Wire().B(100).B(3).I(9).S("a|b|"), EmptyStream()},
        /* 9*/
        RequestRow{[](auto& c) { c.FileGet(U("n"), QString(), {}); }, Wire().B(120).B(1).S("n"),
                   EmptyStream()},
        /*10*/
        RequestRow{[](auto& c) { c.FileQuery(U("n"), g_text); }, Wire().B(120).B(2).S("n"),
                   Wire().Answer({""})},
        /*11*/
        RequestRow{[](auto& c) { c.BlobGet(U("a"), U("b"), {}, QString()); },
                   Wire().B(220).B('G').S("a").S("b"), EmptyStream()},
        /*12*/
        RequestRow{[](auto& c) {
                       QString status;
                       c.BlobGetProtected(U("a"), U("b"), status, {}, U("c"), QString());
                   },
                   Wire().B(220).B('P').S("a").S("b").S("c"), Wire().S("").I(0).I(0)},
        /*13*/
        RequestRow{[](auto& c) { c.BlobDelete(U("a"), U("b"), g_text); },
                   Wire().B(220).B('D').S("a").S("b"), Wire().Answer({""})},
        /*14*/
        RequestRow{[](auto& c) { c.BlobAddText(U("a"), U("b"), g_text, {}, QByteArray("xyz")); },
                   Wire().B(220).B('A').S("a").S("b").I(3).I(3).Raw("xyz"), Wire().Answer({""})},
        /*15*/
        RequestRow{[](auto& c) { c.DeletingMark(U("a"), QLatin1Char('Z'), g_text); },
                   Wire().B(140).B(1).S("a").S("Z"), Wire().Answer({""})},
        /*16*/
        RequestRow{[](auto& c) { c.DeletingDo(U("a"), U("b"), g_text, 1, 2); },
                   Wire().B(140).B(6).S("a").S("b").I(2).I(1), Wire().Answer({""})},
        /*17*/
        RequestRow{[](auto& c) {
                       bool flag = false;
                       QString s2 = U("d"), s3;
                       c.DeletingDefaults(U("a"), flag, g_text, s2, s3);
                   },
                   Wire().B(140).B(7).S("a").S("d"), Wire().Answer({""})},
        /*18*/
        RequestRow{[](auto& c) { c.ScontrumHole(5, U("a"), g_text); },
                   Wire().B(141).B(3).B(5).S("a"), Wire().Answer({""})},
        /*19*/
        RequestRow{[](auto& c) { c.Lend(U("a"), U("b"), g_answer, U("c")); },
                   Wire().B(150).B(7).S("a").S("b").S("c"), Wire().I(0)},
        /*20*/
        RequestRow{[](auto& c) { c.DivertReservation(U("a"), -12, g_answer, U("b"), U("c")); },
                   Wire().B(150).B(34).S("a").S("-12").S("c").S("b"), Wire().I(0)},
        /*21*/
        RequestRow{[](auto& c) { c.Circulation32(U("a"), U("b"), g_answer, U("c"), U("d")); },
                   Wire().B(150).B(32).S("a").S("b").S("d").S("c"), Wire().I(0)},
        /*22*/
        RequestRow{[](auto& c) { c.Registry(U("czytelnia"), 3, g_answer); },
                   Wire().B(151).B('I').S("czytelnia").I(3), Wire().I(0)},
        /*23*/
        RequestRow{[](auto& c) { c.GetRegistry(U("czytelnia"), g_answer); },
                   Wire().B(151).B('V').S("czytelnia"), Wire().I(0)},
        /*24*/
        RequestRow{[](auto& c) { c.Booking(U("&x=1"), g_text); },
                   Wire().B(38).S("&client=NURA_TCP&x=1"), Wire().S("ok")},
        /*25*/
        RequestRow{[](auto& c) { c.Programm(U("a"), U("b"), g_text, U("c")); },
                   Wire().B(201).B('X').S("a").S("b").S("c"), Wire().Answer({""})},
        /*26*/
        RequestRow{[](auto& c) { c.UpdateCollection(4, U("s"), g_answer); },
                   Wire().B(200).B('G').I(4).S("s"), Wire().I(0)},
        /*27*/
        RequestRow{[](auto& c) { c.Ping(U("x"), g_text); }, Wire().B(254).S("x"),
                   Wire().Answer({"x"})},
        // A character outside the code page travels as its escape.
        /*28*/
        RequestRow{[](auto& c) { c.OpenPerson(U("Ж"), g_answer); },
                   Wire().B(150).B(1).Raw(QByteArray("\x1bU0416\x1a", 7)).B(0), Wire().I(0)}));

// ---- Count replies ----

TEST_F(ClientTest, ServerMessagesBeforeTheCountGoToTheirHandler)
{
    Reply(Wire().I(-2).S("pierwszy").I(-2).S("drugi").Answer({"x", "y"}));
    TAnswer answer;
    client->OpenPerson(U("1"), answer);
    EXPECT_EQ(serverMessages.texts, QStringList({U("pierwszy"), U("drugi")}));
    ASSERT_EQ(answer.count, 2);
    EXPECT_EQ(answer.fields[0], U("x"));
    EXPECT_EQ(answer.fields[1], U("y"));
    EXPECT_TRUE(errors.texts.isEmpty());
}

struct BadCountRow
{
    qint32 count;
    const char* text;
};

class BadCountTest : public ClientTest, public testing::WithParamInterface<BadCountRow>
{};

// The error is sticky: the next operation sends nothing and gives the text.
TEST_P(BadCountTest, PutsTheClientIntoTheErrorState)
{
    Reply(Wire().I(GetParam().count).Answer({"zbędne"}));
    TAnswer answer;
    answer.count = 3;
    answer.fields[0] = U("stare");
    client->GetRegistry(U("czytelnia"), answer);
    EXPECT_EQ(answer.count, 0);
    EXPECT_TRUE(answer.fields[0].isEmpty());
    EXPECT_TRUE(client->HasError());
    EXPECT_EQ(errors.texts, QStringList({U(GetParam().text)}));
    Sent();

    QString text;
    client->Command(U("c"), text);
    EXPECT_EQ(text, U(GetParam().text));
    EXPECT_EQ(client->GetStatus(), nullptr);
    EXPECT_TRUE(Sent().isEmpty());
    EXPECT_EQ(errors.texts.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Counts, BadCountTest,
                         testing::Values(/* 0*/ BadCountRow{51, "Zła postać odpowiedzi (51)"},
                                         /* 1*/ BadCountRow{-1, "Zła postać odpowiedzi (-1)"},
                                         /* 2*/ BadCountRow{-3, "Zła postać odpowiedzi (-3)"}));

TEST_F(ClientTest, RecordCarriesTheKeyOfEntryReads)
{
    Script({Wire().Answer({"a", "b"}), Wire().Answer({"c"})});
    TNuraRecordPtr entry = client->GetNextEntry(42, 1, U("x"), U("y"), 0);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->key, 42);
    EXPECT_EQ(entry->count, 2);
    EXPECT_EQ(entry->fields[1], U("b"));
    TNuraRecordPtr collection = client->GetCollection(U("k"));
    ASSERT_NE(collection, nullptr);
    EXPECT_EQ(collection->key, 0);
    EXPECT_EQ(collection->fields[0], U("c"));
}

TEST_F(ClientTest, EmptyRecordReplyIsNoRecordAndNoError)
{
    Reply(Wire().I(0));
    EXPECT_EQ(client->GetEntry(1, 2, U("ab"), 3), nullptr);
    EXPECT_FALSE(client->HasError());
    EXPECT_TRUE(errors.texts.isEmpty());
}

TEST_F(ClientTest, RecordCutShortIsNoRecordAndAnError)
{
    Reply(Wire().I(3).S("a"));
    HangUp();
    EXPECT_EQ(client->GetStatusA(), nullptr);
    EXPECT_EQ(errors.texts, QStringList({U("GETLONG: zerwane połączenie")}));
}

// These two report quietly, as messages.
TEST_F(ClientTest, RecordSignalErrorsGoToMessages)
{
    HangUp();
    TAnswer answer;
    client->RecordSignal(U("a"), U("b"), answer);
    EXPECT_TRUE(errors.texts.isEmpty());
    EXPECT_EQ(messages.texts, QStringList({U("GETINTEGER: zerwane połączenie")}));
}

// ---- Out texts ----

struct TextRow
{
    std::function<QString(TStandardNuraClient&)> call;
    Wire reply; // empty: the server hangs up
    const char* text;
};

class TextTest : public ClientTest, public testing::WithParamInterface<TextRow>
{};

TEST_P(TextTest, GivesTheReplyOrItsFixedText)
{
    if (GetParam().reply.bytes.isEmpty())
        HangUp();
    else
        Reply(GetParam().reply);
    EXPECT_EQ(GetParam().call(*client), U(GetParam().text));
}

// The operations of the form (s1, out text); the text starts out non-empty
// so that a reply leaving it untouched shows.
template <auto Operation> QString OutText(TStandardNuraClient& c)
{
    QString text = U("przed");
    (c.*Operation)(U("echo"), text);
    return text;
}

QString Programm(TStandardNuraClient& c)
{
    QString text = U("przed");
    c.Programm(U("a"), U("b"), text, U("c"));
    return text;
}

QString GetServerStrings(TStandardNuraClient& c)
{
    QString value, status;
    c.GetServerStrings(value, status);
    return status + U("/") + value;
}

QString DeletingDefaultsEx(TStandardNuraClient& c)
{
    bool flag = false;
    QString text = U("przed"), s2, s3;
    qint32 n1 = 0, n2 = 0;
    c.DeletingDefaultsEx(U("a"), flag, text, n1, n2, s2, s3);
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(text)
        .arg(flag ? 1 : 0)
        .arg(s2, s3)
        .arg(n1)
        .arg(n2);
}

QString DeletingBarcode(TStandardNuraClient& c)
{
    QString value, text = U("przed");
    c.DeletingBarcode(U("a"), value, text);
    return text + U("|") + value;
}

QString DeletingProtocol(TStandardNuraClient& c)
{
    QString s2 = U("we"), text;
    c.DeletingProtocol(s2, U("a"), text);
    return text + U("|") + s2;
}

const Wire kHangUp;

INSTANTIATE_TEST_SUITE_P(
    Shapes, TextTest,
    testing::Values(
        /* 0*/ TextRow{OutText<&TStandardNuraClient::SetServerString>, Wire().Answer({"ok"}), "ok"},
        /* 1*/
        TextRow{OutText<&TStandardNuraClient::SetServerString>, Wire().I(0),
                "Błąd odpowiedzi serwera"},
        /* 2*/
        TextRow{OutText<&TStandardNuraClient::SetServerString>, kHangUp,
                "GETINTEGER: zerwane połączenie"},
        /* 3*/
        TextRow{OutText<&TStandardNuraClient::BlobList>, Wire().Answer({"a", "b"}),
                "Bład odpowiedzi"},
        /* 4*/
        TextRow{OutText<&TStandardNuraClient::Command>, Wire().I(0), "Błędna odpowiedź serwera"},
        /* 5*/ TextRow{OutText<&TStandardNuraClient::Command>, Wire().Answer({"a", "b"}), "b"},
        /* 6*/
        TextRow{OutText<&TStandardNuraClient::DefaultParams>, Wire().Answer({"a", "b", "c"}),
                "Błąd odpowiedzi serwera"},
        /* 7*/
        TextRow{OutText<&TStandardNuraClient::DefaultParams>, Wire().Answer({"a", "b"}), "b"},
        /* 8*/
        TextRow{OutText<&TStandardNuraClient::DeletingSelect>, Wire().Answer({"a", "b"}),
                "Błędna odpowiedź serwera"},
        // The deleting family keeps its fixed text even for a broken line.
        /* 9*/
        TextRow{OutText<&TStandardNuraClient::DeletingSelect>, kHangUp, "Błędna odpowiedź serwera"},
        /*10*/ TextRow{Programm, Wire().I(0), "Bład odpowiedzi"},
        /*11*/ TextRow{Programm, Wire().Answer({"a", "b", "c"}), "przed"},
        /*12*/ TextRow{Programm, Wire().Answer({"a", "b"}), "b"},
        /*13*/ TextRow{OutText<&TStandardNuraClient::Ping>, Wire().Answer({"echo"}), ""},
        /*14*/
        TextRow{OutText<&TStandardNuraClient::Ping>, Wire().Answer({"inne"}), "Błąd komunikacji"},
        /*15*/ TextRow{OutText<&TStandardNuraClient::Ping>, Wire().I(0), "Zła wielkość odpowiedzi"},
        /*16*/ TextRow{OutText<&TStandardNuraClient::FileQuery>, Wire().Answer({"a", "b"}), ""},
        /*17*/ TextRow{OutText<&TStandardNuraClient::FileQuery>, kHangUp, ""},
        /*18*/ TextRow{OutText<&TStandardNuraClient::Booking>, Wire().S("&wynik=1"), "&wynik=1"},
        /*19*/
        TextRow{OutText<&TStandardNuraClient::Booking>, kHangUp,
                "err=GETSTRING: zerwane połączenie"},
        /*20*/
        TextRow{OutText<&TStandardNuraClient::ChangePassword>, Wire().Answer({"za krótkie"}),
                "za krótkie"},
        /*21*/
        TextRow{OutText<&TStandardNuraClient::ChangePassword>, Wire().I(0),
                "Błędna odpowiedź serwera"},
        /*22*/ TextRow{GetServerStrings, Wire().Answer({"s", "v"}), "s/v"},
        /*23*/ TextRow{GetServerStrings, Wire().Answer({"s"}), "s/"},
        /*24*/ TextRow{GetServerStrings, Wire().I(3).S("").S("").S(""), "Błąd odpowiedzi serwera/"},
        /*25*/
        TextRow{DeletingDefaultsEx, Wire().Answer({"", "A", "trzy", "cztery", "5", "6"}),
                "|1|cztery|trzy|6|5"},
        /*26*/ TextRow{DeletingDefaultsEx, Wire().Answer({"nie"}), "nie|0|||0|0"},
        /*27*/ TextRow{DeletingBarcode, Wire().Answer({"", "", "", "kod"}), "|kod"},
        /*28*/ TextRow{DeletingProtocol, Wire().Answer({"t", "wy"}), "t|wy"},
        /*29*/ TextRow{DeletingProtocol, Wire().Answer({"t"}), "t|we"}));

// ---- Login, greeting, logout ----

TEST_F(ClientTest, LoginSendsTheEncodedPasswordAndTakesTheReply)
{
    // Challenge 7 and "A" (65): 7 + 0 + 65 + 1 = 73, digits "273", taken
    // last, first, middle.
    Script({Wire().Answer({"7"}), Wire().Answer({"czytelnia=1;", "informacja"}),
            Wire().Answer({"&UTF8=T"}), Wire().S("NURA3&wersja=2020&message=Witaj")});
    QString error = U("przed");
    client->Login(U("jan"), U("A"), error, false, U("czytelnia"));
    EXPECT_EQ(Sent().toHex(' '), Wire()
                                     .B(128)
                                     .S("jan")
                                     .B(129)
                                     .S("327")
                                     .B(253)
                                     .S("UTF8|stanowisko 1")
                                     .B(30)
                                     .bytes.toHex(' '));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_TRUE(client->LoggedIn());
    EXPECT_EQ(client->UserName(), U("jan"));
    EXPECT_EQ(client->Rights(), U("czytelnia=1;"));
    EXPECT_EQ(client->LoginInfo(), U("informacja"));
    EXPECT_TRUE(client->LoginNotice().isEmpty());
    EXPECT_TRUE(client->Socket().LoginKey().isEmpty());
    EXPECT_TRUE(client->IsUtf8());
    EXPECT_EQ(client->ServerDescription(), U("NURA3&wersja=2020&message=Witaj"));
    EXPECT_EQ(messages.texts, QStringList({U("Witaj")}));
    EXPECT_TRUE(errors.texts.isEmpty());
}

// Once the password reply hands out a key, the greeting after it travels
// scrambled.
TEST_F(ClientTest, LoginKeyScramblesWhatFollows)
{
    Wire scrambled;
    scrambled.key = "XXAB";
    Wire description = scrambled;
    Script({Wire().Answer({"0"}), Wire().Answer({"r", "i", "XXAB", "zmień hasło"}),
            scrambled.Answer({"&UTF8=F"}), description.S("NURA3")});
    QString error;
    client->Login(U("jan"), U("tajne"), error, false, QString());
    Wire expected = Wire().B(128).S("jan").B(129).S("tajne");
    expected.key = "XXAB";
    expected.B(253).S("UTF8|stanowisko 1").B(30);
    EXPECT_EQ(Sent().toHex(' '), expected.bytes.toHex(' '));
    EXPECT_EQ(client->Socket().LoginKey(), QByteArray("XXAB"));
    EXPECT_EQ(client->LoginNotice(), U("zmień hasło"));
    EXPECT_EQ(client->ServerDescription(), U("NURA3"));
    EXPECT_FALSE(client->IsUtf8());
}

struct LoginRow
{
    std::vector<Wire> replies; // to the name and the password
    const char* requiredRight;
    const char* error;
    bool loggedIn;
};

class LoginTest : public ClientTest, public testing::WithParamInterface<LoginRow>
{};

TEST_P(LoginTest, RefusalsAndRights)
{
    std::vector<Wire> replies = GetParam().replies;
    replies.push_back(Wire().Answer({""}));
    replies.push_back(Wire().S("NURA3"));
    Script(replies);
    QString error;
    client->Login(U("jan"), U("x"), error, false, U(GetParam().requiredRight));
    EXPECT_EQ(error, U(GetParam().error));
    EXPECT_EQ(client->LoggedIn(), GetParam().loggedIn);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, LoginTest,
    testing::Values(
        /* 0*/ LoginRow{{Wire().I(0)}, "", "Błędna nazwa użytkownika", false},
        /* 1*/ LoginRow{{Wire().Answer({"3"}), Wire().I(0)}, "", "Błędne hasło", false},
        /* 2*/
        LoginRow{{Wire().Answer({"3"}), Wire().Answer({"raporty=1;"})},
                 "czytelnia",
                 "Brak uprawnień",
                 true},
        /* 3*/
        LoginRow{{Wire().Answer({"3"}), Wire().Answer({"czytelnia=1;"})}, "czytelnia", "", true}));

TEST_F(ClientTest, LogoutForgetsTheLoginAndGreetsAgain)
{
    Wire scrambled;
    scrambled.key = "XXA";
    Wire description = scrambled;
    Wire logoutReply = scrambled;
    Script({Wire().Answer({"0"}), Wire().Answer({"r", "i", "XXA"}), scrambled.Answer({""}),
            description.S("NURA3")});
    QString error;
    client->Login(U("jan"), U("x"), error, false, QString());
    Sent();
    EXPECT_EQ(client->ServerDescription(), U("NURA3"));
    Script({logoutReply.I(0), Wire().Answer({""}), Wire().S("NURA2")});
    client->Logout();
    Wire expected;
    expected.key = "XXA";
    expected.B(128).S("");
    expected.key.clear();
    expected.B(253).S("UTF8|stanowisko 1").B(30);
    EXPECT_EQ(Sent().toHex(' '), expected.bytes.toHex(' '));
    EXPECT_FALSE(client->LoggedIn());
    EXPECT_TRUE(client->LoginInfo().isEmpty());
    EXPECT_TRUE(client->Socket().LoginKey().isEmpty());
    EXPECT_EQ(client->ServerDescription(), U("NURA2"));
}

// ---- Version rules ----

struct VersionRow
{
    const char* description;
    bool extended;
};

class MoneyTest : public ClientTest, public testing::WithParamInterface<VersionRow>
{};

TEST_P(MoneyTest, SendsThreeMoreTextsToNewServers)
{
    Greet(GetParam().description);
    Reply(Wire().I(0));
    TAnswer answer;
    client->Money(U("1"), U("2"), answer, U("3"), U("4"), U("5"), U("6"));
    Wire expected = Wire().B(150).B(18).S("1").S("2").S("6");
    if (GetParam().extended)
        expected.S("5").S("4").S("3");
    EXPECT_EQ(Sent().toHex(' '), expected.bytes.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(Versions, MoneyTest,
                         testing::Values(/* 0*/ VersionRow{"NURA3&wersja=20171113", true},
                                         /* 1*/ VersionRow{"NURA3&wersja=20171112", false},
                                         /* 2*/ VersionRow{"NURA3&wersja=2018&x=1", true},
                                         /* 3*/ VersionRow{"NURA2&wersja=20200101", false},
                                         /* 4*/ VersionRow{"NURA3", false}));

class KeepAliveTest : public ClientTest, public testing::WithParamInterface<VersionRow>
{};

// `extended` here: the server answers the ping; older ones get code 30.
TEST_P(KeepAliveTest, PingsServersThatAnswerIt)
{
    Greet(GetParam().description);
    if (GetParam().extended)
        Reply(Wire().Answer({"Podtrzymanie połączenia"}));
    else
        Reply(Wire().S("opis"));
    client->KeepAlive();
    const Wire expected =
        GetParam().extended ? Wire().B(254).S("Podtrzymanie połączenia") : Wire().B(30);
    EXPECT_EQ(Sent().toHex(' '), expected.bytes.toHex(' '));
    TTimer::DeliverPostedTexts();
    EXPECT_TRUE(errors.texts.isEmpty());
    EXPECT_FALSE(client->HasError());
}

INSTANTIATE_TEST_SUITE_P(Versions, KeepAliveTest,
                         testing::Values(/* 0*/ VersionRow{"NURA2&wersja=2006.01.01", false},
                                         /* 1*/ VersionRow{"NURA2&wersja=2006.04.25", true},
                                         /* 2*/ VersionRow{"NURA1&wersja=2005.12.12", true},
                                         /* 3*/ VersionRow{"NURA1&wersja=2005.12.11", false},
                                         /* 4*/ VersionRow{"NURA3&wersja=2011.12.31", false},
                                         /* 5*/ VersionRow{"NURA3&wersja=2012", true},
                                         /* 6*/ VersionRow{"NURA4&wersja=2030", false}));

struct PingRow
{
    Wire reply;
    const char* posted;
};

class KeepAliveErrorTest : public ClientTest, public testing::WithParamInterface<PingRow>
{};

// Texts reach the handler only through the main thread's delivery.
TEST_P(KeepAliveErrorTest, PostsItsTextToTheMainThread)
{
    Greet("NURA3&wersja=2020");
    if (GetParam().reply.bytes.isEmpty())
        HangUp();
    else
        Reply(GetParam().reply);
    client->KeepAlive();
    EXPECT_TRUE(errors.texts.isEmpty());
    TTimer::DeliverPostedTexts();
    EXPECT_EQ(errors.texts, QStringList({U(GetParam().posted)}));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, KeepAliveErrorTest,
    testing::Values(/* 0*/ PingRow{Wire().Answer({"a", "b"}), "PING: Zła wielkość odpowiedzi"},
                    /* 1*/ PingRow{Wire().Answer({"inne"}), "PING: Błąd komunikacji"},
                    /* 2*/ PingRow{Wire().I(60), "PING: Zła postać odpowiedzi (60)"},
                    /* 3*/ PingRow{kHangUp, "GETINTEGER: zerwane połączenie"}));

// ---- Streams ----

// Each chunk is scrambled on its own from the start of the key; with a
// two-byte key a chunk of odd length shows whether the key restarts.
TEST_F(ClientTest, DownloadJoinsDescrambledChunksAndReportsProgress)
{
    const QByteArray key("XXAB");
    client->Socket().SetLoginKey(key);
    Wire reply;
    reply.I(10).I(3).Raw(ScrambleText(key, "abc"));
    reply.I(-2);
    reply.key = key;
    reply.S("w trakcie");
    reply.I(7).I(7).Raw(ScrambleText(key, QByteArray("d\0fghij", 7)));
    Reply(reply);
    QByteArray data;
    Progress progress;
    client->BlobGetText(U("a"), U("b"), data, progress.Handler());
    EXPECT_EQ(data, QByteArray("abcd\0fghij", 10));
    EXPECT_EQ(progress.calls, (std::vector<std::pair<qint64, qint64>>{{3, 10}, {10, 10}}));
    EXPECT_EQ(serverMessages.texts, QStringList({U("w trakcie")}));
    EXPECT_TRUE(errors.texts.isEmpty());
}

TEST_F(ClientTest, DownloadWritesTheFileAnew)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wynik.txt"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("stara zawartość, dłuższa niż nowa");
    }
    Reply(Wire().I(5).I(2).Raw("ab").I(3).I(3).Raw("cde"));
    EXPECT_TRUE(client->ReportProcedure(1, U("p"), path));
    QFile result(path);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.readAll(), QByteArray("abcde"));
}

// No file name: the bytes are read off the wire and dropped, and the next
// reply is read in step.
TEST_F(ClientTest, DownloadWithoutFileNameDiscardsTheBytes)
{
    Script({Wire().I(4).I(2).Raw("ab").I(2).I(2).Raw("cd"), Wire().Answer({"5"})});
    EXPECT_TRUE(client->FileGet(U("n"), QString(), {}));
    TAnswer answer;
    client->GetRegistry(U("c"), answer);
    ASSERT_EQ(answer.count, 1);
    EXPECT_EQ(answer.fields[0], U("5"));
}

TEST_F(ClientTest, ReportTextIsCodePageText)
{
    Reply(Wire().I(3).I(3).Raw(EncodeAnsi(U("łóż"))));
    QString text;
    client->ReportProcedureText(1, U("p"), text);
    EXPECT_EQ(text, U("łóż"));
}

TEST_F(ClientTest, FailedBlobFetchSaysSo)
{
    Reply(Wire().I(10).I(2).Raw("ab").I(-1));
    QByteArray data;
    client->BlobGetText(U("a"), U("b"), data, {});
    EXPECT_EQ(errors.texts, QStringList({U("Błąd pobierania pliku")}));
    EXPECT_FALSE(client->HasError());
}

TEST_F(ClientTest, ProtectedBlobWithAStatusIsNoFetchError)
{
    Reply(Wire().S("brak dostępu").I(-1));
    QString status;
    client->BlobGetProtected(U("a"), U("b"), status, {}, U("c"), QString());
    EXPECT_EQ(status, U("brak dostępu"));
    EXPECT_TRUE(errors.texts.isEmpty());
}

struct ShapeRow
{
    Wire reply;
    const char* error;
};

class StreamShapeTest : public ClientTest, public testing::WithParamInterface<ShapeRow>
{};

// A wrong stream fails at once, without reading or reserving what it claims.
TEST_P(StreamShapeTest, FailsWithoutTrustingTheNumbers)
{
    Reply(GetParam().reply);
    HangUp();
    QString text = U("przed");
    client->CollectionSense(1, text);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(client->HasError());
    EXPECT_EQ(client->ErrorText(), U(GetParam().error));
    EXPECT_EQ(errors.texts, QStringList({U(GetParam().error)}));
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, StreamShapeTest,
    testing::Values(
        /* 0*/ ShapeRow{Wire().I(5).I(6).Raw("abcdef"), "Zła postać odpowiedzi (6)"},
        /* 1*/ ShapeRow{Wire().I(60000).I(50001), "Zła postać odpowiedzi (50001)"},
        /* 2*/ ShapeRow{Wire().I(10).I(-1), "Zła postać odpowiedzi (-1)"},
        /* 3*/ ShapeRow{Wire().I(-5), "Zła postać odpowiedzi (-5)"},
        /* 4*/ ShapeRow{Wire().I(2000000000).I(10), "GETLONG: zerwane połączenie"},
        // The second chunk must announce what the first left over.
        /* 5*/ ShapeRow{Wire().I(10).I(4).Raw("abcd").I(7).I(7), "Zła postać odpowiedzi (7)"},
        /* 6*/ ShapeRow{Wire().I(10).I(4).Raw("ab"), "GETLONG: zerwane połączenie"}));

TEST_F(ClientTest, UploadGoesInChunksOfTenThousand)
{
    QByteArray data(25000, 'x');
    data[10000] = 'y';
    const QByteArray key("XXA");
    client->Socket().SetLoginKey(key);
    Wire reply;
    reply.key = key;
    Reply(reply.Answer({""}));
    QString text = U("przed");
    Progress progress;
    client->BlobAddText(U("a"), U("b"), text, progress.Handler(), data);
    Wire expected;
    expected.key = key;
    expected.B(220).B('A').S("a").S("b");
    expected.I(25000).I(10000).Raw(ScrambleText(key, data.mid(0, 10000)));
    expected.I(15000).I(10000).Raw(ScrambleText(key, data.mid(10000, 10000)));
    expected.I(5000).I(5000).Raw(ScrambleText(key, data.mid(20000)));
    EXPECT_TRUE(Sent() == expected.bytes);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(progress.calls, (std::vector<std::pair<qint64, qint64>>{
                                  {0, 25000}, {10000, 25000}, {20000, 25000}, {25000, 25000}}));
}

TEST_F(ClientTest, UploadOfAFileSendsItsExtension)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("okładka.jpeg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("JPEG");
    file.close();
    Reply(Wire().Answer({""}));
    QString text = U("przed");
    client->BlobAdd(U("a"), path, text, {});
    EXPECT_EQ(Sent().toHex(' '),
              Wire().B(220).B('A').S("a").S("jpe").I(4).I(4).Raw("JPEG").bytes.toHex(' '));
    EXPECT_TRUE(text.isEmpty());
}

// The server still gets its (empty) stream, but an unreadable file is never
// reported as stored.
TEST_F(ClientTest, UnreadableFileSendsAnEmptyStreamAndFails)
{
    const QString path = QDir::temp().filePath(QStringLiteral("nie-ma-takiego-pliku.bin"));
    Reply(Wire().Answer({""}));
    EXPECT_FALSE(client->FilePut(path, U("n"), {}));
    EXPECT_EQ(Sent().toHex(' '), Wire().B(120).B(3).S("n").I(0).I(0).bytes.toHex(' '));
    EXPECT_EQ(errors.texts, QStringList({U("Nie można otworzyć pliku ") + path}));
}

// ---- Close ----

TEST_F(ClientTest, CloseSaysGoodbyeUnlessBroken)
{
    client.reset();
    EXPECT_EQ(Sent(), QByteArray(1, '\0'));
}

TEST_F(ClientTest, CloseOfABrokenConnectionSendsNothing)
{
    Reply(Wire().I(99));
    TAnswer answer;
    client->GetOptions(answer);
    Sent();
    client.reset();
    EXPECT_TRUE(Sent().isEmpty());
}

// ---- Reconnection over a real listening socket ----

// Plays the server: greets, then takes one request of `requestSize` bytes
// and answers with `reply` (or hangs up when it is empty).
void Serve(int fd, qsizetype requestSize, const Wire& reply, QByteArray& request)
{
    const Wire greeting = Wire().B(253).S("UTF8|");
    if (ReadExactly(fd, greeting.bytes.size()) != greeting.bytes)
        return;
    WriteAll(fd, Wire().Answer({""}).bytes);
    if (ReadExactly(fd, 1) != QByteArray(1, 30))
        return;
    WriteAll(fd, Wire().S("NURA3&wersja=2020").bytes);
    request = ReadExactly(fd, requestSize);
    if (!reply.bytes.isEmpty())
        WriteAll(fd, reply.bytes);
}

// Answers an error as the main window does when the operator says "Tak":
// by reconnecting, here only once.
struct ReconnectingHandler
{
    TStandardNuraClient* client = nullptr;
    QStringList texts;
    void Take(const QString& text)
    {
        texts << text;
        if (client != nullptr && texts.size() == 1)
            client->Reconnect();
    }
};

struct RepeatRow
{
    std::function<QString(TStandardNuraClient&)> call;
    Wire request;
    bool repeats;
    const char* result;
};

class RepeatTest : public testing::TestWithParam<RepeatRow>
{};

// The first connection breaks with the request on the wire; the error
// handler reconnects, and only a request that is safe to repeat goes again.
TEST_P(RepeatTest, RepeatsOnlyWhatIsSafe)
{
    LoopbackListener listener;
    const RepeatRow& row = GetParam();
    QByteArray first, second, last;
    std::thread server([&] {
        const int one = listener.Accept();
        Serve(one, row.request.bytes.size(), Wire(), first);
        close(one);
        const int two = listener.Accept();
        Serve(two, row.repeats ? row.request.bytes.size() : 0, Wire().Answer({"5"}), second);
        last = ReadExactly(two, 1); // the goodbye, and nothing before it
        close(two);
    });
    ReconnectingHandler handler;
    auto client = std::make_unique<TStandardNuraClient>(
        QStringLiteral("127.0.0.1"), TTextHandler(),
        TTextHandler::Of<&ReconnectingHandler::Take>(&handler), TTextHandler(), listener.Port());
    EXPECT_FALSE(client->HasError()) << client->ErrorText().toStdString();
    client->Socket().SetWaitLimit(0);
    handler.client = client.get();
    const QString result = row.call(*client);
    handler.client = nullptr;
    client.reset();
    server.join();
    EXPECT_EQ(first, row.request.bytes);
    EXPECT_EQ(handler.texts, QStringList({U("GETINTEGER: zerwane połączenie")}));
    EXPECT_EQ(last, QByteArray(1, '\0'));
    if (row.repeats) {
        EXPECT_EQ(second, row.request.bytes);
    }
    EXPECT_EQ(result, U(row.result));
}

QString RegistryCount(TStandardNuraClient& c)
{
    TAnswer answer;
    c.GetRegistry(U("c"), answer);
    return answer.fields[0];
}

QString RegisterVisit(TStandardNuraClient& c)
{
    TAnswer answer;
    c.Registry(U("c"), 1, answer);
    return answer.fields[0];
}

QString RunProgram(TStandardNuraClient& c)
{
    QString text;
    c.Programm(U("p"), U(""), text, U(""));
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RepeatTest,
    testing::Values(/* 0*/ RepeatRow{RegistryCount, Wire().B(151).B('V').S("c"), true, "5"},
                    /* 1*/ RepeatRow{RegisterVisit, Wire().B(151).B('I').S("c").I(1), false, ""},
                    /* 2*/
                    RepeatRow{RunProgram, Wire().B(201).B('X').S("p").S("").S(""), false,
                              "Wynik operacji nie jest wiarygodny"}));

} // namespace
