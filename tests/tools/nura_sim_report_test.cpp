// Reports the simulator works out from the values of their forms, asked of a
// simulator on a free port over plain HTTP, the way the client's JSON side
// asks for them.
#include "sim_json_fixture.h"

#include "http_front.h"

#include "client/ansi_codec.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <httplib.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// Visits of earlier days, as a data folder from an earlier start holds them.
QByteArray EarlierVisits()
{
    return QStringLiteral(R"({"2026-02-03": {"CZO": 5, "INF": 1}, "2026-02-10": {"CZW": 2},)"
                          R"( "%1": {"CZO": 1}})")
        .arg(QDate::currentDate().toString(Qt::ISODate))
        .toUtf8();
}

// The simulator over a copy of the demo data, with its plain HTTP side on a
// free port.
class SimReportTest : public SimJsonTest
{
protected:
    void SetUp() override
    {
        SimJsonTest::SetUp();
        ASSERT_EQ(m_front.Listen(0), QString());
        m_front.Start();
        m_http = std::make_unique<httplib::Client>("127.0.0.1", m_front.Port());
    }
    void TearDown() override { m_front.Stop(); }

    // Puts files (relative path, bytes) into the data folder and reads the
    // folder again, as a restart does, then logs in afresh.
    void Start(const std::vector<std::pair<QString, QByteArray>>& files = {})
    {
        for (const auto& [relative, bytes] : files) {
            const QString path = m_folder.filePath(relative);
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        }
        ASSERT_EQ(m_data.Load(m_folder.path(), m_options), QString());
        m_id.clear();
        Post({{0, 253}, {2, "JSON|test"}});
        const json challenge = Post({{0, 128}, {2, "demo"}});
        ASSERT_EQ(challenge.size(), 2u);
        const qint32 number = std::stoi(challenge[1][1].get<std::string>());
        Post({{0, 129}, {2, EncodePassword(S("demo"), number).toStdString()}});
    }

    json Post(const json& items)
    {
        const auto answer = m_http->Post("/nura", {{"Accept-Encoding", "identity"}},
                                         Body(m_id, "test", items), "application/json");
        if (!answer || answer->status != 200)
            return nullptr;
        const json reply = json::parse(answer->body, nullptr, false);
        m_id = QString::fromStdString(reply[0]["data"]["connection_id"].get<std::string>());
        return reply[0]["data"]["results"];
    }

    void Click(const char* type, int times) { Post({{0, 151}, {0, 73}, {2, type}, {1, times}}); }

