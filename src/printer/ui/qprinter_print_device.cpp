#include "printer/ui/qprinter_print_device.h"

#include "printer/ui/cups_job_options.h"
#include "printer/ui/cups_queue.h"
#include "reports/ui/qt_surface.h"

#include <QPrintEngine>
#include <QPrinter>

namespace {

// Qt's CUPS engine writes the document to this file instead of sending it
// to the queue itself, which would not tell whether the queue took it and
// could not be called back for a job cut short.
void SetDocumentFile(QPrinter& printer, const QString& file)
{
    printer.printEngine()->setProperty(QPrintEngine::PPK_OutputFileName, file);
}

} // namespace

QPrinterPrintDevice::QPrinterPrintDevice(QPrinter& printer) : m_printer(printer) {}

QPrinterPrintDevice::~QPrinterPrintDevice()
{
    Abort();
}

void QPrinterPrintDevice::SetOrientation(ReportOrientation orientation)
{
    if (orientation != ReportOrientation::Unset)
        m_printer.setPageOrientation(orientation == ReportOrientation::Landscape
                                         ? QPageLayout::Landscape
                                         : QPageLayout::Portrait);
}

bool QPrinterPrintDevice::Begin(const QString& title)
{
    Abort();
    m_error.clear();
    m_title = title;
    if (m_printer.printerName().isEmpty())
        return Fail(QStringLiteral("Nie wybrano drukarki"));
    m_spool = std::make_unique<QTemporaryDir>();
    if (!m_spool->isValid())
        return Fail(QStringLiteral("Nie można utworzyć folderu tymczasowego wydruku (%1)")
                        .arg(m_spool->errorString()));
    SetDocumentFile(m_printer, m_spool->filePath(QStringLiteral("wydruk.pdf")));
    m_printer.setDocName(title);
    m_surface = std::make_unique<QtSurface>(m_printer);
    if (m_printer.printerState() != QPrinter::Active)
        return Fail(QStringLiteral("Nie można rozpocząć wydruku na drukarce %1")
                        .arg(m_printer.printerName()));
    return true;
}

Surface& QPrinterPrintDevice::Page()
{
    if (m_surface)
        return *m_surface;
    m_blank.SetPixelsPerInch(m_printer.logicalDpiY());
    m_blank.SetPageSize(m_printer.width(), m_printer.height());
    return m_blank;
}

bool QPrinterPrintDevice::NewPage()
{
    if (m_surface && m_printer.newPage())
        return true;
    m_error = QStringLiteral("Nie można rozpocząć nowej strony wydruku");
    return false;
}

bool QPrinterPrintDevice::End()
{
    if (!m_surface)
        return Fail(QStringLiteral("Wydruk nie został rozpoczęty"));
    m_surface->End();
    const bool drawn = m_printer.printerState() != QPrinter::Error;
    const QString document = m_spool->filePath(QStringLiteral("wydruk.pdf"));
    m_surface.reset();
    SetDocumentFile(m_printer, QString());
    if (!drawn)
        return Fail(QStringLiteral("Nie można zapisać wydruku"));
    QString error;
    m_jobId = CupsQueue(m_printer.printerName())
                  .Print(document, m_title, PrintJobOptions(JobSettingsOf(m_printer)), error);
    m_spool.reset();
    return m_jobId > 0 || Fail(error);
}

// What was drawn stays in the job's own folder, which goes with it.
void QPrinterPrintDevice::Abort()
{
    Close();
}

bool QPrinterPrintDevice::Fail(const QString& error)
{
    m_error = error;
    Close();
    return false;
}

void QPrinterPrintDevice::Close()
{
    if (m_surface) {
        m_surface.reset();
        SetDocumentFile(m_printer, QString());
    }
    m_spool.reset();
}
