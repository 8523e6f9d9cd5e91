#pragma once

#include "reports/print_device.h"
#include "reports/recording_surface.h"
#include "reports/report_settings.h"

#include <QFile>
#include <QPageLayout>
#include <QString>

#include <memory>

class QPdfWriter;
class QtSurface;

// A print job that goes to a PDF file: A4 sheets, turned when the report
// asks for landscape, without margins of its own (the report keeps its
// own), at a resolution fine enough for bar codes.
class PdfPrintDevice : public PrintDevice
{
public:
    static constexpr int kDefaultResolution = 300;

    PdfPrintDevice(QString file, ReportOrientation orientation,
                   int resolution = kDefaultResolution);
    ~PdfPrintDevice() override;

    bool Begin(const QString& title) override;
    // The sheet being drawn; outside a job, a blank one that tells the page
    // size and resolution (for counting pages before printing).
    Surface& Page() override;
    bool NewPage() override;
    bool End() override;
    // Closes the file and removes it: a job cut short leaves no half document.
    void Abort() override;
    QString ErrorText() const override { return m_error; }

private:
    void Close();

    QString m_fileName;
    QPageLayout m_layout;
    int m_resolution;
    RecordingSurface m_blank;
    QFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QtSurface> m_surface;
    QString m_error;
};
