#include "config/long_ini_file.h"

#include "config_test_files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(LongIniFile, ReadsKeysAsWrittenAndWholeLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kat.ini"));
    ASSERT_TRUE(WriteBytes(path, "wpis=przed sekcjami\r\n"
                                 "[KATALOG1]\r\n"
                                 "nazwa = Biblioteka G\xC5\x82\xC3\xB3wna  \r"
                                 "Nazwa=druga\n"
                                 "ip=10.0.0.1=x\r\n"
                                 "# port=1\r\n"
                                 "=bez klucza\r\n"
                                 "\t port=  8000\r\n"
                                 "pusty=\r\n"
                                 "dlugi=" +
                                     QByteArray(5000, 'v') +
                                     "\r\n"
                                     "  [katalog1]  \r\n"
                                     "port=1\r\n"
                                     "[Pusta]\r\n"
                                     "\r\n"
                                     "[Ostatnia]\r\n"));
    const TLongIniFile file(path);
    const struct
    {
        const char* key;
        const char* text; // default "<d>"
        int integer;      // default 7
    } rows[] = {
        /* 0*/ {"NAZWA ", " Biblioteka Główna", 7}, // the blank before "=" belongs to the key
        /* 1*/ {"nazwa", "druga", 7},
        /* 2*/ {"ip", "10.0.0.1=x", 7},
        /* 3*/ {"# port", "<d>", 7},
        /* 4*/ {"port", "  8000", 8000},
        /* 5*/ {"pusty", "<d>", 7},
        /* 6*/ {"wpis", "<d>", 7},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const QString key = U(rows[i].key);
        EXPECT_EQ(file.ReadString(U("katalog1"), key, U("<d>")), U(rows[i].text)) << "row " << i;
        EXPECT_EQ(file.ReadInteger(U("katalog1"), key, 7), rows[i].integer) << "row " << i;
    }
    EXPECT_TRUE(file.ValueExists(U("KATALOG1"), U("pusty")));
    EXPECT_EQ(file.ReadString(U("KATALOG1"), U("dlugi"), QString()).size(), 5000);
    // A repeated name is listed again; a header on the last line is not listed.
    EXPECT_EQ(file.ReadSections(), QStringList({U("KATALOG1"), U("katalog1"), U("Pusta")}));
    QStringList lines{U("przed")};
    file.ReadSectionValues(U("Katalog1"), lines);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines.mid(0, 4).join(QLatin1Char('|')),
              U("przed|nazwa = Biblioteka Główna|Nazwa=druga|ip=10.0.0.1=x"));
}
