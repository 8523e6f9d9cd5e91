#include "config/ini_file.h"

#include "config_test_files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(IniFile, Reads)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    ASSERT_TRUE(WriteBytes(path, "; Gora=0\r\n"
                                 "  [ Okno ]  text after the bracket\r\n"
                                 "Gora = 12\r\n"
                                 "gora=99\r\n"
                                 "Cytat = \"  a b  \"\r\n"
                                 "bez znaku równości\r\n"
                                 "[Liczby\r\n"
                                 "spacje=  -42  \r\n"
                                 "duza=4294967296\r\n"
                                 "min=-2147483648\r\n"
                                 "hex=0x10\r\n"
                                 "[OKNO]\r\n"
                                 "inny=1\r\n"
                                 "[ZAŻÓŁĆ]\r\n"
                                 "x=1\r\n"));
    const IniFile ini(path);
    const struct
    {
        const char* section;
        const char* key;
        const char* text; // default "<d>"
        int integer;      // default 3
    } rows[] = {
        /* 0*/ {" okno ", " GORA ", "12", 12},
        /* 1*/ {"Okno", "Cytat", "  a b  ", 3},
        /* 2*/ {"Okno", "bez znaku równości", "<d>", 3},
        /* 3*/ {"Okno", "inny", "<d>", 3},     // only the first section of a name counts
        /* 4*/ {"Okno", "spacje", "-42", -42}, // "[Liczby" opens no section
        /* 5*/ {"Okno", "duza", "4294967296", 3},
        /* 6*/ {"Okno", "min", "-2147483648", -2147483647 - 1},
        /* 7*/ {"Okno", "hex", "0x10", 3},
        /* 8*/ {"zażółć", "X", "1", 1},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const QString section = U(rows[i].section);
        const QString key = U(rows[i].key);
        EXPECT_EQ(ini.ReadString(section, key, U("<d>")), U(rows[i].text)) << "row " << i;
        EXPECT_EQ(ini.ReadInteger(section, key, 3), rows[i].integer) << "row " << i;
    }
    EXPECT_EQ(ini.ReadSections(), QStringList({U("Okno"), U("ZAŻÓŁĆ")}));
    EXPECT_EQ(ini.ReadSectionValues(U("OKNO")).join(QLatin1Char('|')),
              U("Gora=12|Cytat=  a b  |spacje=-42|duza=4294967296|min=-2147483648|hex=0x10"));
}

TEST(IniFile, WriteChangesOneEntryAndKeepsTheRest)
{
    const struct
    {
        const char* before; // null: no file yet
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    } rows[] = {
        // In place, with the key's spelling, its blanks and the CR LF breaks.
        /* 0*/ {"; c\r\n[Okno]\r\nGora = \"1\"\r\nlewo=2\r\n", "OKNO", "gora", "30",
                "; c\r\n[Okno]\r\nGora = 30\r\nlewo=2\r\n"},
        /* 1*/ {"[A]\nx=1\nx=2\n", "A", "x", "9", "[A]\nx=9\nx=2\n"},
        // A new key goes after the section's last entry, before blanks and comments.
        /* 2*/
        {"[A]\nx=1\n\n; note\n[B]\ny=2\n", "a", "z", "3", "[A]\nx=1\nz=3\n\n; note\n[B]\ny=2\n"},
        // A new section goes at the end; a missing final break stays missing.
        /* 3*/ {"[A]\rx=1", "C", "k", "v", "[A]\rx=1\r\r[C]\rk=v"},
        /* 4*/ {nullptr, "S", "k", "ł", "[S]\nk=\xC5\x82\n"},
        // An 8-bit file stays 8-bit unless the page cannot hold the new text,
        // or its bytes would pass for UTF-8 ("Ăł" is C3 B3, UTF-8 for "ó").
        /* 5*/ {"[A]\nx=\xB3\n", "A", "y", "ż", "[A]\nx=\xB3\ny=\xBF\n"},
        /* 6*/ {"[A]\nx=\xB3\n", "A", "y", "Ж", "[A]\nx=\xC5\x82\ny=\xD0\x96\n"},
        /* 7*/ {"[A]\nx=\xB3\n", "A", "x", "Ăł", "[A]\nx=\xC4\x82\xC5\x82\n"},
        /* 8*/ {"\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "ł", "\xEF\xBB\xBF[A]\r\nx=\xC5\x82\r\n"},
    };
    QTemporaryDir dir;
    for (size_t i = 0; i < std::size(rows); ++i) {
        const QString path = dir.filePath(QString::number(i));
        if (rows[i].before) {
            ASSERT_TRUE(WriteBytes(path, rows[i].before));
        }
        IniFile ini(path);
        const QString section = U(rows[i].section);
        const QString key = U(rows[i].key);
        EXPECT_EQ(ini.WriteString(section, key, U(rows[i].value)), QString()) << "row " << i;
        EXPECT_EQ(ReadBytes(path), QByteArray(rows[i].after)) << "row " << i;
        EXPECT_EQ(IniFile(path).ReadString(section, key, QString()), U(rows[i].value))
            << "row " << i;
    }
}

TEST(IniFile, WriteKeepsChangesMadeSinceLoading)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    ASSERT_TRUE(WriteBytes(path, "[OKNO]\ngora=1\n"));
    IniFile ini(path);
    ASSERT_TRUE(WriteBytes(path, "[OKNO]\ngora=1\n[TCP]\ntimeout=60\n"));
    EXPECT_EQ(ini.WriteInteger(U("OKNO"), U("lewo"), -5), QString());
    EXPECT_EQ(ini.WriteBool(U("CZYTELNIA"), U("nawierzchu"), false), QString());
    EXPECT_EQ(
        ReadBytes(path),
        QByteArray("[OKNO]\ngora=1\nlewo=-5\n[TCP]\ntimeout=60\n\n[CZYTELNIA]\nnawierzchu=0\n"));
    EXPECT_EQ(ini.ReadInteger(U("TCP"), U("timeout"), 0), 60);
}

TEST(IniFile, WriteFailuresAreTexts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("brak/a.ini"));
    IniFile ini(path);
    EXPECT_EQ(ini.WriteString(U("A"), U("x"), U("1")),
              U("Nie można zapisać pliku konfiguracji ") + path);
    EXPECT_EQ(ini.WriteString(U("A"), U("x"), U("1\r\n[B]")),
              U("Niedozwolony wpis pliku konfiguracji [A] x"));
}
