// czytelnia-cli report print on a CUPS scheduler of the test's own.
#include "cli_run.h"
#include "numbered_report.h"
#include "print_output.h"
#include "private_cups.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kQueue = S("Czytelnia_PDF");
const QString kSecond = S("Drugie_pietro");

class CliReportPrintTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_cups.Start(), QString());
        ASSERT_TRUE(m_cups.IsCurrentServer());
        QFile file(Report());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(NumberedReport(25));
    }

    void AddQueues()
    {
        ASSERT_EQ(m_cups.AddPdfQueue(kQueue), QString());
        ASSERT_EQ(m_cups.AddPdfQueue(kSecond), QString());
        ASSERT_EQ(m_cups.SetDefault(kQueue), QString());
    }

    QString Report() const { return m_dir.filePath(S("report.tmp")); }

    PrivateCups m_cups;
    QTemporaryDir m_dir;
};

TEST_F(CliReportPrintTest, PrintsOnTheNamedOrDefaultPrinter)
{
    AddQueues();
    const struct
    {
        int row;
        QStringList options;
        QString queue;
        int from;
        int to;
        const char* footnote;
    } rows[] = {
        {0, Words({"--range", "2,3", "--footnote", "Stopka czytelni"}), kQueue, 2, 3,
         "Stopka czytelni"},
        {1, Words({"--printer", "Drugie_pietro"}), kSecond, 1, 3, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << row.row);
        const CliRun run = RunInProcess(
            QStringList{S("report"), S("print"), Report()} + row.options, m_dir.path());
        ASSERT_EQ(run.rc, 0) << run.err.toStdString();
        // The job's request id, as the print system names it.
        const QString id = QString::fromUtf8(run.out).trimmed();
        ASSERT_TRUE(id.startsWith(row.queue + u'-')) << id.toStdString();
        ASSERT_EQ(m_cups.WaitForJob(id.mid(row.queue.size() + 1).toInt()), QString());
        EXPECT_EQ(CheckNumberedPages(PrintOutput(m_cups.OutputFile(row.queue)), 25, row.from,
                                     row.to, S(row.footnote)),
                  QString());
    }
}

TEST_F(CliReportPrintTest, RefusesWhatItCannotPrint)
{
    AddQueues();
    const struct
    {
        int row;
        QStringList options;
        const char* error;
    } rows[] = {
        {0, Words({"--printer", "Brak"}),
         "Nie ma drukarki \"Brak\"; drukarki w systemie: Czytelnia_PDF, Drugie_pietro\n"},
        {1, Words({"--range", "3,2"}), "--range must be FROM,TO with 1 <= FROM <= TO\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << row.row);
        const CliRun run = RunInProcess(
            QStringList{S("report"), S("print"), Report()} + row.options, m_dir.path());
        EXPECT_EQ(run.rc, 1);
        EXPECT_EQ(QString::fromUtf8(run.err), S(row.error));
        EXPECT_TRUE(run.out.isEmpty());
    }
    QList<int> jobs;
    EXPECT_EQ(m_cups.WaitForJobs(kQueue, 0, &jobs), QString());
    EXPECT_TRUE(jobs.isEmpty());
}

// The tool as its own process finds the scheduler through the environment
// it inherits, and says so when the scheduler has no printer.
TEST_F(CliReportPrintTest, WithoutPrintersTheToolSaysSo)
{
    QProcess tool;
    tool.start(S(CZYTELNIA_CLI), {S("report"), S("print"), Report()});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 1);
    // Qt may say something about the desktop first.
    const QString error = QString::fromUtf8(tool.readAllStandardError());
    EXPECT_TRUE(error.endsWith(S("\nUWAGA: brak zainstalowanych drukarek\n")) ||
                error == S("UWAGA: brak zainstalowanych drukarek\n"))
        << error.toStdString();
}

} // namespace
