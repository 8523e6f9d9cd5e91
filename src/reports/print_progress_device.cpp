#include "reports/print_progress_device.h"

PrintProgressDevice::PrintProgressDevice(PrintDevice& device, Watcher sheetStarting)
    : m_device(device), m_sheetStarting(std::move(sheetStarting))
{}

QString PrintProgressDevice::CancelledText()
{
    return QStringLiteral("Drukowanie przerwane");
}

bool PrintProgressDevice::Starting()
{
    ++m_sheet;
    if (m_sheetStarting && !m_sheetStarting(m_sheet))
        m_cancelled = true;
    return !m_cancelled;
}

// The first sheet is asked about before the job reaches the printer, so a
// cancel at once leaves no job behind.
bool PrintProgressDevice::Begin(const QString& title)
{
    return Starting() && m_device.Begin(title);
}

bool PrintProgressDevice::NewPage()
{
    return Starting() && m_device.NewPage();
}

QString PrintProgressDevice::ErrorText() const
{
    return m_cancelled ? CancelledText() : m_device.ErrorText();
}
