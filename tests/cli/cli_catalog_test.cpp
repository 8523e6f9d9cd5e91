// czytelnia-cli catalog against the simulator: the description a session
// loads, from the structure text of a current server and from the lists of
// an older one, in the tool's line format.
#include "cli_server_run.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CliRun Catalog(const SimServer& sim, bool https, const QStringList& extra = {})
{
    const QTemporaryDir folder;
    return RunInProcess(QStringList{S("catalog")} + ServerOptionsFor(sim, https, "demo", "demo") +
                            extra,
                        folder.path());
}

// Every line is one object: a known kind and its tab-separated fields.
void ExpectWellFormed(const QStringList& lines)
{
    const QRegularExpression line(
        S("^(generation|edition|reports-at|footer|index|dictionary|dictionary-index|criterium|"
          "s|sd|format|report|program|filter|filter-report)\t[^\r\n]*$"));
    for (const QString& text : lines)
        EXPECT_TRUE(line.match(text).hasMatch()) << text.toStdString();
}

QStringList LinesOfKind(const QStringList& lines, const char* kind)
{
    return lines.filter(QRegularExpression(QLatin1Char('^') + S(kind) + QLatin1Char('\t')));
}

class CliCatalogTest : public testing::TestWithParam<bool>
{};

INSTANTIATE_TEST_SUITE_P(Transports, CliCatalogTest, testing::Values(false, true),
                         TransportTestName);

TEST_P(CliCatalogTest, PrintsTheDescriptionOfTheStructureText)
{
    SimServer sim;
    ASSERT_TRUE(sim.Running());
    const CliRun run = Catalog(sim, GetParam());
    ASSERT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    const QStringList lines = OutputLines(run);
    ExpectWellFormed(lines);
    const char* const expected[] = {
        /* 0*/ "generation\tNURA3\tdated=no",
        /* 1*/ "footer\tBiblioteka Miejska, ul. Źródlana 5",
        /* 2*/ "index\tautor\tkind=2\tind=2\tpre=A\tkhw=",
        /* 3*/ "index\thasło przedmiotowe\tkind=5\tind=2\tpre=H\tkhw=KHW",
        /* 4*/ "index\tKolekcja zdalna\tkind=99\tind=0\tpre=\tkhw=",
        /* 5*/ "dictionary\tKHW\tHasła przedmiotowe",
        /* 6*/ "dictionary-index\tKHW\thasło geograficzne\tkind=21\tind=5\tpre=G",
        // A criterium of type INDEX without a form of its own takes the
        // default one and its action.
        /* 7*/ "criterium\tAutor\ttype=INDEX\tkhw=\tpar=yes\tact=SZUKAJ\topt=",
        /* 8*/ "criterium\tNowości\ttype=LISTA\tkhw=\tpar=no\tact=\topt=",
        /* 9*/ "sd\tZbiory specjalne",
        /*10*/ "format\t2\tKarta katalogowa\ttype=KAT",
        /*11*/
        "report\t4\tdzienny\tZestawienie dzienne\tgroup=Statystyka\tkind=TABELA\ticon=\t"
        "form=win\tact=\topt=",
        /*12*/
        "program\tP1\tPorządkowanie rejestru\tgroup=Administracja\tpar=yes\tact=PORZADEK\t"
        "opt=Q\tcal=rejestr\taft=odswiez\tapp=",
        /*13*/ "filter\tK\tTylko dzieci",
        /*14*/ "filter-report\t5\tfiltr",
    };
    for (const char* line : expected)
        EXPECT_TRUE(lines.contains(S(line))) << line;

    // Reports keep the server's order; the reading-room layout between the
    // records is no report.
    QStringList reportIds;
    for (const QString& report : LinesOfKind(lines, "report"))
        reportIds << report.section(QLatin1Char('\t'), 2, 2);
    EXPECT_EQ(reportIds.join(QLatin1Char(',')), S("odwiedziny,karty,miesiac,dzienny,filtr,okres"));
    EXPECT_EQ(LinesOfKind(lines, "s"), QStringList({S("s\tKsiążki"), S("s\tCzasopisma")}));
    // A dictionary's indexes follow it.
    const qsizetype dictionary = lines.indexOf(S("dictionary\tKHO\tHasła osobowe"));
    ASSERT_GE(dictionary, 0);
    EXPECT_EQ(lines.value(dictionary + 1),
              S("dictionary-index\tKHO\tosoba\tkind=21\tind=5\tpre=O"));
    // Reports are computed where the session is, unless the server says
    // otherwise.
    EXPECT_TRUE(lines.contains(GetParam() ? S("reports-at\t") + sim.HttpsUrl() + S(":0")
                                          : S("reports-at\t127.0.0.1:%1").arg(sim.Port())))
        << run.out.toStdString();
}

