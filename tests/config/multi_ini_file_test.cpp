#include "config/multi_ini_file.h"

#include "config_test_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// conf/main.ini includes conf/kat.ini twice (prefixes K2 and Z), wspolne/inne.ini
// through a relative Windows path, and a missing file between them.
class MultiIniFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QDir root(m_dir.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("conf")) && root.mkpath(QStringLiteral("wspolne")));
        m_path = root.filePath(QStringLiteral("conf/main.ini"));
        ASSERT_TRUE(WriteBytes(m_path, "[GLOBAL]\nkat=kat.ini\n"
                                       "[WYPOŻYCZALNIA]\nip=192.168.1.5\n"
                                       "[PLIK K2 |%INI%%kat%]\n"
                                       "[KATALOG0]\nnazwa=Lokalny\n"
                                       "[PLIK ..\\wspolne\\inne.ini]\n"
                                       "[PLIK X|brak.ini]\n"
                                       "[plik Y|kat.ini]\n"
                                       "[PLIK Z|.\\kat.ini]\n"));
        ASSERT_TRUE(WriteBytes(root.filePath(QStringLiteral("conf/kat.ini")),
                               "[KATALOG1]\nnazwa=Zdalny\nport=8001\n"
                               "[WYPOŻYCZALNIA]\nip=10.1.1.1\n"));
        ASSERT_TRUE(WriteBytes(root.filePath(QStringLiteral("wspolne/inne.ini")),
                               "[KATALOG7]\nnazwa=Wspólny\n"
                               "[KATALOG0]\nnazwa=Wspólny 0\nport=7000\n"
                               "[WYPOŻYCZALNIA]\nport=9000\n"));
    }
    QTemporaryDir m_dir;
    QString m_path;
};

TEST_F(MultiIniFileTest, SectionsOfIncludesTakeTheirPlace)
{
    EXPECT_EQ(TMultiIniFile(m_path).ReadSections().join(QLatin1Char(',')),
              U("GLOBAL,WYPOŻYCZALNIA,K2KATALOG1,K2WYPOŻYCZALNIA,KATALOG0,KATALOG7,KATALOG0,"
                "WYPOŻYCZALNIA,plik Y|kat.ini,ZKATALOG1,ZWYPOŻYCZALNIA"));
}

TEST_F(MultiIniFileTest, ReadsAskThePlainFileFirst)
{
    const TMultiIniFile ini(m_path);
    const struct
    {
        const char* section;
        const char* key;
        const char* text;  // ReadString, default "<d>"
        int integer;       // ReadInteger, default -1
        const char* lines; // ReadSectionValues joined with "|"
    } rows[] = {
        /* 0*/ {"WYPOŻYCZALNIA", "ip", "192.168.1.5", -1, "ip=192.168.1.5"},
        /* 1*/ {"wypożyczalnia", "port", "9000", 9000, "ip=192.168.1.5"},
        /* 2*/ {"K2KATALOG1", "PORT", "8001", 8001, "nazwa=Zdalny|port=8001"},
        /* 3*/ {"KATALOG0", "nazwa", "Lokalny", -1, "nazwa=Lokalny"},
        /* 4*/ {"KATALOG0", "port", "7000", 7000, "nazwa=Lokalny"},
        /* 5*/ {"KATALOG7", "nazwa", "Wspólny", -1, "nazwa=Wspólny"},
        /* 6*/ {"ZKATALOG1", "nazwa", "Zdalny", -1, "nazwa=Zdalny|port=8001"},
        /* 7*/ {"k2KATALOG1", "nazwa", "<d>", -1, ""}, // prefixes are matched with case
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const QString section = U(rows[i].section);
        const QString key = U(rows[i].key);
        EXPECT_EQ(ini.ReadString(section, key, U("<d>")), U(rows[i].text)) << "row " << i;
        EXPECT_EQ(ini.ReadInteger(section, key, -1), rows[i].integer) << "row " << i;
        QStringList lines;
        ini.ReadSectionValues(section, lines);
        EXPECT_EQ(lines.join(QLatin1Char('|')), U(rows[i].lines)) << "row " << i;
    }
}
