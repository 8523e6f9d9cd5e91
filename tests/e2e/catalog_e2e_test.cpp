// The catalog description as the session loads it from the simulator: from
// the demo's "struktura" and, for an older server, from its lists.
#include "session_fixture.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

QStringList IndexLines(const CatalogDescription& d)
{
    QStringList lines;
    for (const nura_order& index : d.indexes)
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(index.Name())
                     .arg(index.Kind())
                     .arg(index.IndexNumber())
                     .arg(index.Prefix());
    return lines;
}

QStringList ReportLines(const CatalogDescription& d)
{
    QStringList lines;
    for (const nura_report& report : d.reports)
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6")
                     .arg(report.identifier)
                     .arg(report.name, report.group, report.kind,
                          report.noForm ? S("bez formularza") : S("formularz"), report.opt);
    return lines;
}

int ListRequests(const SimServer& sim)
{
    int count = 0;
    for (const QString& line : sim.Requests())
        count += line.startsWith(S("55 ")) || line.startsWith(S("56 ")) ? 1 : 0;
    return count;
}

class CatalogTest : public testing::TestWithParam<Transport>
{
protected:
    // Opens a session as the demo operator; null when it could not.
    Twypozyczalnia* Open(const QStringList& options = {})
    {
        sim = std::make_unique<SimServer>(options);
        if (!sim->Running())
            return nullptr;
        const SessionTarget target = TargetOf(*sim, GetParam(), dialogs);
        return OpenSessionAndLogIn(target, LoginMode::Interactive, dialogs) ? CurrentSession()
                                                                            : nullptr;
    }

    // The catalog alone, without a login: an older server knows nothing of
    // the reading room.
    std::unique_ptr<Twypozyczalnia> OpenCatalog(const QStringList& options)
    {
        sim = std::make_unique<SimServer>(options);
        if (!sim->Running())
            return nullptr;
        const SessionTarget target = TargetOf(*sim, GetParam(), dialogs);
        auto catalog =
            std::make_unique<Twypozyczalnia>(target.address, target.onError, target.onMessage, true,
                                             target.identification, target.port);
        return catalog->Connected() ? std::move(catalog) : nullptr;
    }

    SessionEnds ends;
    std::unique_ptr<SimServer> sim;
    ScriptedDialogs dialogs;
};

TEST_P(CatalogTest, TheDemoDescriptionComesWhole)
{
    Twypozyczalnia* session = Open();
    ASSERT_NE(session, nullptr) << dialogs.shown.join(S("\n")).toStdString();
    const CatalogDescription& d = session->Description();
    EXPECT_EQ(session->Generation(), 2);
    EXPECT_EQ(IndexLines(d),
              QStringList({S("autor 2 2 A"), S("tytuł 3 2 T"), S("hasło przedmiotowe 5 2 H"),
                           S("Kolekcja zdalna 99 0 ")}));
    ASSERT_EQ(d.dictionaries.size(), 2u);
    EXPECT_EQ(d.dictionaries[0].indexes.size(), 2u);
    EXPECT_EQ(d.dictionaries[1].name, S("Hasła osobowe"));
    ASSERT_EQ(d.criteria.size(), 5u);
    EXPECT_TRUE(d.criteria[0].par.startsWith(S("BEGIN"))); // the defaults of "ixf"
    EXPECT_EQ(d.criteria[0].act, S("SZUKAJ"));
    EXPECT_EQ(d.criteria[1].act, S("TYTUL"));
    EXPECT_EQ(d.criteria[4].par, QString()); // "LISTA" takes no defaults
    EXPECT_EQ(d.sNames, QStringList({S("Książki"), S("Czasopisma")}));
    EXPECT_EQ(d.sdNames, QStringList({S("Zbiory specjalne")}));
    EXPECT_EQ(d.formats.size(), 2u);
    EXPECT_EQ(ReportLines(d),
              QStringList({S("1 Odwiedziny w dniu Statystyka TABELA formularz "),
                           S("2 Karty czytelników Czytelnicy TABELA formularz "),
                           S("3 Odwiedziny w miesiącu Statystyka TABELA formularz "),
                           S("4 Zestawienie dzienne Statystyka TABELA bez formularza "),
                           S("5 Czytelnicy według filtru Czytelnicy TABELA formularz F"),
                           S("6 Odwiedziny w okresie Statystyka TABELA formularz ")}));
    // Form texts keep the line breaks the server joined their lines with.
    EXPECT_TRUE(d.reports[0].form.contains(S("\rDATE 'DZIEN' ON 90, 10, 100\r")));
    EXPECT_TRUE(d.reports[3].form.startsWith(S("BEGIN\rLABEL")));
    EXPECT_EQ(d.filterReport, 4);
    EXPECT_EQ(session->FindReport(S("ODWIEDZINY")), &d.reports[0]);
    EXPECT_EQ(d.programs.size(), 2u);
    EXPECT_EQ(d.programs[0].cal, S("rejestr"));
    EXPECT_EQ(d.filters.size(), 2u);
    EXPECT_EQ(session->Footer(), S("Biblioteka Miejska, ul. Źródlana 5"));
    EXPECT_TRUE(session->StructureText().startsWith(S("{czytelnia={loc=V}")));
    EXPECT_EQ(session->LoginValue(), S("Pracownia demonstracyjna"));
    // With a structure the description costs no request of its own.
    EXPECT_EQ(ListRequests(*sim), 0);
}

