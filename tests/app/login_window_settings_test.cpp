#include "app/login_window_settings.h"

#include "config/ini_file.h"
#include "config/multi_ini_file.h"

#include "../config/config_test_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CatalogMenuNode Catalog(const char* caption, const char* address, qint32 port, const char* user)
{
    CatalogMenuNode node;
    node.caption = U(caption);
    node.address = U(address);
    node.port = port;
    node.user = U(user);
    return node;
}

// A catalog at the top, two with port 6000 in a group, one with port 7000.
CatalogMenu Menu()
{
    CatalogMenuNode group;
    group.group = true;
    group.caption = U("Filie");
    group.children.push_back(Catalog("&Północ", "10.0.0.2", 6000, "b"));
    group.children.push_back(Catalog("Południe", "10.0.0.3", 6000, "c"));
    CatalogMenu menu;
    menu.push_back(Catalog("Główny", "10.0.0.1", 8000, "a"));
    menu.push_back(std::move(group));
    menu.push_back(Catalog("Zapasowy", "10.0.0.9", 7000, "d"));
    return menu;
}

QString Describe(const CurrentCatalog& catalog)
{
    return QStringLiteral("%1|%2|%3|%4")
        .arg(catalog.address)
        .arg(catalog.port)
        .arg(catalog.label, catalog.user);
}

TEST(LoginWindowSettings, StartsWithTheLastCatalogOrTheOneWithItsPort)
{
    const struct
    {
        const char* lastAddress;
        qint32 lastPort;
        const char* lastLabel;
        const char* configuredLabel;
        int answer;          // what the catalog choice returns
        const char* offered; // the NamePaths it was given; "-" when not asked
        const char* current; // address|port|label|user afterwards
    } rows[] = {
        // The menu still has the last login's catalog: all of it stays.
        /* 0*/ {"10.0.0.2", 6000, "Stara", "Konf", 0, "-", "10.0.0.2|6000|Stara|x"},
        /* 1*/ {"10.0.0.2", 6000, "", "Konf", 0, "-", "10.0.0.2|6000|10.0.0.2:6000|x"},
        // The address changed: the one catalog with the port is taken unasked.
        /* 2*/ {"10.9.9.9", 7000, "Stara", "Konf", 0, "-", "10.0.0.9|7000|Zapasowy|d"},
        // Several with the port: the operator picks one, or none.
        /* 3*/
        {"10.0.0.5", 6000, "Stara", "Konf", 1, "Północ [Filie],Południe [Filie]",
         "10.0.0.3|6000|Południe [Filie]|c"},
        /* 4*/
        {"10.0.0.5", 6000, "Stara", "Konf", -1, "Północ [Filie],Południe [Filie]",
         "192.168.0.1|9000|Konf|cfg"},
        /* 5*/
        {"10.0.0.5", 6000, "Stara", "Konf", 2, "Północ [Filie],Południe [Filie]",
         "192.168.0.1|9000|Konf|cfg"},
        // The same address with another port is another catalog.
        /* 6*/
        {"10.0.0.1", 6000, "Stara", "Konf", 0, "Północ [Filie],Południe [Filie]",
         "10.0.0.2|6000|Północ [Filie]|b"},
        // The first run: no catalog has port 0, the configured values stay.
        /* 7*/ {"", 0, "", "Konf", 0, "-", "192.168.0.1|9000|Konf|cfg"},
        /* 8*/ {"", 0, "", "", 0, "-", "192.168.0.1|9000|192.168.0.1:9000|cfg"},
        // No catalog with the last port either.
        /* 9*/ {"10.0.0.5", 5000, "Stara", "Konf", 0, "-", "192.168.0.1|9000|Konf|cfg"},
    };
    const CatalogMenu menu = Menu();
    for (size_t i = 0; i < std::size(rows); ++i) {
        LoginWindowSettings settings;
        settings.current = {U("192.168.0.1"), 9000, U(rows[i].configuredLabel), U("cfg")};
        settings.last = {U(rows[i].lastAddress), rows[i].lastPort, U(rows[i].lastLabel), U("x")};
        QString offered = QStringLiteral("-");
        ChooseStartingCatalog(settings, menu, [&](const QStringList& namePaths) {
            offered = namePaths.join(QLatin1Char(','));
            return rows[i].answer;
        });
        EXPECT_EQ(offered, U(rows[i].offered)) << i;
        EXPECT_EQ(Describe(settings.current), U(rows[i].current)) << i;
    }
}

TEST(LoginWindowSettings, ACatalogNeedsAnAddressAndAPort)
{
    const QString error = U("Błąd konfiguracji katalogu!");
    EXPECT_EQ(CatalogConfigurationError({U(""), 8000, U("x"), U("u")}), error);
    EXPECT_EQ(CatalogConfigurationError({U("10.0.0.1"), 0, U("x"), U("u")}), error);
    EXPECT_EQ(CatalogConfigurationError({U("10.0.0.1"), 8000, U(""), U("")}), QString());
}

TEST(LoginWindowSettings, WrittenValuesAreReadBack)
{
    const QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("c.ini"));
    ASSERT_TRUE(WriteBytes(path, "; the lending desk\n"
                                 "[WYPOŻYCZALNIA]\nnazwa=Główna\nuser=kasia\nlastport=12\n"
                                 "[PLIK %INI%inne.ini]\n"));
    // The address and port may come from an included file.
    ASSERT_TRUE(WriteBytes(QDir(dir.path()).filePath(QStringLiteral("inne.ini")),
                           "[WYPOŻYCZALNIA]\nip=10.1.1.1\nport=8001\n"));

    const LoginWindowSettings read = ReadLoginWindowSettings(TMultiIniFile(path));
    EXPECT_EQ(Describe(read.current), U("10.1.1.1|8001|Główna|kasia"));
    EXPECT_EQ(Describe(read.last), U("|12||"));
    EXPECT_EQ(read.top, 0);
    EXPECT_EQ(read.left, 0);

    LoginWindowSettings written = read;
    written.last = {U("10.2.2.2"), 6000, U("Północ [Filie]"), U("żaneta")};
    written.top = 120;
    written.left = -40;
    IniFile plain(path);
    ASSERT_EQ(WriteLoginWindowSettings(plain, written), QString());

    const LoginWindowSettings again = ReadLoginWindowSettings(TMultiIniFile(path));
    EXPECT_EQ(Describe(again.current), Describe(read.current));
    EXPECT_EQ(Describe(again.last), U("10.2.2.2|6000|Północ [Filie]|żaneta"));
    EXPECT_EQ(again.top, 120);
    EXPECT_EQ(again.left, -40);
    EXPECT_TRUE(ReadBytes(path).startsWith("; the lending desk\n"));
}

} // namespace
