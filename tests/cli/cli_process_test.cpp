// The tool as scripts run it: bytes through standard input and output, the
// exit code, and errors on standard error.
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct Result
{
    int rc;
    QByteArray out;
    QByteArray err;
};

Result RunTool(const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    process.start(QStringLiteral(CZYTELNIA_CLI), arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

TEST(CliProcess, PassesBinaryBytesThrough)
{
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[b] = static_cast<char>(b);
    const Result scrambled = RunTool(
        {QStringLiteral("codec"), QStringLiteral("scramble"), QStringLiteral("XXKorund")}, all);
    ASSERT_EQ(scrambled.rc, 0);
    ASSERT_EQ(scrambled.out.size(), 256);
    const Result back =
        RunTool({QStringLiteral("codec"), QStringLiteral("unscramble"), QStringLiteral("XXKorund")},
                scrambled.out);
    EXPECT_EQ(back.out, all);
}

TEST(CliProcess, ReportsErrorsWithExitCodeOne)
{
    const Result result = RunTool({QStringLiteral("json"), QStringLiteral("parse")}, "[1,\n2 3]");
    EXPECT_EQ(result.rc, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.err, "Array error (2)\n");
}

} // namespace
