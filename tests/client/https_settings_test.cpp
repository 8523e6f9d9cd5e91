#include "client/https_settings.h"

#include "config/config_path.h"
#include "config/ini_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct SettingsRow
{
    const char* ini;
    HttpsSettings before;
    const char* caFile; // "@" stands for the configuration's folder
    bool verify;
};

TEST(HttpsSettings, ReadFromTheConfiguration)
{
    const HttpsSettings plain;
    const HttpsSettings custom{QStringLiteral("/etc/stary.pem"), false};
    const SettingsRow rows[] = {
        /* 0*/ {"", plain, "", true},
        /* 1*/ {"", custom, "/etc/stary.pem", false},
        /* 2*/
        {"[HTTPS]\ncafile=/etc/ssl/serwer.pem\nweryfikacja=0\n", plain, "/etc/ssl/serwer.pem",
         false},
        /* 3*/ {"[https]\nCAFILE=.\\certy\\serwer.pem\n", custom, "@certy/serwer.pem", false},
        /* 4*/ {"[HTTPS]\nweryfikacja=1\n", custom, "/etc/stary.pem", true},
        /* 5*/ {"[HTTPS]\ncafile=\n", custom, "", false},
        /* 6*/
        {"[GLOBAL]\nCERTY=%INI%klucze\\\n[HTTPS]\ncafile=%CERTY%główny.pem\n", plain,
         "@klucze/główny.pem", true},
        /* 7*/
        {"[GLOBAL]\nKAT=pem\n[HTTPS]\ncafile=%KAT%/a.pem\nweryfikacja=7\n", custom, "@pem/a.pem",
         true},
    };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("czytelnia.ini"));
    const QString configFolder = FolderOf(path);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const SettingsRow& row = rows[i];
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(row.ini);
        file.close();
        SetHttpsSettings(row.before);
        ApplyConfiguredHttps(IniFile(path), configFolder);
        const HttpsSettings settings = ConfiguredHttpsSettings();
        QString expected = QString::fromUtf8(row.caFile);
        expected.replace(QLatin1Char('@'), configFolder);
        EXPECT_EQ(settings.caFile, expected) << i;
        EXPECT_EQ(settings.verify, row.verify) << i;
    }
    SetHttpsSettings(HttpsSettings());
}

} // namespace
