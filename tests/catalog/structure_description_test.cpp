#include "catalog/structure_description.h"
#include "catalog/twypozyczalnia.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

struct Read
{
    explicit Read(const char* structure) : error(ReadStructureDescription(S(structure), nullptr, d))
    {
        if (error.isEmpty())
            CompleteDescription(d, nullptr, 0);
    }
    CatalogDescription d;
    QString error;
};

QStringList ReportNames(const CatalogDescription& d)
{
    QStringList names;
    for (const nura_report& report : d.reports)
        names << report.name;
    return names;
}

QStringList IndexNames(const CatalogDescription& d)
{
    QStringList names;
    for (const nura_order& index : d.indexes)
        names << index.Name();
    return names;
}

TEST(StructureDescription, ReportsKeepTheirOrderAcrossOtherRecords)
{
    const Read r("{r={id=7}{nam=Pierwszy}{fat=G1}{lan=TABELA}{ico=i}{par=BEGIN\rEND}{act=a}"
                 "{opt=o}{idf=jeden}}"
                 "{czytelnia={loc=V}{e={nam=X}{typ=X}}}"
                 "{r={nam=Drugi}{win=OKNO}{id=-3}}");
    ASSERT_EQ(r.error, QString());
    ASSERT_EQ(ReportNames(r.d), QStringList({S("Pierwszy"), S("Drugi")}));
    const nura_report& first = r.d.reports[0];
    EXPECT_EQ(first.identifier, 7);
    EXPECT_EQ(first.idf, S("jeden"));
    EXPECT_EQ(first.group, S("G1"));
    EXPECT_EQ(first.kind, S("TABELA"));
    EXPECT_EQ(first.icon, S("i"));
    EXPECT_EQ(first.form, S("BEGIN\rEND"));
    EXPECT_FALSE(first.noForm);
    EXPECT_EQ(first.act, S("a"));
    EXPECT_EQ(first.opt, S("o"));
    // Without "par" the window text is the form, and the report has no form
    // of its own to ask for.
    const nura_report& second = r.d.reports[1];
    EXPECT_EQ(second.identifier, -3);
    EXPECT_EQ(second.form, S("OKNO"));
    EXPECT_TRUE(second.noForm);
    // The layout's "e" records are not catalog records.
    EXPECT_TRUE(r.d.indexes.empty());
}

TEST(StructureDescription, IndexCriteriaTakeTheDefaultsOfTheFirstIxf)
{
    const Read r("{ixf={par=DOMYSLNY}{act=SZUKAJ}}{ixf={par=DRUGI}}"
                 "{q={nam=Autor}{typ=INDEX}{khw=KHW}}"
                 "{q={nam=Tytuł}{typ=INDEX}{par=WLASNY}}"
                 "{q={nam=Rok}{typ=ZAKRES}{opt=N}}");
    ASSERT_EQ(r.error, QString());
    ASSERT_EQ(r.d.criteria.size(), 3u);
    EXPECT_EQ(r.d.criteria[0].par, S("DOMYSLNY"));
    EXPECT_EQ(r.d.criteria[0].act, S("SZUKAJ"));
    EXPECT_EQ(r.d.criteria[0].dictionary, S("KHW"));
    EXPECT_EQ(r.d.criteria[1].par, S("WLASNY"));
    EXPECT_EQ(r.d.criteria[1].act, S("SZUKAJ"));
    EXPECT_EQ(r.d.criteria[2].par, QString());
    EXPECT_EQ(r.d.criteria[2].act, QString());
    EXPECT_EQ(r.d.criteria[2].opt, S("N"));
    // Criteria bring the remote collection with them, as the last index.
    ASSERT_EQ(IndexNames(r.d), QStringList({S("Kolekcja zdalna")}));
    EXPECT_EQ(r.d.indexes[0].Kind(), 99);
}

TEST(StructureDescription, EveryOtherKindOfRecord)
{
    const Read r("{x={nam=autor}{tab=2}{ind=2}{pre=A}{khw=K1}}"
                 "{w={id=K1}{nam=Hasła}{x={nam=hasło}{tab=21}{ind=5}{pre=H}}{x={nam=osoba}"
                 "{tab=21}{ind=5}{pre=O}}}"
                 "{s={nam=Książki}}{sd={nam=Specjalne}}{s={nam=Prasa}}"
                 "{f={nam=Opis}{typ=ISBD}{id=1}}"
                 "{p={nam=Program}{id=P1}{par=a}{act=b}{opt=c}{cal=d}{aft=e}{app=f}{fat=g}}"
                 "{c={nam=Dorośli}{id=D}}{c={nam=Dzieci}{id=K}}");
    ASSERT_EQ(r.error, QString());
    ASSERT_EQ(IndexNames(r.d), QStringList({S("autor")}));
    EXPECT_EQ(r.d.indexes[0].Kind(), 2);
    EXPECT_EQ(r.d.indexes[0].IndexNumber(), 2);
    EXPECT_EQ(r.d.indexes[0].Prefix(), S("A"));
    EXPECT_EQ(r.d.indexes[0].Dictionary(), S("K1"));
    ASSERT_EQ(r.d.dictionaries.size(), 1u);
    const nura_KHW& dictionary = r.d.dictionaries[0];
    EXPECT_EQ(dictionary.identifier, S("K1"));
    EXPECT_EQ(dictionary.name, S("Hasła"));
    ASSERT_EQ(dictionary.indexes.size(), 2u);
    EXPECT_EQ(dictionary.indexes[1].name, S("osoba"));
    EXPECT_EQ(dictionary.indexes[1].kind, 21);
    EXPECT_EQ(dictionary.indexes[1].indexNumber, 5);
    EXPECT_EQ(dictionary.indexes[1].prefix, S("O"));
    EXPECT_EQ(r.d.sNames, QStringList({S("Książki"), S("Prasa")}));
    EXPECT_EQ(r.d.sdNames, QStringList({S("Specjalne")}));
    ASSERT_EQ(r.d.formats.size(), 1u);
    EXPECT_EQ(r.d.formats[0].identifier, 1);
    EXPECT_EQ(r.d.formats[0].type, S("ISBD"));
    ASSERT_EQ(r.d.programs.size(), 1u);
    const nura_programm& program = r.d.programs[0];
    EXPECT_EQ(QStringList({program.name, program.identifier, program.par, program.act, program.opt,
                           program.cal, program.aft, program.app, program.group}),
              QStringList(
                  {S("Program"), S("P1"), S("a"), S("b"), S("c"), S("d"), S("e"), S("f"), S("g")}));
    ASSERT_EQ(r.d.filters.size(), 2u);
    EXPECT_EQ(r.d.filters[1].name, S("Dzieci"));
    EXPECT_EQ(r.d.filters[1].identifier, S("K"));
    EXPECT_EQ(r.d.filterReport, -1);
}

