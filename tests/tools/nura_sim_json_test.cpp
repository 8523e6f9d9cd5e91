// The HTTPS side of the simulator without sockets: request documents
// through the request handler into reply documents, conversations, and the
// refusals of documents and items that do not fit.
#include "sim_json_fixture.h"

#include "item_request.h"
#include "json_reply.h"

#include <QDate>
#include <QDir>

namespace {

using json = nlohmann::json;

std::string Base64(const QByteArray& bytes)
{
    return bytes.toBase64().toStdString();
}

QByteArray FromBase64(const json& text)
{
    return QByteArray::fromBase64(QByteArray::fromStdString(text.get<std::string>()));
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(SimJsonTest, GreetingAndDescription)
{
    QString id;
    EXPECT_EQ(Post(id, "Hello", {{0, 253}, {2, "JSON|Czytelnia 1.0"}}),
              json::parse(R"([[1,1],[2,""]])"));
    EXPECT_FALSE(id.isEmpty());
    // JSON text is Unicode already: an offer of UTF-8 is never taken up.
    EXPECT_EQ(Post(id, "Hello", {{0, 253}, {2, "UTF8|x"}}), json::parse(R"([[1,1],[2,""]])"));

    const HttpAnswer answer = PostRaw(id, "Show Desc", {{0, 30}});
    for (const char c : answer.body)
        ASSERT_LT(static_cast<unsigned char>(c), 128) << "non-ASCII byte in the reply";
    EXPECT_NE(answer.body.find("\\u0142"), std::string::npos) << "ł written as \\u0142";
    const json results = json::parse(answer.body)[0]["data"]["results"];
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0][0], 2);
    EXPECT_EQ(QString::fromStdString(results[0][1].get<std::string>()),
              m_data.profile.Description());
    EXPECT_TRUE(m_data.profile.Description().contains(QStringLiteral("Czytelnia Główna")));
}

TEST_F(SimJsonTest, LoginWithChallengeAndVisitCounts)
{
    QString id;
    Post(id, "Hello", {{0, 253}, {2, "JSON|"}});
    const json challenge = Post(id, "Login Name", {{0, 128}, {2, "anna"}});
    ASSERT_EQ(challenge.size(), 2u);
    EXPECT_EQ(challenge[0], json::parse("[1,1]"));
    EXPECT_GE(std::stoi(challenge[1][1].get<std::string>()), 1000);
    EXPECT_EQ(Post(id, "Login Password", {{0, 129}, {2, "123"}}), json::parse("[[1,0]]"));
    EXPECT_EQ(Post(id, "Login Name", {{0, 128}, {2, "nikt"}}), json::parse("[[1,0]]"));

    const json again = Post(id, "Login Name", {{0, 128}, {2, "anna"}});
    const qint32 fresh = std::stoi(again[1][1].get<std::string>());
    const QString encoded = EncodePassword(QStringLiteral("Żółw-1"), fresh);
    const json login = Post(id, "Login Password", {{0, 129}, {2, encoded.toStdString()}});
    ASSERT_EQ(login.size(), 5u);
    EXPECT_EQ(login[0], json::parse("[1,4]"));
    EXPECT_EQ(login[1], json::parse(R"([2,"czytelnia=12;katalog;"])"));

    const json before = Post(id, "GET_REGISTRY", {{0, 151}, {0, 86}, {2, "CZO"}});
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(before[1], json::parse(R"([2,"CZO"])"));
    const int counted = std::stoi(before[2][1].get<std::string>());
    EXPECT_EQ(Post(id, "REGISTRY", {{0, 151}, {0, 73}, {2, "CZO"}, {1, 3}}),
              json::parse("[[1,0]]"));
    const json after = Post(id, "GET_REGISTRY", {{0, 151}, {0, 86}, {2, "CZO"}});
    EXPECT_EQ(after[2][1], std::to_string(counted + 3));
    EXPECT_EQ(
        m_data.registry.Count(QDate::currentDate().toString(Qt::ISODate), QStringLiteral("CZO")),
        counted + 3);
}