TEST(CliCatalog, OlderServersDescribeTheCatalogInTheirLists)
{
    struct Row
    {
        const char* generation;
        std::vector<const char*> lines;
        const char* indexNames;
    } rows[] = {
        /* 0*/ {"NURA1",
                {"generation\tNURA1\tdated=yes", "index\tautor\tkind=2\tind=2\tpre=\tkhw=",
                 // The "051" list adds an index per entry, between the fixed ones.
                 "index\tSeria wydawnicza\tkind=4\tind=2\tpre=S\tkhw=",
                 "index\tKolekcja regionalna\tkind=4\tind=2\tpre=K\tkhw=",
                 "index\tnumer\tkind=1\tind=1\tpre=\tkhw="},
                "autor,tytuł,Seria wydawnicza,Kolekcja regionalna,impreza,wydawca,identyfikator,"
                "sygnatura,numer,Kolekcja zdalna"},
        /* 1*/
        {"NURA3",
         {"generation\tNURA3\tdated=no",
          "index\tautor\tkind=21\tind=5\tpre=A\tkhw=", "index\ttytuł\tkind=21\tind=5\tpre=T\tkhw="},
         "autor,hasło przedmiotowe,tytuł,Kolekcja zdalna"},
    };
    const char* const common[] = {
        "criterium\tHasło\ttype=INDEX\tkhw=KHW\tpar=no\tact=\topt=",
        "index\tKolekcja zdalna\tkind=99\tind=0\tpre=\tkhw=",
        "format\t1\tOpis pełny\ttype=ISBD",
        "report\t1\t\tOdwiedziny w dniu\tgroup=\tkind=TABELA\ticon=\tform=par\tact=\topt=wydruk",
        // Five fields: no options.
        "report\t2\t\tKarty czytelników\tgroup=\tkind=TABELA\ticon=\tform=par\tact=\topt=",
        "footer\t",
    };
    for (const Row& row : rows) {
        SimServer sim({S("--old-server"), S(row.generation)});
        ASSERT_TRUE(sim.Running());
        const CliRun run = Catalog(sim, false);
        ASSERT_EQ(run.rc, 0) << row.generation << run.err.toStdString();
        const QStringList lines = OutputLines(run);
        ExpectWellFormed(lines);
        for (const char* line : row.lines)
            EXPECT_TRUE(lines.contains(S(line))) << row.generation << ": " << line;
        for (const char* line : common)
            EXPECT_TRUE(lines.contains(S(line))) << row.generation << ": " << line;
        QStringList indexNames;
        for (const QString& index : LinesOfKind(lines, "index"))
            indexNames << index.section(QLatin1Char('\t'), 1, 1);
        EXPECT_EQ(indexNames.join(QLatin1Char(',')).toStdString(), row.indexNames)
            << row.generation;
        // Nothing that only a structure text describes.
        for (const char* kind : {"dictionary", "program", "filter", "filter-report", "s", "sd"})
            EXPECT_TRUE(LinesOfKind(lines, kind).isEmpty()) << row.generation << ": " << kind;
    }
}

TEST(CliCatalog, FailuresSayWhyOnTheErrorStream)
{
    SimServer sim;
    ASSERT_TRUE(sim.Running());
    const QTemporaryDir folder;
    const QStringList tcp{S("--address"), S("127.0.0.1"), S("--port"), QString::number(sim.Port())};
    struct Row
    {
        QStringList words;
        const char* err; // null: the usage
    } rows[] = {
        /* 0*/ {tcp + Words({"--user", "demo", "--password", "zle"}), "Błędne hasło\n"},
        /* 1*/
        {tcp + Words({"--user", "demo", "--password", "demo", "--service", "wypozyczalnia"}),
         "Serwer nie realizuje usługi \"wypozyczalnia\"\n"},
        /* 2*/
        {Words({"--address", "127.0.0.1", "--port", "1", "--user", "demo", "--password", "demo"}),
         "Brak połączenia z serwerem 127.0.0.1/1\n"},
        /* 3*/ {tcp, nullptr},
        /* 4*/ {tcp + Words({"--user", "demo", "--password", "demo", "extra"}), nullptr},
        /* 5*/ {Words({"--port", "1", "--user", "demo"}), nullptr},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const CliRun run = RunInProcess(QStringList{S("catalog")} + rows[i].words, folder.path());
        EXPECT_EQ(run.rc, 1) << i;
        EXPECT_TRUE(run.out.isEmpty()) << i;
        if (rows[i].err != nullptr)
            EXPECT_EQ(run.err.toStdString(), rows[i].err) << i;
        else
            EXPECT_TRUE(run.err.startsWith("Usage: czytelnia-cli catalog")) << i;
    }
}

} // namespace
