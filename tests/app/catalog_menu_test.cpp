#include "app/catalog_menu.h"

#include "config/multi_ini_file.h"

#include "../config/config_test_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// One line per item, indented by depth: "G caption" for a group,
// "K caption|address|port|user" for a catalog.
void Dump(const CatalogMenu& items, int depth, QStringList& lines)
{
    for (const CatalogMenuNode& item : items) {
        const QString indent(depth * 2, QLatin1Char(' '));
        if (item.group) {
            lines.append(indent + QStringLiteral("G ") + item.caption);
            Dump(item.children, depth + 1, lines);
        } else {
            lines.append(indent + QStringLiteral("K %1|%2|%3|%4")
                                      .arg(item.caption, item.address)
                                      .arg(item.port)
                                      .arg(item.user));
        }
    }
}

QString Dump(const CatalogMenu& menu)
{
    QStringList lines;
    Dump(menu, 0, lines);
    return lines.join(QLatin1Char('\n'));
}

// The main file groups catalogs and pulls in three long files: kat.ini once
// under the prefix K2, which makes its sections no catalogs, once under no
// prefix, and zdalne.ini under the prefix KATALOG2, which makes its sections
// catalogs of group GRUPA2.
class CatalogMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QDir root(m_dir.path());
        m_path = root.filePath(QStringLiteral("main.ini"));
        ASSERT_TRUE(WriteBytes(m_path, "[WYPOŻYCZALNIA]\nip=10.0.0.1\n"
                                       "[GRUPA1]\nnazwa=&Biblioteka główna\n"
                                       "[KATALOG1a]\nnazwa=Czytelnia &A\nip=10.0.0.5\n"
                                       "PORT= 6000 \nuser=anna\n"
                                       "[GRUPA1x]\nnazwa=Filia\n"
                                       "[KATALOG1xA]\nnazwa=Filia 1\nport=abc\n"
                                       // Upper case only: this is no catalog.
                                       "[katalog1c]\nnazwa=Mały\n"
                                       "[KATALOG1b]\nnazwa=B\nport=\n"
                                       "[OKNO]\ngora=5\n"
                                       "[KATALOG2]\n"
                                       "[GRUPA2]\nnazwa=\n"
                                       "[KATALOG2z]\nnazwa=Zdalny\nip=https://nura.example\n"
                                       "[PLIK K2|%INI%kat.ini]\n"
                                       "[PLIK KATALOG2|%INI%zdalne.ini]\n"
                                       "[PLIK %INI%kat.ini]\n"));
        ASSERT_TRUE(WriteBytes(root.filePath(QStringLiteral("kat.ini")),
                               "[KATALOG1]\nnazwa=Zdalny katalog\nip=192.168.7.7\n"
                               // A blank before "=" makes another key.
                               "port = 7000\nuser=jan\n"
                               "[GRUPA9]\nnazwa=Zagraniczne\n"
                               "[KATALOG9]\nnazwa=Berlin\nnazwa=Drugi\n"));
        ASSERT_TRUE(WriteBytes(root.filePath(QStringLiteral("zdalne.ini")),
                               "[x]\nnazwa=Iks\nport=7001\n[y]\nip=10.2.2.2\n"));
    }

    QTemporaryDir m_dir;
    QString m_path;
};

TEST_F(CatalogMenuTest, GroupsHoldTheSectionsThatCarryTheirSuffix)
{
    const CatalogMenu menu = BuildCatalogMenu(TMultiIniFile(m_path));
    EXPECT_EQ(Dump(menu), U("G &Biblioteka główna\n"
                            "  K Czytelnia &A|10.0.0.5|6000|anna\n"
                            "  G Filia\n"
                            "    K Filia 1|127.0.0.1|8000|\n"
                            "  K B|127.0.0.1|8000|\n"
                            "K Bez nazwy|127.0.0.1|8000|\n"
                            "G \n"
                            "  K Zdalny|https://nura.example|8000|\n"
                            "  K Iks|127.0.0.1|7001|\n"
                            "  K Bez nazwy|10.2.2.2|8000|\n"
                            "K Zdalny katalog|192.168.7.7|8000|jan\n"
                            "G Zagraniczne\n"
                            "  K Berlin|127.0.0.1|8000|"));
}

TEST_F(CatalogMenuTest, EntriesAreListedDepthFirstWithTheirNamePaths)
{
    const CatalogMenu menu = BuildCatalogMenu(TMultiIniFile(m_path));
    QStringList paths;
    for (const CatalogEntry& entry : CatalogEntries(menu))
        paths.append(entry.namePath + QLatin1Char('|') + entry.node->address);
    EXPECT_EQ(paths.join(QLatin1Char('\n')), U("Czytelnia A [Biblioteka główna]|10.0.0.5\n"
                                               "Filia 1 [Biblioteka główna. Filia]|127.0.0.1\n"
                                               "B [Biblioteka główna]|127.0.0.1\n"
                                               "Bez nazwy|127.0.0.1\n"
                                               "Zdalny|https://nura.example\n"
                                               "Iks|127.0.0.1\n"
                                               "Bez nazwy|10.2.2.2\n"
                                               "Zdalny katalog|192.168.7.7\n"
                                               "Berlin [Zagraniczne]|127.0.0.1"));
}

TEST(CatalogMenu, NamePathJoinsTheGroupsOutermostFirst)
{
    const struct
    {
        const char* caption;
        std::vector<const char*> ancestors; // nearest first
        const char* path;
    } rows[] = {
        /* 0*/ {"Główny", {}, "Główny"},
        /* 1*/ {"K", {"Wewnątrz", "Zewnątrz"}, "K [Zewnątrz. Wewnątrz]"},
        // Only the first "&" goes; empty captions, also after that, are left out.
        /* 2*/ {"&&A&B", {"", "&", "&G&1"}, "&A&B [G&1]"},
        /* 3*/ {"", {"G"}, " [G]"},
        /* 4*/ {"K", {"", ""}, "K"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        QStringList ancestors;
        for (const char* ancestor : rows[i].ancestors)
            ancestors.append(U(ancestor));
        EXPECT_EQ(NamePath(U(rows[i].caption), ancestors), U(rows[i].path)) << i;
    }
}

} // namespace
