#pragma once

#include "printer/dev_mode_record.h"
#include "printer/printer_system.h"

#include <QString>

class QIODevice;

// One printer's device settings captured from the print system: the
// printer's index and names and a copy of its settings record, which can
// be put back on the printer, written to a stream and read from one.
class DevModeEnv
{
public:
    static constexpr int kCurrentPrinter = -1;

    // For the printer at `printerIndex` (the current one when omitted);
    // nothing is captured until Capture.
    explicit DevModeEnv(PrinterSystem& printers, int printerIndex = kCurrentPrinter);

    // Takes a new copy of the printer's settings. With `fromCurrent` the
    // record moves to the printer now selected; otherwise that printer is
    // selected first.
    QString Capture(bool fromCurrent);
    // dmSize + dmDriverExtra of the copy.
    int Size() const;
    // Selects the record's printer and gives it the copied settings.
    QString Apply() const;
    // Exactly Size() bytes.
    QString Write(QIODevice& stream) const;
    // Reads Size() bytes over the copy and applies them.
    QString Read(QIODevice& stream);

    bool IsInitialised() const { return m_initialised; }
    int PrinterIndex() const { return m_printerIndex; }
    const PrinterIdentity& Identity() const { return m_identity; }
    const DevModeRecord& Record() const { return m_record; }

private:
    PrinterSystem& m_printers;
    int m_printerIndex;
    PrinterIdentity m_identity;
    DevModeRecord m_record;
    bool m_initialised = false;
};
