#pragma once

#include "printer/dev_mode_env.h"

#include <QString>

#include <memory>
#include <utility>
#include <vector>

class OperatorMessages;
class PrinterSystem;
class QIODevice;

// The program's printer object: every print job and the print dialog go
// through the printer it has selected. It remembers, by printer name, the
// device settings the user chose, puts them back when that printer is used
// again, and writes them to settings files and reads them back. Failures
// are texts (empty = success).
class ZelvoranDefaultPrinter
{
public:
    explicit ZelvoranDefaultPrinter(PrinterSystem& printers);
    ~ZelvoranDefaultPrinter();
    ZelvoranDefaultPrinter(const ZelvoranDefaultPrinter&) = delete;
    ZelvoranDefaultPrinter& operator=(const ZelvoranDefaultPrinter&) = delete;

    // "UWAGA: brak zainstalowanych drukarek": there is nothing to print on.
    static QString NoPrintersText();

    PrinterSystem& Printers() { return m_printers; }

    // The record remembered under exactly `name`, or null.
    DevModeEnv* Find(const QString& name) const;
    // The record remembered or loaded last, or null.
    DevModeEnv* MostRecent() const { return m_mostRecent; }

    // Captures the current printer's settings under `name`.
    QString Remember(const QString& name);
    // A name seen for the first time gets a record of the printer at
    // `printerIndex`; a known one keeps its record. Either is captured
    // again from the printer now selected and becomes the most recent.
    QString Remember(const QString& name, int printerIndex);

    QString Save(const QString& name, QIODevice& stream) const;
    // Creates or empties `fileName` and saves into it.
    QString SaveToFile(const QString& name, const QString& fileName) const;
    // Takes the record in `stream` for `name` when nothing is remembered
    // under it yet: the printer is found by the record's device name, and
    // the record must be the size that printer's driver uses now.
    QString Load(const QString& name, QIODevice& stream);
    QString LoadFromFile(const QString& name, const QString& fileName);

    // See PrinterIndexByName, over the installed printers.
    int PrinterIndexByName(const QString& name) const;

    // Before the print dialog: selects the printer named `name` (else the
    // system default) with its driver's defaults, then the settings
    // remembered for it, or else those in `fileName` when given and
    // there. False when no printer can be selected, or when the file's
    // settings cannot be taken (the reason goes to `messages`).
    bool SelectSavedPrinter(const QString& name, const QString& fileName,
                            OperatorMessages& messages);
    // After the print dialog ended with OK: `name` becomes the printer
    // chosen there. Choosing another printer that already has a record
    // keeps that record as it is; choosing the same printer again captures
    // the settings just chosen. With `fileName` the record is saved there.
    QString RememberChosenPrinter(QString& name, const QString& fileName);
    // The current printer with its driver's defaults again.
    QString ResetDeviceSettings();

private:
    PrinterSystem& m_printers;
    std::vector<std::pair<QString, std::unique_ptr<DevModeEnv>>> m_records;
    DevModeEnv* m_mostRecent = nullptr;
};
