// The program's printer object over a print system held in memory: names
// matched to printers, settings remembered, saved, loaded and selected.
#include "memory_printer_system.h"

#include "operator_messages.h"
#include "printer/printer_index_by_name.h"
#include "printer/zelvoran_default_printer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

const QString kNotInstalled = S("Nazwa drukarki zapisanej w pliku nie występuje w systemie");
const QString kOtherDriver = S("Wielkość zapisanego i aktualnego bufora jest różna. Prawdopodobnie "
                               "podmieniono sterownik drukarki.");
const QString kTooShort = S("Plik ustawień drukarki jest za krótki");

struct NameCase
{
    int row;
    QStringList installed;
    const char* name;
    int index;
};

// Rows are named by their number in the test list.
void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << "row " << c.row;
}

class PrinterIndexByNameTest : public testing::TestWithParam<NameCase>
{};

TEST_P(PrinterIndexByNameTest, FindsTheFirstPrinterBeginningWithTheName)
{
    const NameCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row);
    EXPECT_EQ(PrinterIndexByName(c.installed, S(c.name)), c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PrinterIndexByNameTest,
    testing::Values(/* 0*/ NameCase{0, {}, "Laser", -1},
                    /* 1*/ NameCase{1, {S("Kolor"), S("Laser")}, "Laser", 1},
                    // The name may be the beginning of a longer one; the
                    // first in list order wins.
                    /* 2*/ NameCase{2, {S("Kolor"), S("Laser A3"), S("Laser")}, "Laser", 1},
                    /* 3*/ NameCase{3, {S("Las")}, "Laser", -1},
                    // What follows " on " is the connection, not the name.
                    /* 4*/ NameCase{4, {S("Kolor on Ne01:")}, "Kolor", 0},
                    /* 5*/ NameCase{5, {S("Kolor on Ne01:")}, "Kolor on", -1},
                    /* 6*/ NameCase{6, {S("Kolor on Ne01: on x")}, "Kolor", 0},
                    /* 7*/ NameCase{7, {S("kolor")}, "Kolor", -1},
                    /* 8*/ NameCase{8, {S("Kolorowa")}, "Kolor", 0}));

// Two printers with two-option drivers; the settings file of "Laserowa"
// holds Opt2 = b and three copies.
class DefaultPrinterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_system.Install(S("Kolorowa"));
        m_system.Install(S("Laserowa"));
        m_system.SetDefault(0);
    }

    QString File(const char* name = "drukarka.dat") const { return m_dir.filePath(S(name)); }

    // A previous run of the program that chose these settings and saved them.
    void SaveLaserowa()
    {
        ZelvoranDefaultPrinter earlier(m_system);
        ASSERT_EQ(m_system.SelectPrinter(1), QString());
        m_system.Choose(S("Opt2"), S("b"));
        m_system.SetCopies(3);
        ASSERT_EQ(earlier.Remember(S("Laserowa")), QString());
        ASSERT_EQ(earlier.SaveToFile(S("Laserowa"), File()), QString());
        ASSERT_EQ(m_system.SelectPrinter(0), QString());
    }

    void Truncate(qint64 size)
    {
        QFile file(File());
        ASSERT_TRUE(file.resize(size));
    }

    MemoryPrinterSystem m_system;
    QTemporaryDir m_dir;
    CollectedMessages m_messages;
};

TEST_F(DefaultPrinterTest, SettingsSavedInOneRunAreLoadedInTheNext)
{
    SaveLaserowa();
    EXPECT_EQ(QFile(File()).size(), 220 + 2 * 82);
    ZelvoranDefaultPrinter printer(m_system);
    EXPECT_EQ(printer.LoadFromFile(S("Laserowa"), File()), QString());
    EXPECT_EQ(m_system.CurrentPrinterIndex(), 1);
    EXPECT_EQ(m_system.Choice(S("Opt2")), S("b"));
    EXPECT_EQ(m_system.Copies(), 3);
    ASSERT_NE(printer.Find(S("Laserowa")), nullptr);
    EXPECT_EQ(printer.MostRecent(), printer.Find(S("Laserowa")));
    EXPECT_EQ(printer.Find(S("Laserowa"))->Identity().device, S("Laserowa"));
    EXPECT_EQ(printer.Find(S("Laserowa"))->Record().Option(S("Opt2")), S("b"));
}

