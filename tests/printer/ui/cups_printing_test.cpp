// Printing on a real CUPS scheduler of the test's own: the report's print
// loop through the program's QPrinter, and device settings captured from a
// queue, changed, saved, loaded and applied, then found in the job.
#include "numbered_report.h"
#include "print_output.h"
#include "private_cups.h"

#include "operator_messages.h"
#include "printer/ui/cups_job_options.h"
#include "printer/ui/cups_printer_system.h"
#include "printer/ui/qprinter_print_device.h"
#include "printer/zelvoran_default_printer.h"
#include "reports/tbl_report.h"

#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

const QString kQueue = S("Czytelnia_PDF");

class CupsPrintingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_cups.Start(), QString());
        ASSERT_EQ(m_cups.AddPdfQueue(kQueue), QString());
        ASSERT_EQ(m_cups.SetDefault(kQueue), QString());
        // Nothing may reach the machine's own print system.
        ASSERT_TRUE(m_cups.IsCurrentServer());
        m_printers = std::make_unique<CupsPrinterSystem>();
        m_printer = std::make_unique<ZelvoranDefaultPrinter>(*m_printers);
    }

    std::unique_ptr<tbl_report> OpenReport(int lines)
    {
        const QString path = m_dir.filePath(S("report.tmp"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(NumberedReport(lines)) < 0)
            return nullptr;
        file.close();
        return tbl_report::Open(S("Odwiedziny"), path, m_messages, SiteValues());
    }

    // Prints the whole report on the program's printer and waits for the
    // job; its number, 0 when it failed.
    int Print(int lines)
    {
        const std::unique_ptr<tbl_report> report = OpenReport(lines);
        if (!report)
            return 0;
        QPrinterPrintDevice device(m_printers->Printer());
        EXPECT_EQ(report->print_all(device), QString());
        EXPECT_EQ(m_cups.WaitForJob(device.JobId()), QString());
        return device.JobId();
    }

    PrivateCups m_cups;
    QTemporaryDir m_dir;
    CollectedMessages m_messages;
    std::unique_ptr<CupsPrinterSystem> m_printers;
    std::unique_ptr<ZelvoranDefaultPrinter> m_printer;
};

TEST_F(CupsPrintingTest, ARangePrintsExactlyThosePagesWithTheFootnote)
{
    ASSERT_TRUE(m_printer->SelectSavedPrinter(kQueue, QString(), m_messages));
    const std::unique_ptr<tbl_report> report = OpenReport(25);
    ASSERT_NE(report, nullptr);
    QPrinterPrintDevice device(m_printers->Printer());
    // Before the job, the page is the printer's.
    EXPECT_EQ(device.Page().PixelsPerInch(), m_printers->Printer().resolution());
    EXPECT_EQ(device.Page().PageWidth(), m_printers->Printer().width());
    QString error;
    EXPECT_EQ(report->count_pages(device, error), 3);

    report->set_print_range(2, 3);
    report->set_footnote(S("Biblioteka Publiczna – czytelnia"));
    ASSERT_EQ(report->print_all(device), QString());
    ASSERT_GT(device.JobId(), 0);
    ASSERT_EQ(m_cups.WaitForJob(device.JobId()), QString());
    EXPECT_EQ(m_cups.JobAttributes(device.JobId()).value(S("job-name")), S("Odwiedziny"));

    const PrintOutput output(m_cups.OutputFile(kQueue));
    EXPECT_EQ(CheckNumberedPages(output, 25, 2, 3, S("Biblioteka Publiczna – czytelnia")),
              QString());
    // The check tells the pages apart.
    EXPECT_NE(CheckNumberedPages(output, 25, 1, 2, S("Biblioteka Publiczna – czytelnia")),
              QString());
}

