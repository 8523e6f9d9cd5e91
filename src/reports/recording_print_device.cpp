#include "reports/recording_print_device.h"

RecordingPrintDevice::RecordingPrintDevice(int pixelsPerInch, int pageWidth, int pageHeight)
    : m_pixelsPerInch(pixelsPerInch), m_pageWidth(pageWidth), m_pageHeight(pageHeight),
      m_blank(pixelsPerInch, pageWidth, pageHeight)
{}

void RecordingPrintDevice::FailBegin(const QString& text)
{
    m_beginFault = text;
}

void RecordingPrintDevice::FailNewPage(int sheet, const QString& text)
{
    m_newPageFaultSheet = sheet;
    m_newPageFault = text;
}

std::unique_ptr<RecordingSurface> RecordingPrintDevice::NewSheet() const
{
    return std::make_unique<RecordingSurface>(m_pixelsPerInch, m_pageWidth, m_pageHeight);
}

bool RecordingPrintDevice::Begin(const QString& title)
{
    if (!m_beginFault.isEmpty()) {
        m_error = m_beginFault;
        return false;
    }
    m_title = title;
    m_sheets.clear();
    m_sheets.push_back(NewSheet());
    m_ended = false;
    m_aborted = false;
    return true;
}

Surface& RecordingPrintDevice::Page()
{
    if (m_sheets.empty())
        return m_blank;
    return *m_sheets.back();
}

bool RecordingPrintDevice::NewPage()
{
    if (m_sheets.empty()) {
        m_error = QStringLiteral("No print job");
        return false;
    }
    if (m_newPageFaultSheet == SheetCount() + 1) {
        m_error = m_newPageFault;
        return false;
    }
    std::unique_ptr<RecordingSurface> sheet = NewSheet();
    const RecordingSurface& previous = *m_sheets.back();
    sheet->SetFont(previous.Font());
    sheet->SetPen(previous.PenColor(), previous.PenWidth());
    sheet->SetBrushColor(previous.BrushColor());
    m_sheets.push_back(std::move(sheet));
    return true;
}

bool RecordingPrintDevice::End()
{
    m_ended = true;
    return true;
}

void RecordingPrintDevice::Abort()
{
    m_aborted = true;
}

const RecordingSurface& RecordingPrintDevice::Sheet(int index) const
{
    return *m_sheets.at(static_cast<size_t>(index));
}
