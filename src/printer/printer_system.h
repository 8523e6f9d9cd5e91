#pragma once

#include <QString>
#include <QStringList>

class DevModeRecord;

// A printer as the print system names it: its queue (device), its driver
// and where its output goes (port).
struct PrinterIdentity
{
    QString device;
    QString driver;
    QString port;
};

// What the printer settings need from the platform's printing: the
// installed printers, which one is selected for the next job, and that
// printer's device settings. Failures are texts (empty = success).
class PrinterSystem
{
public:
    virtual ~PrinterSystem() = default;

    // The installed printers' names, in the print system's order.
    virtual QStringList InstalledPrinters() const = 0;
    // Indexes into that list; -1 when there is none.
    virtual int DefaultPrinterIndex() const = 0;
    virtual int CurrentPrinterIndex() const = 0;
    // Makes the printer at `index` the one the next job goes to. Another
    // printer than the current one starts with its driver's defaults; the
    // current one keeps the settings it has.
    virtual QString SelectPrinter(int index) = 0;
    virtual PrinterIdentity CurrentIdentity() const = 0;
    // The current printer's settings as they are now.
    virtual QString CaptureSettings(DevModeRecord& record) = 0;
    // Gives the current printer these settings for the next job.
    virtual QString ApplySettings(const DevModeRecord& record) = 0;
    // Back to the driver's defaults for the current printer.
    virtual QString ResetSettings() = 0;
};
