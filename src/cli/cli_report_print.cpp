// czytelnia-cli report print: a report on one of the system's printers,
// through the program's own printer object and print loop.
#include "cli/cli_gui_scope.h"
#include "cli/cli_io.h"
#include "cli/cli_report.h"
#include "printer/ui/cups_printer_system.h"
#include "printer/ui/qprinter_print_device.h"
#include "printer/zelvoran_default_printer.h"

namespace {

QString PrintError(const QString& text)
{
    return QStringLiteral("Błąd druku: ") + text;
}

// The printer named on the command line must be one of the system's; the
// program's own choice then takes the default printer when none is named.
QString SelectPrinter(const ReportCommandLine& line, CupsPrinterSystem& printers,
                      CliMessages& messages)
{
    const QStringList installed = printers.InstalledPrinters();
    if (installed.isEmpty())
        return ZelvoranDefaultPrinter::NoPrintersText();
    const QString name = line.values.value(QStringLiteral("--printer"));
    if (line.Has(QStringLiteral("--printer")) && !installed.contains(name))
        return QStringLiteral("Nie ma drukarki \"%1\"; drukarki w systemie: %2")
            .arg(name, installed.join(QStringLiteral(", ")));
    ZelvoranDefaultPrinter printer(printers);
    if (!printer.SelectSavedPrinter(name, QString(), messages))
        return PrintError(QStringLiteral("nie można wybrać drukarki"));
    return QString();
}

} // namespace

int RunReportPrint(const QStringList& words, const ReportSite& site, CliIo& io)
{
    ReportCommandLine line;
    QString error = ParseReportCommandLine(
        words,
        {QStringLiteral("--printer"), QStringLiteral("--range"), QStringLiteral("--footnote")}, {},
        line);
    if (!error.isEmpty())
        return ReportUsage(io, error);
    CliMessages messages(io);
    const std::unique_ptr<tbl_report> report = OpenReport(line.file, site, messages);
    if (!report)
        return kCliFailure;
    error = TakePrintRange(line, *report);
    if (!error.isEmpty())
        return io.Fail(error);
    CliGuiScope gui;
    if (!gui.Ready())
        return CliGuiScope::Unavailable(io);
    CupsPrinterSystem printers;
    error = SelectPrinter(line, printers, messages);
    if (!error.isEmpty())
        return io.Fail(error);
    QPrinterPrintDevice device(printers.Printer());
    device.SetOrientation(report->orientation());
    error = report->print_all(device);
    if (!error.isEmpty())
        return io.Fail(error);
    // The job as the print system names it, for lpstat and cancel.
    io.WriteLine(QStringLiteral("%1-%2").arg(printers.Printer().printerName()).arg(device.JobId()));
    return kCliSuccess;
}