// An older server of the first generation: fixed indexes around its "051"
// list, criteria, formats and reports from lists.
TEST_P(CatalogTest, AFirstGenerationServerIsReadFromItsLists)
{
    const auto session =
        OpenCatalog({S("--old-server"), S("NURA1"), S("--version"), S("2004.01.10")});
    ASSERT_NE(session, nullptr) << dialogs.shown.join(S("\n")).toStdString();
    const CatalogDescription& d = session->Description();
    EXPECT_EQ(session->Generation(), 0);
    EXPECT_TRUE(session->DatedGeneration());
    EXPECT_EQ(IndexLines(d),
              QStringList({S("autor 2 2 "), S("tytuł 3 2 "), S("Seria wydawnicza 4 2 S"),
                           S("Kolekcja regionalna 4 2 K"), S("impreza 13 2 "), S("wydawca 7 2 "),
                           S("identyfikator 6 3 "), S("sygnatura 6 4 "), S("numer 1 1 "),
                           S("Kolekcja zdalna 99 0 ")}));
    ASSERT_EQ(d.criteria.size(), 3u);
    EXPECT_EQ(d.criteria[2].name, S("Hasło"));
    EXPECT_EQ(d.criteria[2].dictionary, S("KHW"));
    EXPECT_EQ(d.criteria[2].type, S("INDEX"));
    ASSERT_EQ(d.formats.size(), 2u);
    EXPECT_EQ(d.formats[1].identifier, 2);
    EXPECT_EQ(d.formats[1].type, S("KAT"));
    EXPECT_EQ(d.formats[1].name, S("Karta katalogowa"));
    // A list entry of five fields has no options.
    EXPECT_EQ(ReportLines(d), QStringList({S("1 Odwiedziny w dniu  TABELA formularz wydruk"),
                                           S("2 Karty czytelników  TABELA formularz "),
                                           S("3 Odwiedziny w miesiącu  TABELA formularz "),
                                           S("4 Zestawienie dzienne  TABELA bez formularza "),
                                           S("5 Czytelnicy według filtru  TABELA formularz F")}));
    EXPECT_TRUE(d.programs.empty());
    EXPECT_EQ(d.filterReport, -1);
}

