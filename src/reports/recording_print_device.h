#pragma once

#include "reports/print_device.h"
#include "reports/recording_surface.h"

#include <QString>

#include <memory>
#include <vector>

// A print job kept as one RecordingSurface per sheet, for the tests and the
// command-line tool's page checks. A new sheet goes on with the font, pen
// and brush of the one before, as a printer's drawing state does. Faults
// can be asked for, so the callers' error paths can be driven.
class RecordingPrintDevice : public PrintDevice
{
public:
    // A4 portrait at 96 pixels per inch unless told otherwise.
    explicit RecordingPrintDevice(int pixelsPerInch = 96, int pageWidth = 794,
                                  int pageHeight = 1123);

    // Begin fails with `text`.
    void FailBegin(const QString& text);
    // Starting sheet number `sheet` (from 1) fails with `text`.
    void FailNewPage(int sheet, const QString& text);

    bool Begin(const QString& title) override;
    // The current sheet; before a job, a blank one that only tells the page
    // size and resolution.
    Surface& Page() override;
    bool NewPage() override;
    bool End() override;
    void Abort() override;
    QString ErrorText() const override { return m_error; }

    const QString& Title() const { return m_title; }
    int SheetCount() const { return static_cast<int>(m_sheets.size()); }
    // Sheet `index` from 0.
    const RecordingSurface& Sheet(int index) const;
    bool Ended() const { return m_ended; }
    bool Aborted() const { return m_aborted; }

private:
    std::unique_ptr<RecordingSurface> NewSheet() const;

    int m_pixelsPerInch;
    int m_pageWidth;
    int m_pageHeight;
    RecordingSurface m_blank;
    std::vector<std::unique_ptr<RecordingSurface>> m_sheets;
    QString m_title;
    QString m_error;
    QString m_beginFault;
    int m_newPageFaultSheet = 0;
    QString m_newPageFault;
    bool m_ended = false;
    bool m_aborted = false;
};
