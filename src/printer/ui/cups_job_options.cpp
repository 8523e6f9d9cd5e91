#include "printer/ui/cups_job_options.h"

#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinter>

namespace {

// The key Qt's CUPS engine and print dialog use for the job's options.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

} // namespace

QStringList CupsJobOptions(QPrinter& printer)
{
    return printer.printEngine()->property(kCupsOptions).toStringList();
}

void SetCupsJobOptions(QPrinter& printer, const QStringList& options)
{
    printer.printEngine()->setProperty(kCupsOptions, options);
}

qint16 SidesOf(const QPrinter& printer)
{
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
        return DMDUP_VERTICAL;
    case QPrinter::DuplexShortSide:
        return DMDUP_HORIZONTAL;
    case QPrinter::DuplexAuto:
        return printer.pageLayout().orientation() == QPageLayout::Landscape ? DMDUP_HORIZONTAL
                                                                            : DMDUP_VERTICAL;
    default:
        return DMDUP_SIMPLEX;
    }
}

PrintJobSettings JobSettingsOf(QPrinter& printer)
{
    PrintJobSettings settings;
    settings.paper = printer.pageLayout().pageSize().key();
    settings.copies = printer.copyCount();
    settings.collate = printer.collateCopies();
    settings.sides = SidesOf(printer);
    settings.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    settings.driverOptions = CupsJobOptions(printer);
    return settings;
}