// The user chooses A5 paper and two of the driver's options in the print
// dialog; the program remembers them and saves them to a settings file; the
// next run of the program loads the file, and its job carries them: in the
// job's attributes, in the header the driver writes, and in the size of the
// printed page.
TEST_F(CupsPrintingTest, SettingsChosenInOneRunReachTheNextRunsJob)
{
    ASSERT_TRUE(m_printer->SelectSavedPrinter(kQueue, QString(), m_messages));
    QPrinter& dialog = m_printers->Printer();
    ASSERT_TRUE(dialog.setPageSize(QPageSize(QPageSize::A5)));
    SetCupsJobOptions(dialog, {S("joboffset"), S("off"), S("ColorModel"), S("grayscale")});
    QString name = kQueue;
    const QString settings = m_dir.filePath(S("drukarka.dat"));
    ASSERT_EQ(m_printer->RememberChosenPrinter(name, settings), QString());
    EXPECT_EQ(m_printer->Find(kQueue)->Identity().port, S("file://") + m_cups.OutputFile(kQueue));
    const DevModeRecord& record = m_printer->Find(kQueue)->Record();
    EXPECT_EQ(record.DeviceName(), kQueue);
    EXPECT_EQ(record.dmDriverExtra(), 13 * DevModeRecord::kSlotBytes);
    EXPECT_EQ(QFile(settings).size(), record.Size());
    EXPECT_EQ(record.Option(S("joboffset")), S("off"));
    EXPECT_EQ(record.Option(S("PageSize")), S("A5"));
    EXPECT_EQ(record.FormName(), S("A5"));
    EXPECT_EQ(record.Value(DevModeShort::dmPaperSize), 11); // A5

    CupsPrinterSystem nextRun;
    ZelvoranDefaultPrinter printer(nextRun);
    ASSERT_TRUE(printer.SelectSavedPrinter(kQueue, settings, m_messages));
    EXPECT_TRUE(m_messages.lines().isEmpty()) << m_messages.lines().join(u'\n').toStdString();
    const std::unique_ptr<tbl_report> report = OpenReport(3);
    ASSERT_NE(report, nullptr);
    QPrinterPrintDevice device(nextRun.Printer());
    ASSERT_EQ(report->print_all(device), QString());
    ASSERT_EQ(m_cups.WaitForJob(device.JobId()), QString());

    const QHash<QString, QString> job = m_cups.JobAttributes(device.JobId());
    EXPECT_EQ(job.value(S("joboffset")), S("off"));
    EXPECT_EQ(job.value(S("ColorModel")), S("grayscale"));
    const PrintOutput output(m_cups.OutputFile(kQueue));
    EXPECT_TRUE(output.Header().contains("@PJL SET JOBOFFSET=OFF")) << output.Header().data();
    EXPECT_TRUE(output.Header().contains("@PJL SET RENDERMODE=GRAYSCALE"));
    EXPECT_TRUE(output.PageSize().endsWith(S("(A5)"))) << output.PageSize().toStdString();
}

TEST_F(CupsPrintingTest, SettingsOfAReplacedDriverAreRefused)
{
    ASSERT_TRUE(m_printer->SelectSavedPrinter(kQueue, QString(), m_messages));
    ASSERT_EQ(m_printer->Remember(kQueue), QString());
    const QString settings = m_dir.filePath(S("drukarka.dat"));
    ASSERT_EQ(m_printer->SaveToFile(kQueue, settings), QString());
    EXPECT_EQ(QFile(settings).size(), 220 + 13 * DevModeRecord::kSlotBytes);

    ASSERT_EQ(m_cups.ChangeDriver(kQueue, S("/usr/share/ppd/cupsfilters/pxlmono.ppd")), QString());
    CupsPrinterSystem nextRun;
    ZelvoranDefaultPrinter printer(nextRun);
    EXPECT_FALSE(printer.SelectSavedPrinter(kQueue, settings, m_messages));
    EXPECT_EQ(m_messages.lines(),
              QStringList(S("Wielkość zapisanego i aktualnego bufora jest różna. Prawdopodobnie "
                            "podmieniono sterownik drukarki.")));
}

// A job cut short never reaches the queue; the next one does.
TEST_F(CupsPrintingTest, AnAbandonedJobPrintsNothing)
{
    ASSERT_TRUE(m_printer->SelectSavedPrinter(kQueue, QString(), m_messages));
    {
        QPrinterPrintDevice device(m_printers->Printer());
        ASSERT_TRUE(device.Begin(S("Porzucony")));
        device.Page().TextOut({100, 100}, S("nie drukować"));
        ASSERT_TRUE(device.NewPage());
        device.Abort();
        EXPECT_EQ(device.JobId(), 0);
    }
    EXPECT_FALSE(QFile::exists(m_cups.OutputFile(kQueue)));
    const int job = Print(3);
    QList<int> jobs;
    ASSERT_EQ(m_cups.WaitForJobs(kQueue, 1, &jobs), QString());
    EXPECT_EQ(jobs, QList<int>{job});
}

} // namespace
