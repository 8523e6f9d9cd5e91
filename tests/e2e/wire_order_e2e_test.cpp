// Every operation of the client against the simulator: what reached the
// server, item by item, must be what the protocol lays out.
#include "e2e_client.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

QString S(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

struct Row
{
    const char* name;
    std::function<void(TNuraClient&, const QString& folder)> run;
    QStringList requests;
};

QString File(const QString& folder, const char* name, const QByteArray& bytes)
{
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QStringList L(std::initializer_list<const char*> lines)
{
    QStringList list;
    for (const char* line : lines)
        list << S(line);
    return list;
}

std::vector<Row> Rows()
{
    QString t;
    QString u;
    bool flag = false;
    qint32 n1 = 0;
    qint32 n2 = 0;
    QByteArray data;
    TAnswer a;
    TProgressHandler none;
    return {
        /* 0*/ {"GetEntry", [](TNuraClient& c, const QString&) { c.GetEntry(1, 2, S("ab"), 3); },
                L({R"(50 i:1 i:2 i:3 s:"ab")"})},
        /* 1*/
        {"GetFirstEntry",
         [](TNuraClient& c, const QString&) { c.GetFirstEntry(97, 1, S("a"), S("b"), 4); },
         L({R"(55 i:97 i:1 i:4 s:"b" s:"a")"})},
        /* 2*/
        {"GetNextEntry",
         [](TNuraClient& c, const QString&) { c.GetNextEntry(97, 1, S("a"), S("b"), 4); },
         L({R"(56 i:97 i:1 i:4 s:"b" s:"a")"})},
        /* 3*/
        {"GetLastEntry",
         [](TNuraClient& c, const QString&) { c.GetLastEntry(97, 1, S("a"), S("b"), 4); },
         L({R"(57 i:97 i:1 i:4 s:"b" s:"a")"})},
        /* 4*/
        {"GetPrevEntry",
         [](TNuraClient& c, const QString&) { c.GetPrevEntry(97, 1, S("a"), S("b"), 4); },
         L({R"(58 i:97 i:1 i:4 s:"b" s:"a")"})},
        /* 5*/
        {"SetServerString",
         [=](TNuraClient& c, const QString&) mutable { c.SetServerString(S("x"), t); },
         L({R"(202 83 s:"x")"})},
        /* 6*/
        {"GetServerStrings",
         [=](TNuraClient& c, const QString&) mutable { c.GetServerStrings(t, u); }, L({"202 71"})},
        /* 7*/
        {"GetCollection", [](TNuraClient& c, const QString&) { c.GetCollection(S("k")); },
         L({R"(15 s:"k")"})},
        /* 8*/
        {"RemoveCollection", [](TNuraClient& c, const QString&) { c.RemoveCollection(4); },
         L({"6 i:4"})},
        /* 9*/
        {"CollectionSense",
         [=](TNuraClient& c, const QString&) mutable { c.CollectionSense(4, t); },
         L({"100 1 i:4 i:0"})},
        /*10*/
        {"ReportCollection",
         [](TNuraClient& c, const QString& f) {
             c.ReportCollection(4, 5, f + S("/a.txt"), QString());
             c.ReportCollection(4, 5, f + S("/b.txt"), S("p|1|"));
         },
         L({"100 1 i:4 i:5", R"(100 6 i:4 i:5 s:"p|1|")"})},
        /*11*/
        {"ReportList",
         [](TNuraClient& c, const QString& f) {
             c.ReportList(4, S("s"), f + S("/a.txt"), QString());
             c.ReportList(4, S("s"), f + S("/b.txt"), S("p|1|"));
         },
         L({R"(100 2 i:4 s:"s")", R"(100 7 i:4 s:"p|1|" s:"s")"})},
        /*12*/
        {"ReportProcedure and its text form",
         [=](TNuraClient& c, const QString& f) mutable {
             c.ReportProcedure(1, S("od|2024|"), f + S("/r.txt"));
             c.ReportProcedureText(1, S("||"), t);
             c.ReportCollectionText(4, 5, t, QString());
             c.ReportListText(4, S("s"), t, S("x|y|"));
         },
         L({R"(100 3 i:1 s:"od|2024|")", R"(100 3 i:1 s:"||")", "100 1 i:4 i:5",
            R"(100 7 i:4 s:"x|y|" s:"s")"})},
        /*13*/
        {"Programm and DefaultParams",
         [=](TNuraClient& c, const QString&) mutable {
             c.Programm(S("a"), S("b"), t, S("c"));
             c.DefaultParams(S("d"), t);
         },
         L({R"(201 88 s:"a" s:"b" s:"c")", R"(201 68 s:"d")"})},
        /*14*/
        {"files",
         [=](TNuraClient& c, const QString& f) mutable {
             c.FileGet(S("regulamin.txt"), f + S("/r.txt"), none);
             c.FileQuery(S("regulamin.txt"), t);
             c.FilePut(File(f, "up.bin", QByteArray(12345, 'u')), S("nowy.bin"), none);
         },
         L({R"(120 1 s:"regulamin.txt")", R"(120 2 s:"regulamin.txt")",
            R"(120 3 s:"nowy.bin" upload:12345)"})},
        /*15*/
        {"blobs",
         [=](TNuraClient& c, const QString& f) mutable {
             c.BlobStructure(S("k"), t);
             c.BlobList(S("k"), t);
             c.BlobAdd(S("k"), File(f, "okładka.jpeg", "JPEG"), t, none);
             c.BlobAddText(S("k"), S("txt"), t, none, QByteArray("abc"));
             c.BlobSaveAs(S("k"), S("n"), t, none, File(f, "x.png", "PNG"));
             c.BlobGet(S("k"), S("n.png"), none, f + S("/g.png"));
             c.BlobGetProtected(S("k"), S("n.png"), u, none, S("p"), f + S("/p.png"));
             c.BlobGetText(S("k"), S("n.png"), data, none);
             c.BlobGetProtectedText(S("k"), S("n.png"), data, u, none, S("p"));
             c.BlobDelete(S("k"), S("n.png"), t);
         },
         L({R"(220 70 s:"k")", R"(220 76 s:"k")", R"(220 65 s:"k" s:"jpe" upload:4)",
            R"(220 65 s:"k" s:"txt" upload:3)", R"(220 83 s:"k" s:"n" s:"png" upload:3)",
            R"(220 71 s:"k" s:"n.png")", R"(220 80 s:"k" s:"n.png" s:"p")",
            R"(220 71 s:"k" s:"n.png")", R"(220 80 s:"k" s:"n.png" s:"p")",
            R"(220 68 s:"k" s:"n.png")"})},
        /*16*/
        {"status and commands",
         [=](TNuraClient& c, const QString&) mutable {
             c.GetStatusA();
             c.GetStatusB();
             c.GetStatusC();
             c.GetStatus();
             c.Command(S("c"), t);
             c.CommandPair(S("d"), t, u);
         },
         L({"130", "131", "132", "133", R"(135 s:"c")", R"(136 s:"d")"})},
        /*17*/
        {"deleting and scontrum",
         [=](TNuraClient& c, const QString&) mutable {
             c.DeletingMark(S("a"), QLatin1Char('Z'), t);
             c.DeletingSelect(S("a"), t);
             c.DeletingCancel(S("a"), t);
             u = S("two");
             c.DeletingProtocol(u, S("one"), t);
             c.DeletingCancelProtocol(S("a"), t);
             u = S("b");
             c.DeletingDefaults(S("a"), flag, t, u, t);
             u = S("b");
             c.DeletingDefaultsEx(S("a"), flag, t, n1, n2, u, t);
             c.DeletingDo(S("a"), S("b"), t, 1, 2);
             c.DeletingBarcode(S("a"), u, t);
             c.ScontrumMark(7, S("a"), t);
             c.ScontrumHole(255, S("b"), t);
         },
         L({R"(140 1 s:"a" s:"Z")", R"(140 3 s:"a")", R"(140 2 s:"a")", R"(140 4 s:"one" s:"two")",
            R"(140 5 s:"a")", R"(140 7 s:"a" s:"b")", R"(140 7 s:"a" s:"b")",
            R"(140 6 s:"a" s:"b" i:2 i:1)", R"(140 8 s:"a")", R"(141 2 7 s:"a")",
            R"(141 3 255 s:"b")"})},
        /*18*/
        {"catalog records",
         [=](TNuraClient& c, const QString&) mutable {
             c.GetEpr(S("1"), a);
             c.GetAct(S("1"), a);
             c.NewRecord(S("1"), a);
             c.OpenRecord(S("1"), a);
             c.LeaveRecord(S("1"), a);
             c.SaveRecord(S("1"), S("2"), a);
             c.CheckRecord(S("1"), S("2"), a);
             c.CheckRecordSingle(S("1"), a);
             c.Help(S("1"), S("2"), a);
             c.SaveHelp(S("1"), S("2"), a, S("3"));
             c.UpdateCollection(9, S("1"), a);
             c.UpdateList(S("1"), S("2"), a);
             c.RecordSignal(S("1"), S("2"), a);
             c.Booking(S("&a=1"), t);
         },
         L({R"(200 70 s:"1")", R"(200 65 s:"1")", R"(200 78 s:"1")", R"(200 79 s:"1")",
            R"(200 88 s:"1")", R"(200 85 s:"1" s:"2")", R"(200 84 s:"1" s:"2")", R"(200 68 s:"1")",
            R"(200 72 s:"1" s:"2")", R"(200 73 s:"1" s:"2" s:"3")", R"(200 71 i:9 s:"1")",
            R"(200 76 s:"1" s:"2")", R"(200 83 s:"1" s:"2")", R"(38 s:"&client=NURA_TCP&a=1")"})},
        /*19*/
        {"readers",
         [=](TNuraClient& c, const QString&) mutable {
             c.GetPersonFormular(a);
             c.OpenPerson(S("1"), a);
             c.NewPerson(S("1"), a);
             c.LeavePerson(S("1"), a);
             c.DeletePerson(S("1"), a);
             c.PersonQuery31(S("1"), S("2"), a);
             c.PersonQuery2(S("1"), S("2"), a);
             c.PersonQuery19(S("1"), S("2"), a);
             c.PersonQuery10(S("1"), a);
             c.PersonQuery6(S("1"), a);
             c.PersonQuery29(S("1"), S("2"), a);
             c.PersonQuery26(S("1"), S("2"), a);
             c.PersonQuery25(S("1"), a);
         },
         L({"150 11", R"(150 1 s:"1")", R"(150 3 s:"1")", R"(150 12 s:"1")", R"(150 4 s:"1")",
            R"(150 31 s:"1" s:"2")", R"(150 2 s:"1" s:"2")", R"(150 19 s:"1" s:"2")",
            R"(150 10 s:"1")", R"(150 6 s:"1")", R"(150 29 s:"1" s:"2")", R"(150 26 s:"1" s:"2")",
            R"(150 25 s:"1")"})},
        /*20*/
        {"circulation",
         [=](TNuraClient& c, const QString&) mutable {
             c.Lend(S("1"), S("2"), a, S("3"));
             c.OperationDate(S("1"), S("2"), a, S("3"));
             c.ReturnItem(S("1"), a);
             c.ReturnBad(S("1"), S("2"), a, S("3"));
             c.ReturnStore(S("1"), S("2"), a);
             c.Reserve(S("1"), S("2"), a);
             c.ChangeReservation(S("1"), S("2"), a);
             c.DeleteReservation(S("1"), a);
             c.Prolong(S("1"), S("2"), a);
             c.SetReservationState(S("1"), S("2"), a);
             c.DivertReservation(S("1"), -7, a, S("2"), S("3"));
             c.Book(S("1"), S("2"), a, S("3"));
             c.ProlongBooking(S("1"), S("2"), a);
             c.DeleteBooking(S("1"), a);
             c.ChangePayment(S("1"), S("2"), a);
             c.Money(S("1"), S("2"), a, S("3"), S("4"), S("5"), S("6"));
             c.Circulation23(a);
             c.SendMonit(S("1"), S("2"), a);
             c.GetOptions(a);
             c.SetOptions(S("1"), a);
             c.Circulation32(S("1"), S("2"), a, S("3"), S("4"));
         },
         L({R"(150 7 s:"1" s:"2" s:"3")",
            R"(150 22 s:"1" s:"2" s:"3")",
            R"(150 8 s:"1")",
            R"(150 21 s:"1" s:"2" s:"3")",
            R"(150 35 s:"1" s:"2")",
            R"(150 9 s:"1" s:"2")",
            R"(150 30 s:"1" s:"2")",
            R"(150 14 s:"1")",
            R"(150 13 s:"1" s:"2")",
            R"(150 15 s:"1" s:"2")",
            R"(150 34 s:"1" s:"-7" s:"3" s:"2")",
            R"(150 20 s:"1" s:"2" s:"3")",
            R"(150 33 s:"1" s:"2")",
            R"(150 16 s:"1")",
            R"(150 17 s:"1" s:"2")",
            R"(150 18 s:"1" s:"2" s:"6" s:"5" s:"4" s:"3")",
            "150 23",
            R"(150 24 s:"1" s:"2")",
            "150 27",
            R"(150 28 s:"1")",
            R"(150 32 s:"1" s:"2" s:"4" s:"3")"})},
        /*21*/
        {"registry",
         [=](TNuraClient& c, const QString&) mutable {
             c.Registry(S("CZO"), 2, a);
             c.GetRegistry(S("CZO"), a);
         },
         L({R"(151 73 s:"CZO" i:2)", R"(151 86 s:"CZO")"})},
        /*22*/
        {"ping, password change and logout",
         [=](TNuraClient& c, const QString&) mutable {
             c.Ping(S("zażółć Ж"), t);
             c.Logout();
         },
         L({R"(254 s:"zażółć Ж")", R"(128 s:"")", R"(253 s:"UTF8|version=C-test")", "30"})},
    };
}

// What the server receives over HTTPS: the same items, except that the
// operations this protocol does not carry are answered by the client and
// the greeting offers JSON instead of UTF-8.
QStringList OverHttps(const QStringList& tcpRequests)
{
    static const char* const tcpOnly[] = {"202 ", "120 ",    "130",    "131",    "132",
                                          "136 ", "200 83 ", "150 23", "150 32 "};
    QStringList requests;
    for (QString request : tcpRequests) {
        bool carried = true;
        for (const char* prefix : tcpOnly)
            carried = carried && !request.startsWith(QLatin1String(prefix));
        if (carried)
            requests << request.replace(S("UTF8|"), S("JSON|"));
    }
    return requests;
}

class WireOrderOverEither : public testing::TestWithParam<Transport>
{};

INSTANTIATE_TEST_SUITE_P(Transports, WireOrderOverEither,
                         testing::Values(Transport::Tcp, Transport::Https),
                         [](const testing::TestParamInfo<Transport>& transport) {
                             return TransportName(transport.param);
                         });

TEST_P(WireOrderOverEither, EveryOperationSendsItsItemsInProtocolOrder)
{
    TransportSession session(GetParam());
    ASSERT_TRUE(session.Ready());
    auto& [sim, reports, client] = session;
    QTemporaryDir folder;
    int index = 0;
    for (const Row& row : Rows()) {
        const qsizetype before = sim.Requests().size();
        row.run(*client, folder.path());
        const QStringList expected =
            GetParam() == Transport::Https ? OverHttps(row.requests) : row.requests;
        EXPECT_EQ(sim.RequestsSince(before), expected) << index << " " << row.name;
        EXPECT_FALSE(client->HasError()) << index << " " << client->ErrorText().toStdString();
        ++index;
    }
    EXPECT_TRUE(reports.errors.filter(S("Zła postać")).isEmpty())
        << reports.errors.join(S("\n")).toStdString();
}

TEST(WireOrder, GreetingLoginAndGoodbye)
{
    SimServer sim;
    ASSERT_TRUE(sim.Running());
    Reports reports;
    {
        auto client = LogIn(sim, reports);
        ASSERT_TRUE(client);
        EXPECT_TRUE(client->IsUtf8());
        EXPECT_TRUE(client->LoggedIn());
        EXPECT_EQ(client->Rights(), S("czytelnia=1;zestawienia;"));
        EXPECT_EQ(client->LoginInfo(), S("Pracownia demonstracyjna"));
        EXPECT_EQ(client->UserName(), S("demo"));
        EXPECT_TRUE(client->ServerDescription().startsWith(S("NURA3&wersja=20240115&")));
    }
    const QStringList requests = sim.RequestsWhenThere(7);
    ASSERT_EQ(requests.size(), 7) << requests.join(S("\n")).toStdString();
    EXPECT_EQ(requests.mid(0, 3), L({R"(253 s:"UTF8|version=C-test")", "30", R"(128 s:"demo")"}));
    EXPECT_TRUE(requests[3].startsWith(S("129 s:\""))) << requests[3].toStdString();
    EXPECT_EQ(requests.mid(4), L({R"(253 s:"UTF8|version=C-test")", "30", "0"}));
}

// Money sends its last three texts only to servers of the third generation
// from version 20171113 on.
TEST(WireOrder, MoneyFollowsTheServerVersion)
{
    struct VersionRow
    {
        const char* generation;
        const char* version;
        const char* request;
    } rows[] = {
        /* 0*/ {"NURA3", "20171113", R"(150 18 s:"1" s:"2" s:"6" s:"5" s:"4" s:"3")"},
        /* 1*/ {"NURA3", "20171112", R"(150 18 s:"1" s:"2" s:"6")"},
        /* 2*/ {"NURA2", "20240101", R"(150 18 s:"1" s:"2" s:"6")"},
    };
    for (const VersionRow& row : rows) {
        SimSession session({S("--old-server"), S(row.generation), S("--version"), S(row.version)});
        ASSERT_TRUE(session.Ready());
        auto& [sim, reports, client] = session;
        TAnswer answer;
        const qsizetype before = sim.Requests().size();
        client->Money(S("1"), S("2"), answer, S("3"), S("4"), S("5"), S("6"));
        EXPECT_EQ(sim.RequestsSince(before), L({row.request})) << row.version;
        EXPECT_EQ(answer.count, 1) << row.version;
    }
}

} // namespace

namespace {

// A duplicate connects elsewhere with the same handlers and logs the same
// user in there, the way a reconnection does.
TEST(WireOrder, DuplicateLogsTheSameUserInElsewhere)
{
    SimSession session;
    ASSERT_TRUE(session.Ready());
    SimServer other;
    ASSERT_TRUE(other.Running());
    const auto copy = session.client->Duplicate(QStringLiteral("127.0.0.1"), other.Port());
    ASSERT_TRUE(copy);
    EXPECT_FALSE(copy->HasError()) << copy->ErrorText().toStdString();
    EXPECT_TRUE(copy->LoggedIn());
    EXPECT_EQ(copy->UserName(), S("demo"));
    const QStringList requests = other.Requests();
    ASSERT_EQ(requests.size(), 6) << requests.join(S("\n")).toStdString();
    EXPECT_EQ(requests[2], S(R"(128 s:"demo")"));
    EXPECT_TRUE(requests[3].startsWith(S("129 s:\"")));
    TAnswer answer;
    copy->GetRegistry(S("CZO"), answer);
    EXPECT_EQ(answer.count, 2);
    const auto nowhere = session.client->Duplicate(QStringLiteral("127.0.0.1"), 1);
    ASSERT_TRUE(nowhere);
    EXPECT_TRUE(nowhere->HasError());
    EXPECT_EQ(nowhere->ErrorText(), S("Brak połączenia z serwerem 127.0.0.1/1"));
}

} // namespace
