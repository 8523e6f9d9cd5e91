// Printing a report of 1,000 pages, as "Drukuj" does it: the report's print
// loop on the program's printer (QPrinterPrintDevice over the
// CupsPrinterSystem's QPrinter) to a queue of a CUPS scheduler of the
// benchmark's own whose output lands in a PDF file, timed until the
// scheduler says the job is complete; next to it, taking turns, the same
// pages written straight to a PDF file by the PDF export's print device.
// The queue's side holds what the print system adds (handing the document
// over, the queue's filters, the output); the ratio says what a printer
// costs over a file.
//
// The scheduler listens only on a socket in a temporary folder; the
// machine's own print system is not touched. Runs on Qt's offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
#include "offscreen_benchmarks.h"
#include "operator_messages.h"
#include "print_output.h"
#include "printer/ui/cups_printer_system.h"
#include "printer/ui/qprinter_print_device.h"
#include "private_cups.h"
#include "reports/tbl_report.h"
#include "reports/ui/pdf_print_device.h"
#include "side_by_side.h"
#include "visit_list_report.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kPages = 1000;
// Enough lines for more than kPages sheets on A4 and on Letter.
constexpr int kLines = 60000;
const QString kQueue = QStringLiteral("Czytelnia_PDF");

// Whether `file` holds exactly kPages pages; the reason when it does not.
std::string CheckPages(const QString& file)
{
    const int pages = PrintOutput(file).Pages();
    if (pages == kPages)
        return std::string();
    return file.toStdString() + " has " + std::to_string(pages) + " pages";
}

void PrintThroughCupsVsPdf(benchmark::State& state)
{
    PrivateCups cups;
    QString failure = cups.Start();
    if (failure.isEmpty())
        failure = cups.AddPdfQueue(kQueue);
    if (failure.isEmpty())
        failure = cups.SetDefault(kQueue);
    if (failure.isEmpty() && !cups.IsCurrentServer())
        failure = QStringLiteral("the private scheduler is not the one printed to");
    // Made only once the private scheduler answers, so that nothing asks the
    // machine's own print system; the printer starts on the default queue.
    std::unique_ptr<CupsPrinterSystem> printers;
    if (failure.isEmpty())
        printers = std::make_unique<CupsPrinterSystem>();
    if (failure.isEmpty() && printers->Printer().printerName() != kQueue)
        failure = QStringLiteral("the program's printer is not the private queue");
    CollectedMessages messages;
    const QString path = VisitListFile(kLines);
    const std::unique_ptr<tbl_report> report =
        failure.isEmpty()
            ? tbl_report::Open(QStringLiteral("Odwiedziny"), path, messages, SiteValues())
            : nullptr;
    if (failure.isEmpty() && !report)
        failure = QStringLiteral("the report did not load");
    if (!failure.isEmpty()) {
        state.SkipWithError(failure.toStdString().c_str());
        return;
    }

    QPrinterPrintDevice queue(printers->Printer());
    queue.SetOrientation(report->orientation());
    QTemporaryDir folder;
    const QString pdfFile = folder.filePath(QStringLiteral("wydruk.pdf"));
    PdfPrintDevice pdf(pdfFile, report->orientation());
    QString error;
    if (report->count_pages(queue, error) < kPages || report->count_pages(pdf, error) < kPages) {
        state.SkipWithError("the report has too few pages");
        return;
    }
    report->set_print_range(1, kPages);

    SideBySide sides("pdf_file", "cups_queue");
    for (auto _ : state) {
        const bool done = sides.Turn([&] { return (error = report->print_all(pdf)).isEmpty(); },
                                     [&] {
                                         error = report->print_all(queue);
                                         if (error.isEmpty())
                                             error = cups.WaitForJob(queue.JobId(), 600000);
                                         return error.isEmpty();
                                     });
        if (!done) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
    }
    // Both sides must have printed every page, or the race means nothing.
    for (const std::string& wrong : {CheckPages(pdfFile), CheckPages(cups.OutputFile(kQueue))}) {
        if (!wrong.empty()) {
            state.SkipWithError(wrong.c_str());
            return;
        }
    }
    sides.Report(state, kPages, "pages");
    state.counters["pdf_file_median_s"] = sides.FirstTurns().Median();
    state.counters["cups_queue_median_s"] = sides.SecondTurns().Median();
}
BENCHMARK(PrintThroughCupsVsPdf)->UseRealTime()->Iterations(4)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksWithWindows(argc, argv);
}
