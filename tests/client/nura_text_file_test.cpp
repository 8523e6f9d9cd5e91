#include "client/nura_text_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList ReadAll(const QByteArray& bytes)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.tmp"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {QStringLiteral("<unwritable>")};
    file.close();
    NuraTextFile reader(path);
    QStringList lines;
    while (!reader.Eof())
        lines << reader.ReadLine();
    return lines;
}

TEST(NuraTextFile, SplitsLinesAndDropsCarriageReturns)
{
    struct Row
    {
        const char* bytes;
        const char* lines; // joined with "|"; null for none
    } rows[] = {
        /* 0*/ {"a\r\nb\r\n", "a|b"},
        /* 1*/ {"a\nb", "a|b"}, // last line without a break
        /* 2*/ {"a\n\nb\n", "a||b"},
        /* 3*/ {"x\ry\rz\n", "xyz"},
        /* 4*/ {"\n", ""},
        /* 5*/ {"", nullptr},
        /* 6*/ {"\xb3\xf3\x64\x9f \x1bU0416\x1a\n", "łódź Ж"},
    };
    for (const Row& row : rows) {
        const QStringList expected = row.lines == nullptr
                                         ? QStringList()
                                         : QString::fromUtf8(row.lines).split(QLatin1Char('|'));
        EXPECT_EQ(ReadAll(QByteArray(row.bytes)), expected) << row.bytes;
    }
}

TEST(NuraTextFile, LinesRunAcrossBlockBoundaries)
{
    QByteArray bytes;
    QStringList expected;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray line = QByteArray::number(i).repeated(i % 7 + 1);
        bytes += line + "\r\n";
        expected << QString::fromLatin1(line);
    }
    const QByteArray longLine(12345, 'q');
    bytes += longLine + '\n';
    expected << QString::fromLatin1(longLine);
    EXPECT_EQ(ReadAll(bytes), expected);
    EXPECT_EQ(ReadAll(QByteArray(5000, 'b') + '\n'), QStringList{QString(5000, QLatin1Char('b'))});
}

TEST(NuraTextFile, MissingFileIsAtItsEnd)
{
    NuraTextFile reader(QStringLiteral("/nonexistent/report.tmp"));
    EXPECT_TRUE(reader.Eof());
    EXPECT_EQ(reader.ReadLine(), QString());
}

} // namespace
