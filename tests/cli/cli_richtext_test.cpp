#include "cli_run.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CliRichTextTest : public testing::Test
{
protected:
    CliRun Cli(const QStringList& arguments) { return RunInProcess(arguments, m_dir.path()); }

    QString Write(const char* name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(S(name));
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(CliRichTextTest, RefusesWhatItCannotDo)
{
    const QString content = Write("panel.txt", "tekst\n");
    struct Row
    {
        std::vector<const char*> words;
        const char* err;
    } rows[] = {
        /* 0*/ {{"render", "CONTENT", "--layout"}, "--width must be a number of pixels"},
        /* 1*/ {{"render", "CONTENT", "--width", "0", "--layout"}, "--width must be"},
        /* 2*/ {{"render", "CONTENT", "--width", "90"}, "Give one of --png OUT and --layout"},
        /* 3*/
        {{"render", "CONTENT", "--width", "90", "--layout", "--png", "a.png"},
         "Give one of --png OUT and --layout"},
        /* 4*/ {{"render", "brak.txt", "--width", "90", "--layout"}, "Cannot read the file"},
        /* 5*/ {{"draw"}, "Usage: czytelnia-cli richtext render"},
    };
    int n = 0;
    for (const Row& row : rows) {
        QStringList words = {S("richtext")};
        for (const char* word : row.words)
            words << (S(word) == S("CONTENT") ? content : S(word));
        const CliRun run = Cli(words);
        EXPECT_EQ(run.rc, 1) << "row " << n;
        EXPECT_TRUE(run.err.startsWith(row.err)) << "row " << n << ": " << run.err.toStdString();
        ++n;
    }
}

// The content file is 8-bit text with ESC and SUB as bytes; text widths
// depend on the font, so only pictures are compared to the pixel.
TEST_F(CliRichTextTest, LaysOutAndDrawsAContentFile)
{
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(QColor(0x12, 0x34, 0x56));
    const QString pictureFile = m_dir.filePath(S("pic.png"));
    ASSERT_TRUE(picture.save(pictureFile));
    const QString content =
        Write("panel.txt", "\x1bR$00FF00\x1a"
                           "Tekst \xb9\r\n"
                           "\x1bLid||Link\x1a\x1b"
                           "Bp||" +
                               pictureFile.toUtf8() +
                               "\x1a\x1b"
                               "B" +
                               m_dir.filePath(S("brak.jpg")).toUtf8() + "\x1a\n");
    const CliRun layout =
        Cli({S("richtext"), S("render"), content, S("--width"), S("300"), S("--layout")});
    EXPECT_EQ(layout.rc, 0);
    const QList<QByteArray> lines = layout.out.split('\n');
    ASSERT_EQ(lines.size(), 6) << layout.out.toStdString();
    EXPECT_EQ(lines[0], "background\t#00FF00"); // written blue-green-red
    EXPECT_TRUE(lines[1].startsWith("text\t2,0\t"));
    EXPECT_TRUE(lines[1].endsWith("\t#000000\t-\t\tTekst ą")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("link\t"));
    EXPECT_TRUE(lines[2].endsWith("\t#0000FF\tU\tid\tLink")) << lines[2].toStdString();
    // Pictures stand right to left from the scroll bar's edge, 3 pixels apart.
    const QList<QByteArray> first = lines[3].split('\t');
    const QList<QByteArray> second = lines[4].split('\t');
    ASSERT_EQ(first.size(), 7);
    ASSERT_EQ(second.size(), 7);
    const int left = first[1].split(',')[0].toInt();
    EXPECT_GT(left, 200);
    EXPECT_EQ(lines[3], "picture\t" + QByteArray::number(left) +
                            ",0\t30x20\t-\t-\tp\tfile:" + pictureFile.toUtf8());
    EXPECT_EQ(second[1], QByteArray::number(left - 3) + ",0");
    EXPECT_EQ(second[2], "0x0");
    EXPECT_EQ(layout.err, "Brak pliku " + m_dir.filePath(S("brak.jpg")).toUtf8() + '\n');

    const QString out = m_dir.filePath(S("panel.png"));
    const CliRun draw =
        Cli({S("richtext"), S("render"), content, S("--width"), S("300"), S("--png"), out});
    EXPECT_EQ(draw.rc, 0) << draw.err.toStdString();
    const QImage drawn(out);
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn.pixelColor(left + 10, 10), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(drawn.pixelColor(100, 100), QColor(0x00, 0xFF, 0x00));
}

} // namespace