TEST(StructureDescription, TheFirstFilterReportInAnyCaseIsTheOne)
{
    const Read r("{r={id=1}{nam=A}{idf=inny}}{r={id=2}{nam=B}{idf=FILTR}}"
                 "{r={id=3}{nam=C}{idf=filtr}}");
    ASSERT_EQ(r.error, QString());
    EXPECT_EQ(r.d.filterReport, 1);
    ASSERT_NE(FindReportByIdf(r.d, S("Filtr")), nullptr);
    EXPECT_EQ(FindReportByIdf(r.d, S("Filtr"))->name, S("B"));
    ASSERT_NE(FindReportByName(r.d, S("c")), nullptr);
    EXPECT_EQ(FindReportByName(r.d, S("c"))->identifier, 3);
    EXPECT_EQ(FindReportByIdf(r.d, S("brak")), nullptr);
}

TEST(StructureDescription, NumbersThatAreNotNumbersStopTheReading)
{
    struct Case
    {
        const char* structure;
        const char* error;
    };
    const Case cases[] = {
        /* 0*/ {
            "{x={nam=a}{tab=x2}{ind=1}}",
            "Błąd opisu katalogu: \"tab\" w rekordzie \"x\" nie jest liczbą całkowitą (\"x2\")"},
        // The kind is one byte, an identifier 16 bits.
        /* 1*/
        {"{x={nam=a}{tab=256}{ind=1}}",
         "Błąd opisu katalogu: \"tab\" w rekordzie \"x\" nie jest liczbą całkowitą (\"256\")"},
        /* 2*/
        {"{x={nam=a}{tab=1}{ind=}}",
         "Błąd opisu katalogu: \"ind\" w rekordzie \"x\" nie jest liczbą całkowitą (\"\")"},
        /* 3*/
        {"{f={nam=a}{id=1.5}}",
         "Błąd opisu katalogu: \"id\" w rekordzie \"f\" nie jest liczbą całkowitą (\"1.5\")"},
        /* 4*/
        {"{r={nam=a}{id=40000}}",
         "Błąd opisu katalogu: \"id\" w rekordzie \"r\" nie jest liczbą całkowitą "
         "(\"40000\")"},
        /* 5*/
        {"{r={nam=a}}",
         "Błąd opisu katalogu: \"id\" w rekordzie \"r\" nie jest liczbą całkowitą (\"\")"},
        /* 6*/
        {"{w={id=K}{x={nam=a}{tab=1}{ind=z}}}",
         "Błąd opisu katalogu: \"ind\" w rekordzie \"x\" nie jest liczbą całkowitą (\"z\")"},
    };
    for (const Case& c : cases) {
        CatalogDescription d;
        EXPECT_EQ(ReadStructureDescription(S(c.structure), nullptr, d), S(c.error)) << c.structure;
    }
    // Blanks around a number are the writer's, not part of it.
    const Read spaced("{x={nam=a}{tab= 7 }{ind=-1}}");
    EXPECT_EQ(spaced.error, QString());
}

TEST(AgendaNumber, IsTheNumberAfterTheServiceInTheRights)
{
    struct Case
    {
        const char* rights;
        const char* service;
        qint16 number;
    };
    const Case cases[] = {
        /* 0*/ {"czytelnia=12;katalog;", "czytelnia", 12},
        /* 1*/ {"katalog;czytelnia=7", "czytelnia", 7},
        /* 2*/ {"czytelnia=a;", "czytelnia", 0},
        /* 3*/ {"czytelnia;", "czytelnia", 0},
        /* 4*/ {"katalog;", "czytelnia", 0},
        /* 5*/ {"czytelnia=", "czytelnia", 0},
        /* 6*/ {"czytelnia", "czytelnia", 0},
        /* 7*/ {"czytelnia=70000;", "czytelnia", 0},
        // The first occurrence decides, even inside another right's name.
        /* 8*/ {"xczytelnia;czytelnia=3;", "czytelnia", 0},
        /* 9*/ {"czytelnia=3;", "", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AgendaNumberIn(S(c.rights), S(c.service)), c.number) << c.rights;
}

} // namespace
