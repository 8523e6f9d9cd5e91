#include "config/code_page_setting.h"

#include "client/ansi_code_page.h"
#include "config/ini_file.h"
#include "config_test_files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ApplyConfiguredCodePage, SelectsThePageForLaterFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    // 0xB3 is "³" in windows-1252 and "ł" in windows-1250.
    ASSERT_TRUE(WriteBytes(path, "[SYSTEM]\ncodepage = 1252\n[A]\nx=\xB3\n"));
    EXPECT_EQ(ApplyConfiguredCodePage(path), QString());
    EXPECT_EQ(CurrentAnsiCodePage().number, 1252);
    EXPECT_EQ(IniFile(path).ReadString(U("A"), U("x"), QString()), U("³"));

    ASSERT_TRUE(WriteBytes(path, "[SYSTEM]\ncodepage=99999\n"));
    EXPECT_EQ(ApplyConfiguredCodePage(path), U("Nieznana strona kodowa 99999"));
    EXPECT_EQ(CurrentAnsiCodePage().number, 1252);

    EXPECT_EQ(ApplyConfiguredCodePage(dir.filePath(QStringLiteral("brak.ini"))), QString());
    EXPECT_EQ(CurrentAnsiCodePage().number, 1250);
}
