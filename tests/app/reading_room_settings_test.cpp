#include "app/reading_room_settings.h"

#include "config/ini_file.h"
#include "config/ini_macro.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool WriteText(const QString& path, const char* utf8)
{
    QFile file(path);
    const QByteArray bytes(utf8);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// One 1920 x 1080 screen and a 400 x 300 window: centred at (760, 390).
const ScreenGeometry kScreen{{1920, 1080}, {1920, 1080}, {400, 300}};

class ReadingRoomSettingsTest : public ::testing::Test
{
protected:
    ReadingRoomSettings Read(const char* ini, const ScreenGeometry& screens = kScreen)
    {
        EXPECT_TRUE(WriteText(m_path, ini));
        const IniFile file(m_path);
        const MacroTable macros = MacroTable::Build(file, ConfigFolder());
        return ReadReadingRoomSettings(file, macros, screens, ProgramFolder());
    }
    QString ConfigFolder() const { return m_dir.path() + QStringLiteral("/cfg/"); }
    QString ProgramFolder() const { return m_dir.path() + QStringLiteral("/prog/"); }

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(QStringLiteral("czytelnia.ini"));
};

TEST_F(ReadingRoomSettingsTest, Defaults)
{
    const ReadingRoomSettings settings = Read("");
    EXPECT_EQ(settings.top, 390);
    EXPECT_EQ(settings.left, 760);
    EXPECT_EQ(settings.workingFolder, ProgramFolder());
    EXPECT_EQ(settings.lastValues, QString());
    EXPECT_TRUE(settings.onTop);
    EXPECT_EQ(settings.buttonHeight, 30);
    EXPECT_EQ(settings.buttonWidth, 100);
}

TEST_F(ReadingRoomSettingsTest, WindowPosition)
{
    const struct
    {
        const char* ini;
        int top;
        int left;
    } rows[] = {
        /* 0*/ {"[OKNO]\ngora=100\nlewo=200\n", 100, 200},
        /* 1*/ {"[OKNO]\ngora=5000\nlewo=1919\n", 390, 1919}, // off the screen: centred
        /* 2*/ {"[OKNO]\ngora=1048\nlewo=1920\n", 1048, 760}, // the last top kept; left == width
        /* 3*/ {"[OKNO]\ngora=1049\n", 390, 760},
        /* 4*/ {"[OKNO]\ngora=-20\nlewo=-1500\n", -20, -1500}, // a monitor left of the primary
        /* 5*/ {"[OKNO]\ngora=abc\n", 390, 760},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const ReadingRoomSettings settings = Read(rows[i].ini);
        EXPECT_EQ(settings.top, rows[i].top) << "row " << i;
        EXPECT_EQ(settings.left, rows[i].left) << "row " << i;
    }
    // A second monitor widens the desktop beyond the primary screen.
    const ScreenGeometry two{{1920, 1080}, {3840, 1200}, {400, 300}};
    const ReadingRoomSettings wide = Read("[OKNO]\ngora=1100\nlewo=2500\n", two);
    EXPECT_EQ(wide.top, 1100);
    EXPECT_EQ(wide.left, 2500);
}

TEST_F(ReadingRoomSettingsTest, WorkingFolder)
{
    const QString parent = QDir::cleanPath(m_dir.path()) + QLatin1Char('/');
    const struct
    {
        const char* ini;
        QString folder;
    } rows[] = {
        /* 0*/ {"[WYPOŻYCZALNIA]\ntmp=.\\tmp\\\n", ProgramFolder() + QStringLiteral("tmp/")},
        /* 1*/ {"[WYPOŻYCZALNIA]\ntmp=..\\x\n", parent + QStringLiteral("x/")},
        /* 2*/
        {"[WYPOŻYCZALNIA]\ntmp=%INI%robocze\\\n", ConfigFolder() + QStringLiteral("robocze/")},
        /* 3*/
        {"[GLOBAL]\nDANE=%INI%dane\n[WYPOŻYCZALNIA]\ntmp=%DANE%\\tmp\n",
         ConfigFolder() + QStringLiteral("dane/tmp/")},
        /* 4*/ {"[WYPOŻYCZALNIA]\ntmp=\n", ProgramFolder()},
        /* 5*/ {"[wypożyczalnia]\nTMP=/var/tmp/czytelnia\n", QStringLiteral("/var/tmp/czytelnia/")},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(Read(rows[i].ini).workingFolder, rows[i].folder) << "row " << i;
}

TEST_F(ReadingRoomSettingsTest, OtherValues)
{
    const ReadingRoomSettings settings = Read("[ZESTAWIENIA]\nwartości=DZIEN|08.12.2026|\n"
                                              "[CZYTELNIA]\nnawierzchu=0\ndy=45\ndx=150\n");
    EXPECT_EQ(settings.lastValues, QStringLiteral("DZIEN|08.12.2026|"));
    EXPECT_FALSE(settings.onTop);
    EXPECT_EQ(settings.buttonHeight, 45);
    EXPECT_EQ(settings.buttonWidth, 150);

    // Sizes no menu choice gives and that would break the layout: defaults.
    const ReadingRoomSettings odd = Read("[CZYTELNIA]\ndy=0\ndx=2000000000\n");
    EXPECT_EQ(odd.buttonHeight, 30);
    EXPECT_EQ(odd.buttonWidth, 100);
}

TEST_F(ReadingRoomSettingsTest, PrepareWorkingFolder)
{
    const QString nested = m_dir.filePath(QStringLiteral("a/b/c/"));
    EXPECT_EQ(PrepareWorkingFolder(nested), QString());
    EXPECT_TRUE(QDir(nested).exists());
    EXPECT_EQ(PrepareWorkingFolder(nested), QString()); // already there

    // A file where the folder should be.
    ASSERT_TRUE(WriteText(m_dir.filePath(QStringLiteral("plik")), "x"));
    EXPECT_EQ(PrepareWorkingFolder(m_dir.filePath(QStringLiteral("plik/tmp/"))),
              QStringLiteral("Błąd konfiguracji - nie można utworzyć folderu roboczego"));
}

TEST_F(ReadingRoomSettingsTest, WriteKeepsOtherLines)
{
    ASSERT_TRUE(WriteText(m_path, "; ustawienia\n[OKNO]\ngora=1\n[TCP]\ntimeout=30\n"));
    ReadingRoomSettings settings;
    settings.top = -12;
    settings.left = 340;
    settings.lastValues = QStringLiteral("OD|A|");
    settings.onTop = false;
    settings.buttonHeight = 36;
    settings.buttonWidth = 120;
    {
        IniFile file(m_path);
        EXPECT_EQ(WriteReadingRoomSettings(file, settings), QString());
    }
    EXPECT_EQ(ReadText(m_path), QByteArray("; ustawienia\n[OKNO]\ngora=-12\nlewo=340\n"
                                           "[TCP]\ntimeout=30\n\n"
                                           "[ZESTAWIENIA]\nwartości=OD|A|\n\n"
                                           "[CZYTELNIA]\nnawierzchu=0\ndy=36\ndx=120\n"));

    const ReadingRoomSettings back = Read(ReadText(m_path).constData());
    EXPECT_EQ(back.top, -12);
    EXPECT_EQ(back.left, 340);
    EXPECT_EQ(back.lastValues, settings.lastValues);
    EXPECT_FALSE(back.onTop);
    EXPECT_EQ(back.buttonHeight, 36);
    EXPECT_EQ(back.buttonWidth, 120);
}

TEST_F(ReadingRoomSettingsTest, ARefusedValueStillWritesTheRest)
{
    ReadingRoomSettings settings;
    settings.top = 7;
    settings.lastValues = QStringLiteral("A|x\ny|");
    IniFile file(m_path);
    EXPECT_EQ(WriteReadingRoomSettings(file, settings),
              QStringLiteral("Niedozwolony wpis pliku konfiguracji [ZESTAWIENIA] wartości"));
    const IniFile back(m_path);
    EXPECT_EQ(back.ReadInteger(QStringLiteral("OKNO"), QStringLiteral("gora"), 0), 7);
    EXPECT_EQ(back.ReadInteger(QStringLiteral("CZYTELNIA"), QStringLiteral("dx"), 0), 100);
    EXPECT_FALSE(back.ValueExists(QStringLiteral("ZESTAWIENIA"), QStringLiteral("wartości")));
}

} // namespace