// After the file was written the printers changed: what the load then says,
// and that nothing of the file reached the printer.
struct LoadCase
{
    int row;
    void (*change)(MemoryPrinterSystem&);
    qint64 fileSize; // 0 = as written; -1 = no file
    QString error;
    int selected;
};

// Rows are named by their number in the test list.
void PrintTo(const LoadCase& c, std::ostream* os)
{
    *os << "row " << c.row;
}

class LoadTest : public DefaultPrinterTest, public testing::WithParamInterface<LoadCase>
{};

TEST_P(LoadTest, RefusesWhatDoesNotFit)
{
    const LoadCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "row " << c.row);
    SaveLaserowa();
    if (c.change)
        c.change(m_system);
    if (c.fileSize > 0)
        Truncate(c.fileSize);
    else if (c.fileSize < 0)
        QFile::remove(File());
    ZelvoranDefaultPrinter printer(m_system);
    const QString error = printer.LoadFromFile(S("Laserowa"), File());
    if (c.error.endsWith(u'*'))
        EXPECT_TRUE(error.startsWith(c.error.chopped(1))) << error.toStdString();
    else
        EXPECT_EQ(error, c.error);
    EXPECT_EQ(m_system.CurrentPrinterIndex(), c.selected);
    EXPECT_EQ(m_system.Choice(S("Opt2")), S("a"));
    EXPECT_EQ(m_system.Copies(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadTest,
    testing::Values(
        /* 0*/ LoadCase{0, [](MemoryPrinterSystem& s) { s.Rename(1, S("Atramentowa")); }, 0,
                        kNotInstalled, 0},
        // The driver was replaced by one with more options: the record is
        // taken from the printer as it is now, and the file is refused.
        /* 1*/
        LoadCase{1, [](MemoryPrinterSystem& s) { s.ReplaceDriver(1, 3); }, 0, kOtherDriver, 1},
        /* 2*/ LoadCase{2, nullptr, 100, kTooShort, 0},
        /* 3*/ LoadCase{3, nullptr, 250, kTooShort, 1},
        /* 4*/ LoadCase{4, nullptr, -1, S("Nie można otworzyć pliku *"), 0}));

TEST_F(DefaultPrinterTest, LoadFindsThePrinterByTheBeginningOfItsName)
{
    SaveLaserowa();
    m_system.Rename(0, S("Laserowa A3"));
    m_system.Rename(1, S("Laserowa"));
    ZelvoranDefaultPrinter printer(m_system);
    EXPECT_EQ(printer.LoadFromFile(S("Laserowa"), File()), QString());
    EXPECT_EQ(m_system.CurrentPrinterIndex(), 0);
    EXPECT_EQ(m_system.Choice(S("Opt2")), S("b"));
}

TEST_F(DefaultPrinterTest, LoadLeavesARecordRememberedInThisRunAsItIs)
{
    SaveLaserowa();
    ZelvoranDefaultPrinter printer(m_system);
    ASSERT_EQ(printer.Remember(S("Laserowa"), 1), QString());
    EXPECT_EQ(printer.LoadFromFile(S("Laserowa"), File()), QString());
    EXPECT_EQ(printer.Find(S("Laserowa"))->Record().Option(S("Opt2")), S("a"));
    EXPECT_EQ(m_system.Choice(S("Opt2")), S("a"));
}

TEST_F(DefaultPrinterTest, SelectSavedPrinter)
{
    SaveLaserowa();
    const struct
    {
        int row;
        const char* name;
        bool withFile;
        bool remembered;
        bool selected;
        int index;
        const char* opt2;
        QStringList messages;
    } rows[] = {
        // Unknown name, no file: the system default with its defaults.
        {0, "Brak", false, false, true, 0, "a", {}},
        // Known printer, nothing remembered, no file: its defaults.
        {1, "Laserowa", false, false, true, 1, "a", {}},
        // The file's settings, or those remembered in this run.
        {2, "Laserowa", true, false, true, 1, "b", {}},
        {3, "Laserowa", false, true, true, 1, "b", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << row.row);
        ZelvoranDefaultPrinter printer(m_system);
        if (row.remembered) {
            ASSERT_EQ(printer.LoadFromFile(S("Laserowa"), File()), QString());
        }
        m_system.Choose(S("Opt2"), S("c"));
        CollectedMessages messages;
        EXPECT_EQ(
            printer.SelectSavedPrinter(S(row.name), row.withFile ? File() : QString(), messages),
            row.selected);
        EXPECT_EQ(m_system.CurrentPrinterIndex(), row.index);
        EXPECT_EQ(m_system.Choice(S("Opt2")), S(row.opt2));
        EXPECT_EQ(messages.lines(), row.messages);
    }
}

TEST_F(DefaultPrinterTest, SelectSavedPrinterShowsWhyTheFileWasRefused)
{
    SaveLaserowa();
    m_system.ReplaceDriver(1, 5);
    ZelvoranDefaultPrinter printer(m_system);
    EXPECT_FALSE(printer.SelectSavedPrinter(S("Laserowa"), File(), m_messages));
    EXPECT_EQ(m_messages.lines(), QStringList(kOtherDriver));
}

TEST(SelectSavedPrinterTest, NothingIsSelectedWithoutPrinters)
{
    MemoryPrinterSystem system;
    ZelvoranDefaultPrinter printer(system);
    CollectedMessages messages;
    EXPECT_FALSE(printer.SelectSavedPrinter(S("Laserowa"), QString(), messages));
    EXPECT_TRUE(messages.lines().isEmpty());
    QString name;
    EXPECT_EQ(printer.RememberChosenPrinter(name, QString()),
              S("UWAGA: brak zainstalowanych drukarek"));
}

// After the print dialog: the window's printer name was "Laserowa", and
// "Kolorowa" may already have a record with Opt1 = b.
TEST_F(DefaultPrinterTest, RememberChosenPrinter)
{
    const struct
    {
        int row;
        int chosen;
        bool kolorowaKnown;
        const char* name;
        const char* opt1; // in the chosen printer's record
    } rows[] = {
        // Another printer with a record keeps it unchanged.
        {0, 0, true, "Kolorowa", "b"},
        // Another printer without one gets the settings just chosen.
        {1, 0, false, "Kolorowa", "c"},
        // The same printer again captures them anew.
        {2, 1, true, "Laserowa", "c"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << row.row);
        ZelvoranDefaultPrinter printer(m_system);
        ASSERT_EQ(m_system.SelectPrinter(1), QString());
        ASSERT_EQ(printer.Remember(S("Laserowa")), QString());
        if (row.kolorowaKnown) {
            ASSERT_EQ(m_system.SelectPrinter(0), QString());
            m_system.Choose(S("Opt1"), S("b"));
            ASSERT_EQ(printer.Remember(S("Kolorowa")), QString());
        }
        // The dialog.
        ASSERT_EQ(m_system.SelectPrinter(row.chosen), QString());
        m_system.Choose(S("Opt1"), S("c"));
        QString name = S("Laserowa");
        const QString file = File("wybrana.dat");
        EXPECT_EQ(printer.RememberChosenPrinter(name, file), QString());
        EXPECT_EQ(name, S(row.name));
        ASSERT_NE(printer.Find(name), nullptr);
        EXPECT_EQ(printer.Find(name)->Record().Option(S("Opt1")), S(row.opt1));
        EXPECT_EQ(QFile(file).size(), 220 + 2 * 82);
        QFile::remove(file);
    }
}

} // namespace