TEST_P(CatalogTest, LaterGenerationsReadTheirIndexList)
{
    const auto session =
        OpenCatalog({S("--old-server"), S("NURA3"), S("--version"), S("2003.01.01")});
    ASSERT_NE(session, nullptr) << dialogs.shown.join(S("\n")).toStdString();
    EXPECT_FALSE(session->DatedGeneration());
    EXPECT_EQ(IndexLines(session->Description()),
              QStringList({S("autor 21 5 A"), S("hasło przedmiotowe 21 5 H"), S("tytuł 21 5 T"),
                           S("Kolekcja zdalna 99 0 ")}));
    // Each list costs one request per entry and one for its end.
    EXPECT_EQ(ListRequests(*sim), 4 + 4 + 3 + 6);
    // A new login value reads the description again; the same one does not.
    EXPECT_EQ(session->Login(S("demo"), S("demo"), S("czytelnia")), QString());
    EXPECT_EQ(session->ReloadAfterLogin(), QString());
    EXPECT_EQ(session->LoginValue(), S("Pracownia demonstracyjna"));
    EXPECT_EQ(session->ReloadAfterLogin(), QString());
    EXPECT_EQ(ListRequests(*sim), 2 * (4 + 4 + 3 + 6));
    EXPECT_EQ(session->Description().indexes.size(), 4u);
}

TEST_P(CatalogTest, AServerWithoutTheReadingRoomIsRefused)
{
    EXPECT_EQ(Open({S("--old-server"), S("NURA2")}), nullptr);
    EXPECT_EQ(dialogs.shown, QStringList({S("błąd: Serwer nie realizuje usługi \"czytelnia\"")}));
    EXPECT_EQ(CurrentSession(), nullptr);
}

// The server's own parameters: where its reports are made and its edition.
TEST_P(CatalogTest, ReportsMayComeFromAnotherServer)
{
    const QByteArray server = R"({"generation": "NURA2", "parameters": [["czytelnia", "C"],
        ["edycja", "7"], ["raporty", " raporty.lan : 9100"]]})";
    sim = std::make_unique<SimServer>(
        QStringList(), std::vector<std::pair<QString, QByteArray>>{{S("server.json"), server}});
    ASSERT_TRUE(sim->Running());
    ASSERT_TRUE(
        OpenSessionAndLogIn(TargetOf(*sim, GetParam(), dialogs), LoginMode::Interactive, dialogs));
    const Twypozyczalnia& session = *CurrentSession();
    EXPECT_EQ(session.Generation(), 1);
    EXPECT_EQ(session.Edition(), 7);
    EXPECT_EQ(session.ReportAddress(), S("raporty.lan"));
    EXPECT_EQ(session.ReportPort(), 9100);
    EXPECT_EQ(session.Address(), TargetOf(*sim, GetParam(), dialogs).address);
}

// A server the program cannot read, and a description it cannot read, are
// offered again like a lost connection; "Nie" gives up.
TEST_P(CatalogTest, AnUnreadableServerIsReportedAndNotUsed)
{
    struct Case
    {
        QStringList options;
        std::vector<std::pair<QString, QByteArray>> files;
        QString error;
    };
    const Case cases[] = {
        /* 0*/ {{},
                {{S("server.json"), R"({"generation": "ZETA9", "parameters": []})"}},
                S("Nieznany typ bazy NURA")},
        /* 1*/
        {{},
         {{S("struktura.txt"), "{x={nam=autor}{tab=A}{ind=2}}"}},
         S("Błąd opisu katalogu: \"tab\" w rekordzie \"x\" nie jest liczbą całkowitą "
           "(\"A\")")},
    };
    for (const Case& c : cases) {
        sim = std::make_unique<SimServer>(c.options, c.files);
        ASSERT_TRUE(sim->Running());
        dialogs.shown.clear();
        EXPECT_FALSE(OpenSessionAndLogIn(TargetOf(*sim, GetParam(), dialogs),
                                         LoginMode::Interactive, dialogs));
        EXPECT_EQ(dialogs.shown, QStringList({S("pytanie: ") + c.error +
                                              S("\r\nCzy nawiązać połączenie na nowo?")}));
        EXPECT_EQ(CurrentSession(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Transports, CatalogTest, testing::Values(Transport::Tcp, Transport::Https),
                         [](const testing::TestParamInfo<Transport>& transport) {
                             return TransportName(transport.param);
                         });

} // namespace
