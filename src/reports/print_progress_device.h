#pragma once

#include "reports/print_device.h"

#include <functional>

// A print job watched sheet by sheet: before each sheet is drawn the
// watcher hears its number (from 1) and may stop the job, which then ends
// like any failed job (the print loop abandons it). The printing window
// shows the progress through it and lets the operator cancel.
class PrintProgressDevice : public PrintDevice
{
public:
    // `sheetStarting` returns false to stop the job.
    using Watcher = std::function<bool(int sheet)>;

    PrintProgressDevice(PrintDevice& device, Watcher sheetStarting);

    bool Begin(const QString& title) override;
    Surface& Page() override { return m_device.Page(); }
    bool NewPage() override;
    bool End() override { return m_device.End(); }
    void Abort() override { m_device.Abort(); }
    QString ErrorText() const override;

    // True once the watcher has stopped the job.
    bool Cancelled() const { return m_cancelled; }

    // The text a stopped job ends with.
    static QString CancelledText();

private:
    bool Starting();

    PrintDevice& m_device;
    Watcher m_sheetStarting;
    int m_sheet = 0;
    bool m_cancelled = false;
};
