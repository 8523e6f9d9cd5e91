#include "cli_run.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CliFormTest : public testing::Test
{
protected:
    CliRun Cli(const QStringList& arguments) { return RunInProcess(arguments, m_dir.path()); }

    QString Write(const QByteArray& text)
    {
        const QString path = m_dir.filePath(QStringLiteral("PARAMS.TMP"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(CliFormTest, CheckPrintsMessagesThenTheTree)
{
    const QString path =
        Write("BEGIN\n LIST '#' OF 2 ON 5,5,100,50 BEGIN FIELD 'A#' ON 0,0,40 END\n"
              " TEXT 'T' ON 1,2\nEND\n");
    const CliRun run = Cli({S("form"), S("check"), path});
    EXPECT_EQ(run.rc, 1) << "a form with messages is not clean";
    EXPECT_EQ(run.out, QByteArray("Spodziewany przecinek [jest: END]\n"
                                  "Linia: \"END\"\n"
                                  "Spodziewany przecinek [jest: END]\n"
                                  "Linia: \"END\"\n"
                                  "my_formular \"\" at 0,0 size -x- extent 201x102\n"
                                  "  my_list \"#\" at 5,5 size 100x50 extent 125x55\n"
                                  "    my_lineedit \"A#\" at 0,0 size 40x- extent 40x20\n"
                                  "  my_text \"T\" at 1,2 size 200x100 extent 201x102\n"));
}

TEST_F(CliFormTest, CleanFormChecksWithSuccess)
{
    const QString path = Write("BEGIN FIELD 'A' ON 10, 12, 40 END\n");
    const CliRun run = Cli({S("form"), S("check"), path});
    EXPECT_EQ(run.rc, 0);
    EXPECT_EQ(run.out, QByteArray("my_formular \"\" at 0,0 size -x- extent 50x32\n"
                                  "  my_lineedit \"A\" at 10,12 size 40x- extent 50x32\n"));
}

TEST_F(CliFormTest, NamesListsTheRootsValues)
{
    const QString path =
        Write("BEGIN TABLE 'r' OF 2 MASK '9|H|C_r|x|' ON 0,0,9,9 DATE 'D' ON 0,0,9 "
              "LABEL 'x' ON 0,0 END");
    const CliRun run = Cli({S("form"), S("names"), path});
    EXPECT_EQ(run.rc, 0);
    EXPECT_EQ(run.out, QByteArray("C_1\nC_2\nD\n"));
}

TEST_F(CliFormTest, MissingFileFails)
{
    const CliRun run = Cli({S("form"), S("check"), m_dir.filePath(S("none"))});
    EXPECT_EQ(run.rc, 1);
    EXPECT_TRUE(run.out.startsWith("Brak pliku \""));
}

TEST_F(CliFormTest, ParamsBuildsTheParameterText)
{
    struct Row
    {
        std::vector<const char*> words;
        int rc;
        const char* out;
    };
    const Row rows[] = {
        /* 0*/ {{"form", "params"}, 0, "||\n"},
        /* 1*/
        {{"form", "params", "--initial", "A|1|B|2|", "--set", "B=x|y", "--set", "C=3"},
         0,
         "A|1|B|x\x1b"
         "1y|C|3|\n"},
        /* 2*/
        {{"form", "params", "--initial",
          "A|x\x1b"
          "1y|"},
         0,
         "A|x\x1b"
         "1y|\n"},
        /* 3*/ {{"form", "params", "--set", "novalue"}, 1, ""},
        /* 4*/ {{"form", "compile", "x"}, 1, ""},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const CliRun run = Cli(Words(rows[i].words));
        EXPECT_EQ(run.rc, rows[i].rc) << "row " << i;
        EXPECT_EQ(run.out, QByteArray(rows[i].out)) << "row " << i;
    }
}

// The window is drawn at the size the form's extents give it, with the
// loaded values; a missing file is said.
TEST_F(CliFormTest, RenderDrawsTheParameterWindow)
{
    const QString form = Write("BEGIN FIELD 'A' ON 10, 12, 300 DYNAMIC 'D' OF '#' ON 0,40,100,50 "
                               "'X' BEGIN FIELD 'B#' ON 0,0,40 END END END\n");
    const QString out = m_dir.filePath(S("okno.png"));
    const CliRun run =
        Cli({S("form"), S("render"), form, S("--initial"), S("A|abc|"), S("--png"), out});
    EXPECT_EQ(run.rc, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QByteArray());
    const QImage image(out);
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 310);
    EXPECT_GE(image.height(), 90 + 39);

    const CliRun missing =
        Cli({S("form"), S("render"), m_dir.filePath(S("brak.frm")), S("--png"), out});
    EXPECT_EQ(missing.rc, 1);
    EXPECT_TRUE(missing.err.startsWith("Brak pliku")) << missing.err.toStdString();
    EXPECT_EQ(Cli({S("form"), S("render"), form}).rc, 1) << "no --png";

    // A TEXT field shows the content given for it: here a red background.
    const QString text = Write("BEGIN TEXT 'T' ON 10,10,100,50 END\n");
    const QString content = m_dir.filePath(S("tresc.txt"));
    QFile file(content);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x1bR$0000FF\x1a"
               "Ala\r\n");
    file.close();
    const CliRun filled =
        Cli({S("form"), S("render"), text, S("--content"), S("T=") + content, S("--png"), out});
    EXPECT_EQ(filled.rc, 0) << filled.err.toStdString();
    EXPECT_EQ(QImage(out).pixelColor(50, 50), QColor(Qt::red));
    EXPECT_EQ(Cli({S("form"), S("render"), text, S("--content"), S("T"), S("--png"), out}).rc, 1);
}

} // namespace