TEST_F(SimJsonTest, DownloadsAndUploads)
{
    QString id = LogIn();
    // A report is the file's bytes, 8-bit as they are, in Base64.
    const QByteArray own("[REPORT 100]\n[LINE 10]\nTEXT &a 0 0\n[END]\n&a=\xB9\n");
    QFile file(m_data.FilePath(QStringLiteral("reports/5.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(own) == own.size());
    file.close();
    const json report = Post(id, "Report Procedure", {{0, 100}, {0, 3}, {1, 5}, {2, "A|1|"}});
    ASSERT_EQ(report.size(), 1u);
    EXPECT_EQ(report[0][0], 3);
    EXPECT_EQ(FromBase64(report[0][1]), own);
    const json missing = Post(id, "Report Procedure", {{0, 100}, {0, 3}, {1, 77}, {2, ""}});
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0][0], 2);

    // An upload is one more item; the new blob's name is the reply.
    const QByteArray bytes("\x00\xFFzawarto\xC5\x9B\xC4\x87", 13);
    const json added =
        Post(id, "Blob Add", {{0, 220}, {0, 65}, {2, "R1"}, {2, "bin"}, {3, Base64(bytes)}});
    EXPECT_EQ(added, json::parse(R"([[1,1],[2,"1.bin"]])"));
    EXPECT_EQ(FileBytes(QDir(m_folder.path()).filePath(QStringLiteral("blobs/R1/1.bin"))), bytes);
    EXPECT_EQ(Recorded().last(), QStringLiteral(R"(220 65 s:"R1" s:"bin" upload:13)"));

    const json blob = Post(id, "Blob Get", {{0, 220}, {0, 71}, {2, "R1"}, {2, "1.bin"}});
    ASSERT_EQ(blob.size(), 1u);
    EXPECT_EQ(FromBase64(blob[0][1]), bytes);
    // A protected download: the status alone, then the download when the
    // status is empty.
    const json protectedBlob =
        Post(id, "Blob Get Protected", {{0, 220}, {0, 80}, {2, "R1"}, {2, "1.bin"}, {2, ""}});
    ASSERT_EQ(protectedBlob.size(), 2u);
    EXPECT_EQ(protectedBlob[0], json::parse(R"([""])"));
    EXPECT_EQ(protectedBlob[1][0], 3);
    EXPECT_EQ(FromBase64(protectedBlob[1][1]), bytes);
    EXPECT_EQ(Post(id, "Blob Get Protected", {{0, 220}, {0, 80}, {2, "R1"}, {2, "2.bin"}, {2, ""}}),
              json::parse(R"([["Brak pliku"]])"));

    // The booking reply is read as a count with its field.
    const json booking = Post(id, "BOOKING", {{0, 38}, {2, "&client=NURA_TCP"}});
    ASSERT_EQ(booking.size(), 2u);
    EXPECT_EQ(booking[0], json::parse("[1,1]"));
    EXPECT_EQ(booking[1][0], 2);
}

TEST_F(SimJsonTest, TextTravelsAsUnicode)
{
    QString id = LogIn();
    const QString text = QStringLiteral("Żółw \"cytat\" \\ / \t\x01 😀");
    const HttpAnswer answer = PostRaw(id, "Ping", {{0, 254}, {2, text.toStdString()}});
    const json results = json::parse(answer.body)[0]["data"]["results"];
    EXPECT_EQ(QString::fromStdString(results[1][1].get<std::string>()), text);
    // Outside the BMP: the pair of UTF-16 units, each as \uXXXX.
    EXPECT_NE(answer.body.find("\\ud83d\\ude00"), std::string::npos) << answer.body;
    EXPECT_TRUE(Recorded().last().startsWith(QStringLiteral("254 s:\"Żółw \\\"cytat\\\"")));
}

TEST_F(SimJsonTest, ConversationsKeepTheirLogin)
{
    const QString unauthorised = QStringLiteral("Brak zalogowanego użytkownika");
    auto registry = [&](QString& id) {
        const json results = Post(id, "GET_REGISTRY", {{0, 151}, {0, 86}, {2, "CZO"}});
        return results.at(1).at(1).get<std::string>();
    };
    QString first = LogIn();
    QString second;
    Post(second, "Hello", {{0, 253}, {2, "JSON|"}});
    ASSERT_FALSE(second.isEmpty());
    EXPECT_NE(first, second);
    const QString kept = first;
    EXPECT_EQ(registry(first), "CZO");
    EXPECT_EQ(first, kept);
    EXPECT_EQ(QString::fromStdString(registry(second)), unauthorised);

    // An id this server never gave out starts a new conversation, without
    // the login.
    QString unknown = QStringLiteral("0123456789abcdef");
    EXPECT_EQ(QString::fromStdString(registry(unknown)), unauthorised);
    EXPECT_NE(unknown, QStringLiteral("0123456789abcdef"));

    // Goodbye ends the conversation; its id is unknown afterwards.
    const size_t open = m_endpoint.Conversations().Size();
    EXPECT_EQ(Post(first, "Close connection", {{0, 0}}), json::parse("[[1,0]]"));
    EXPECT_EQ(m_endpoint.Conversations().Size(), open - 1);
    QString closed = kept;
    EXPECT_EQ(QString::fromStdString(registry(closed)), unauthorised);
    EXPECT_NE(closed, kept);
}

TEST_F(SimJsonTest, RefusesDocumentsThatAreNoRequest)
{
    const std::vector<std::string> bodies = {
        /* 0*/ "",
        /* 1*/ "nie json",
        /* 2*/ "[]",
        /* 3*/ R"({"exec":[]})",
        /* 4*/ R"({"exec":[["innyProtokol",["","Ping",[[0,254],[2,"x"]]]]]})",
        /* 5*/ R"({"exec":[["nuraLegacyProtocol",["","Ping"]]]})",
        /* 6*/ R"({"exec":[["nuraLegacyProtocol",[1,"Ping",[[0,254],[2,"x"]]]]]})",
        /* 7*/ R"({"exec":[["nuraLegacyProtocol",["","Ping",[[0,254,1]]]]]})",
        /* 8*/ R"({"exec":[["nuraLegacyProtocol",["","Ping",[[0,256]]]]]})",
        /* 9*/ R"({"exec":[["nuraLegacyProtocol",["","Ping",[[1,2147483648]]]]]})",
        /*10*/ R"({"exec":[["nuraLegacyProtocol",["","Ping",[[4,"x"]]]]]})",
        /*11*/ R"({"exec":[["nuraLegacyProtocol",["","Ping",[[2,5]]]]]})",
        /*12*/ R"({"exec":[["nuraLegacyProtocol",["","Blob Add",[[3,"!!"]]]]]})",
        /*13*/ R"({"exec":[["nuraLegacyProtocol",["","Ping",[[0,254],[2,"x"]]]]],"x":1})",
        /*14*/ R"({"exec":[["nuraLegacyProtocol",["","Ping",[[0,1.5]]]]]})",
        /*15*/
        R"({"exec":[["nuraLegacyProtocol",["","Ping",[[0,254],[2,"x"]]]],["nuraLegacyProtocol",["","Ping",[]]]]})",
    };
    for (size_t i = 0; i < bodies.size(); ++i) {
        const HttpAnswer answer = m_endpoint.Serve(bodies[i]);
        EXPECT_EQ(answer.status, 400) << i;
        EXPECT_EQ(answer.body.rfind("nura-sim: ", 0), 0u) << i;
    }
    EXPECT_TRUE(Recorded().isEmpty());
    EXPECT_EQ(m_endpoint.Conversations().Size(), 0u);

    // Numbers at the edges, and one written with a fraction of zero.
    QString id;
    EXPECT_EQ(
        Post(id, "Get Entry", {{0, 50}, {1, -2147483648LL}, {1.0, 2147483647}, {1, 0}, {2, ""}}),
        json::parse("[[1,0]]"));
    EXPECT_EQ(Recorded().last(), QStringLiteral(R"(50 i:-2147483648 i:2147483647 i:0 s:"")"));
}

struct ItemCase
{
    const char* items;   // the items as JSON
    const char* results; // the reply's results as JSON
};

TEST_F(SimJsonTest, ItemsThatDoNotFitTheLayoutAreAnsweredAsOnTcp)
{
    const std::vector<ItemCase> rows = {
        /* 0*/ {R"j([[0,99]])j", R"j([[1,1],[2,"Nieznany kod żądania 99"]])j"},
        /* 1*/ {R"j([[0,151],[0,1],[2,"x"]])j", R"j([[1,1],[2,"Nieznany podkod żądania 151 1"]])j"},
        /* 2*/
        {R"j([[0,50],[1,1],[2,"x"]])j",
         R"j([[1,1],[2,"Zły rodzaj elementu 3 żądania GetEntry"]])j"},
        /* 3*/ {R"j([[0,151],[0,86]])j", R"j([[1,1],[2,"Brak elementu 3 żądania GetRegistry"]])j"},
        /* 4*/
        {R"j([[0,151],[0,86],[2,"A"],[2,"B"],[1,1]])j",
         R"j([[1,1],[2,"Nadmiarowe elementy po żądaniu GetRegistry (2)"]])j"},
        /* 5*/
        {R"j([[0,220],[0,65],[2,"o"],[2,"txt"]])j",
         R"j([[1,1],[2,"Brak przesyłanych danych w żądaniu BlobAdd"]])j"},
        /* 6*/ {R"j([[2,"x"]])j", R"j([[1,1],[2,"Żądanie nie zaczyna się od kodu"]])j"},
        /* 7*/ {R"j([])j", R"j([[1,1],[2,"Żądanie nie zaczyna się od kodu"]])j"},
        /* 8*/ {R"j([[0,151]])j", R"j([[1,1],[2,"Brak podkodu żądania 151"]])j"},
        /* 9*/ {R"j([[0,254],[3,""]])j", R"j([[1,1],[2,"Zły rodzaj elementu 2 żądania Ping"]])j"},
        /*10*/
        {R"j([[0,254],[2,"x"],[3,""]])j",
         R"j([[1,1],[2,"Nadmiarowe elementy po żądaniu Ping (1)"]])j"},
        // In the shape the client reads: a failed download, a status.
        /*11*/
        {R"j([[0,100],[0,3],[2,"1"],[2,""]])j",
         R"j([[2,"Zły rodzaj elementu 3 żądania ReportProcedure"]])j"},
        /*12*/
        {R"j([[0,220],[0,80],[2,"a"],[2,"b"]])j",
         R"j([["Brak elementu 5 żądania BlobGetProtected"]])j"},
        /*13*/
        {R"j([[0,30],[0,30]])j",
         R"j([[2,"Nadmiarowe elementy po żądaniu ServerDescription (1)"]])j"},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        QString id;
        EXPECT_EQ(Post(id, "x", json::parse(rows[i].items)), json::parse(rows[i].results)) << i;
    }
}

TEST(ParseItemRequest, MoneyFollowsTheServersVersion)
{
    auto items = [](int strings) {
        WireItems list{WireItem::Byte(150), WireItem::Byte(18)};
        for (int i = 0; i < strings; ++i)
            list.push_back(WireItem::String(QString::number(i)));
        return list;
    };
    LayoutContext old;
    old.moneyWithThreeMore = false;
    EXPECT_TRUE(ParseItemRequest(items(3), old).error.isEmpty());
    EXPECT_FALSE(ParseItemRequest(items(6), old).error.isEmpty());
    EXPECT_TRUE(ParseItemRequest(items(6), LayoutContext{}).error.isEmpty());
    EXPECT_EQ(ParseItemRequest(items(3), LayoutContext{}).error,
              QStringLiteral("Brak elementu 6 żądania Money"));
}

} // namespace
