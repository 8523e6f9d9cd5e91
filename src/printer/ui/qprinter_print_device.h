#pragma once

#include "reports/print_device.h"
#include "reports/recording_surface.h"
#include "reports/report_settings.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class QPrinter;
class QtSurface;

// A print job on a printer of the system through the program's QPrinter,
// with whatever the print dialog or the remembered settings put on it.
// The pages are drawn into a document of the job's own first and handed to
// CUPS only when the job ends, so a job cut short prints nothing, and a
// printer that refuses the job says why.
class QPrinterPrintDevice : public PrintDevice
{
public:
    explicit QPrinterPrintDevice(QPrinter& printer);
    // A job still open is abandoned.
    ~QPrinterPrintDevice() override;
    QPrinterPrintDevice(const QPrinterPrintDevice&) = delete;
    QPrinterPrintDevice& operator=(const QPrinterPrintDevice&) = delete;

    // The job is named `title` in the printer's queue.
    bool Begin(const QString& title) override;
    // The sheet being drawn; outside a job, a blank one with the printer's
    // printable area and resolution as they are now.
    Surface& Page() override;
    bool NewPage() override;
    // Sends the job to the printer's queue.
    bool End() override;
    void Abort() override;
    QString ErrorText() const override { return m_error; }

    // Turns the printer's page as the report asks; a report that does not
    // say leaves the printer's own orientation.
    void SetOrientation(ReportOrientation orientation);

    // The print system's number of the last job sent, 0 before one was.
    int JobId() const { return m_jobId; }

private:
    bool Fail(const QString& error);
    void Close();

    QPrinter& m_printer;
    RecordingSurface m_blank;
    std::unique_ptr<QTemporaryDir> m_spool;
    std::unique_ptr<QtSurface> m_surface;
    QString m_title;
    QString m_error;
    int m_jobId = 0;
};