    // The report's data lines, or its refusal as "error: " and the text.
    QStringList Report(int number, const char* parameters)
    {
        const json results = Post({{0, 100}, {0, 3}, {1, number}, {2, parameters}});
        if (!results.is_array() || results.size() != 1)
            return {S("no reply")};
        const std::string content = results[0][1].get<std::string>();
        if (results[0][0] == 2)
            return {S("error: ") + QString::fromStdString(content)};
        const QString text = DecodeAnsi(QByteArray::fromBase64(QByteArray::fromStdString(content)));
        const qsizetype end = text.indexOf(QLatin1String("[END]\n"));
        return text.mid(end + 6).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    HttpFront m_front{m_endpoint, m_stopping, QStringLiteral("HTTP")};
    std::unique_ptr<httplib::Client> m_http;
    QString m_id;
};

TEST_F(SimReportTest, ReportsFollowTheirFormsAndTheVisitsJustCounted)
{
    Start({{S("registry.json"), EarlierVisits()}});
    Click("CZO", 3);
    Click("MMK", 2);
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    struct Row
    {
        int report;
        const char* parameters;
        // Data lines that must be there; the first one is checked as the
        // report's first line when `count` is given.
        std::vector<QString> lines;
        qsizetype count;
    } rows[] = {
        /* 0*/ {1,
                "DZIEN|20260203|SZCZEGOLY|F|",
                {S("&dzien=03.02.2026&typ=CZO&nazwa=Na miejscu&liczba=5&razem=6"),
                 S("&dzien=03.02.2026&typ=INF&nazwa=Informacja&liczba=1&razem=6")},
                2},
        /* 1*/
        {1,
         "DZIEN|20260203|SZCZEGOLY|T|",
         {S("&dzien=03.02.2026&typ=CZO&nazwa=Na miejscu&grupa=Czytelnia ogólna&liczba=5&"
            "razem=6"),
          S("&dzien=03.02.2026&typ=CZA&nazwa=Roczniki&grupa=Czasopisma / Archiwum&"
            "liczba=0&razem=6")},
         10},
        /* 2*/
        {1,
         "||",
         {S("&dzien=%1&typ=CZO&nazwa=Na miejscu&liczba=4&razem=6").arg(today),
          S("&dzien=%1&typ=MMK&nazwa=Stanowisko komputerowe&liczba=2&razem=6").arg(today)},
         2},
        /* 3*/
        {1, "DZIEN|20260101|", {S("&dzien=01.01.2026&nazwa=Brak odwiedzin&liczba=0&razem=0")}, 1},
        /* 4*/ {1, "DZIEN|20260231|", {S("error: Nieprawidłowa data: 31.02.2026")}, 1},
        /* 5*/ {1, "DZIEN|2026 2|", {S("error: Nieprawidłowa data: 2026 2")}, 1},
        /* 6*/
        {3,
         "MIESIAC| 2|ROK|2026|",
         {S("&okres=luty 2026&dzien=01.02&rodzaje=&liczba=0&razem=8&wedlug=CZO 5, CZW 2, "
            "INF 1"),
          S("&okres=luty 2026&dzien=03.02&rodzaje=CZO 5, INF 1&liczba=6&wykres=24&razem=8&"
            "wedlug=CZO 5, CZW 2, INF 1")},
         28},
        /* 7*/ {3, "MIESIAC|13|ROK|2026|", {S("error: Nieprawidłowy miesiąc: 13")}, 1},
        /* 8*/ {3, "MIESIAC|2|ROK|    |", {S("error: Nie podano roku")}, 1},
        /* 9*/ {3, "||", {S("error: Nie podano miesiąca")}, 1},
        /*10*/
        {2,
         "OD|Ł|RODZAJ|S|",
         {S("&rodzaj=Studenci&od=Ł&nazwisko=Łukasiewicz Katarzyna&adres=ul. Piotrkowska "
            "30/6, Łódź&karta=20240018"),
          S("&rodzaj=Studenci&od=Ł&nazwisko=Wójcik Piotr&adres=ul. Piotrkowska 22/4, "
            "Łódź&karta=20240004")},
         8},
        /*11*/
        {2, "OD|Żz|RODZAJ|W|", {S("&od=Żz&nazwisko=Brak czytelników spełniających warunki")}, 1},
        /*12*/ {2, "RODZAJ|X|", {S("error: Nieznany rodzaj czytelników: X")}, 1},
        /*13*/ {5, "FILTR|X|", {S("error: Nieznany filtr czytelników: X")}, 1},
        /*14*/
        {4,
         "||",
         {S("&typ=CZO&nazwa=Na miejscu&grupa=Czytelnia ogólna&liczba=4&wykres=16&razem=6&"
            "najczesciej=Na miejscu"),
          S("&typ=CZM&nazwa=Mikrofilmy&grupa=Czasopisma / Archiwum&liczba=0&razem=6&"
            "najczesciej=Na miejscu")},
         10},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const QStringList lines = Report(rows[i].report, rows[i].parameters);
        for (const QString& line : rows[i].lines)
            EXPECT_TRUE(lines.contains(line)) << i << " " << line.toStdString() << "\n"
                                              << lines.join(QLatin1Char('\n')).toStdString();
        if (rows[i].count > 0) {
            EXPECT_EQ(lines.size(), rows[i].count) << i;
            EXPECT_EQ(lines.value(0), rows[i].lines.front()) << i;
        }
    }
}

// The reader cards: the filter by surname in Polish order and by kind, one
// section per kind.
TEST_F(SimReportTest, ReaderCardsFollowTheFilter)
{
    Start();
    const QStringList lines = Report(2, "OD|Ł|RODZAJ|W|");
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.count(S("*")), 2) << "students, pupils, the others";
    // The filter report splits the same readers into adults and children.
    const QStringList adults = Report(5, "FILTR|D|");
    const QStringList children = Report(5, "FILTR|K|");
    EXPECT_EQ(adults.size() + children.size(), 42);
    EXPECT_TRUE(children.value(0).startsWith(S("&filtr=Tylko dzieci&lp=1&")))
        << children.value(0).toStdString();
    EXPECT_TRUE(adults.last().endsWith(S("&razem=%1").arg(adults.size())));
    EXPECT_EQ(
        adults.filter(S("&zastrzezona=T")).size() + children.filter(S("&zastrzezona=T")).size(), 6);
    for (const QString& line : lines) {
        if (line == QLatin1String("*"))
            continue;
        const QString name =
            line.section(QLatin1String("&nazwisko="), 1).section(QLatin1Char('&'), 0, 0);
        EXPECT_FALSE(name.startsWith(QLatin1String("L"))) << name.toStdString();
        EXPECT_FALSE(name.startsWith(QLatin1String("K"))) << name.toStdString();
    }
    EXPECT_EQ(Report(2, "RODZAJ|U|").count(S("*")), 0);
}

TEST_F(SimReportTest, AReportFileInTheDataFolderWins)
{
    const QByteArray own("[REPORT 100]\n[END]\n&x=w\xb3\x61sny\n");
    Start({{S("reports/3.txt"), own}});
    const json results = Post({{0, 100}, {0, 3}, {1, 3}, {2, "||"}});
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(results[0][1].get<std::string>())),
              own);
}

TEST_F(SimReportTest, CountsOfEveryDaySurviveARestart)
{
    Start({{S("registry.json"), EarlierVisits()}});
    Click("CZO", 3);
    Start();
    EXPECT_EQ(Report(1, "||").value(0).section(QLatin1Char('&'), 2),
              S("typ=CZO&nazwa=Na miejscu&liczba=4&razem=4"));
    EXPECT_EQ(Report(1, "DZIEN|20260210|"),
              QStringList{S("&dzien=10.02.2026&typ=CZW&nazwa=Wypożyczenia prezencyjne&liczba=2&"
                            "razem=2")});
}

} // namespace
