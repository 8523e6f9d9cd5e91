#include "cli_run.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CliBarcodeTest : public testing::Test
{
protected:
    CliRun Cli(const QStringList& arguments) { return RunInProcess(arguments, m_dir.path()); }

    QString File(const char* name) const { return m_dir.filePath(S(name)); }

    QTemporaryDir m_dir;
};

TEST_F(CliBarcodeTest, PrintsThePattern)
{
    // Worked out by hand from the EAN-13 tables (L, G and R codes, parity
    // of the first digit 5: ABBAAB).
    const CliRun run = Cli(Words({"barcode", "--mode", "15", "5901234123457"}));
    EXPECT_EQ(run.rc, 0);
    EXPECT_EQ(run.out, "50525060517061615160805170505050616060615350507151705251505\n");
    EXPECT_TRUE(run.err.isEmpty());
}

TEST_F(CliBarcodeTest, FailuresGoToTheErrorStream)
{
    struct Row
    {
        std::vector<const char*> words;
        const char* error;
    };
    const Row rows[] = {
        // the component's own texts
        /* 0*/ {{"barcode", "--mode", "14", "1234567"}, "Invalid Text len (EAN8)\n"},
        /* 1*/ {{"barcode", "--mode", "1", "12a4"}, "Barcode must be numeric\n"},
        // the command's usage
        /* 2*/ {{"barcode", "--mode", "16", "1"}, "--mode must be a number from 1 to 15: 16\n"},
        /* 3*/ {{"barcode", "--mode", "x", "1"}, "--mode must be a number from 1 to 15: x\n"},
        /* 4*/ {{"barcode", "12"}, "--mode and DATA are required\n"},
        /* 5*/ {{"barcode", "--mode", "1", "12", "34"}, "Only one DATA may be given\n"},
        /* 6*/
        {{"barcode", "--mode", "1", "12", "--png", "a.png"},
         "--png, --width and --height go together\n"},
        /* 7*/
        {{"barcode", "--mode", "1", "12", "--png", "a.png", "--width", "0", "--height", "9"},
         "--width must be a number from 1 to 10000: 0\n"},
        /* 8*/ {{"barcode", "--mode", "1", "12", "--height"}, "--height needs a value\n"},
        /* 9*/ {{"barcode", "--mode", "1", "12", "--dpi", "3"}, "Unknown option --dpi\n"},
    };
    int n = 0;
    for (const Row& row : rows) {
        const CliRun run = Cli(Words(row.words));
        EXPECT_EQ(run.rc, 1) << "row " << n;
        EXPECT_TRUE(run.out.isEmpty()) << "row " << n;
        EXPECT_TRUE(run.err.startsWith(row.error)) << "row " << n << ": " << run.err.toStdString();
        ++n;
    }
}

TEST_F(CliBarcodeTest, WritesAPictureADecoderReads)
{
    const QString zbarimg = QStandardPaths::findExecutable(S("zbarimg"));
    ASSERT_FALSE(zbarimg.isEmpty()) << "zbarimg (zbar-tools) is needed";

    const QString png = File("karta.png");
    const CliRun run = Cli(Words({"barcode", "--mode", "7", "Karta-42", "--png",
                                  png.toUtf8().constData(), "--width", "400", "--height", "80"}));
    ASSERT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_FALSE(run.out.isEmpty());

    // Code 128 B of 8 characters is 123 modules (start, data, check, stop),
    // stretched to 400 pixels: a quiet zone of 10 stretched modules, 33
    // pixels, goes round it.
    const QImage picture(png);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(400 + 2 * 33, 80 + 2 * 33));
    EXPECT_EQ(picture.pixel(32, 73) & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_EQ(picture.pixel(33, 73) & 0xFFFFFFu, 0u);
    EXPECT_EQ(picture.pixel(33, 32) & 0xFFFFFFu, 0xFFFFFFu);

    QProcess zbar;
    zbar.start(zbarimg, {S("--raw"), S("-q"), S("--nodbus"), png});
    ASSERT_TRUE(zbar.waitForFinished(30000));
    EXPECT_EQ(zbar.readAllStandardOutput(), "Karta-42\n");
}

TEST_F(CliBarcodeTest, NeverShrinksTheSymbolAndSaysSo)
{
    // EAN-8 is 67 modules; asked for 50 pixels it stays 67 wide.
    const QString png = File("ean8.png");
    const CliRun run = Cli(Words({"barcode", "--mode", "14", "96385074", "--png",
                                  png.toUtf8().constData(), "--width", "50", "--height", "20"}));
    EXPECT_EQ(run.rc, 0);
    EXPECT_EQ(run.err,
              "The symbol needs 67 pixels, more than --width 50; it is drawn 67 pixels wide\n");
    EXPECT_EQ(QImage(png).size(), QSize(67 + 20, 20 + 20));
}

TEST_F(CliBarcodeTest, ReportsAPictureThatCannotBeWritten)
{
    const QString png = File("no/such/folder/x.png");
    const CliRun run = Cli(Words({"barcode", "--mode", "4", "ABC", "--png",
                                  png.toUtf8().constData(), "--width", "100", "--height", "20"}));
    EXPECT_EQ(run.rc, 1);
    EXPECT_EQ(run.err, (S("Cannot write the file ") + png + QLatin1Char('\n')).toUtf8());
}

} // namespace
