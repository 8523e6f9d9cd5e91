#pragma once

#include "printer/printer_system.h"

#include <QPrinter>
#include <QStringList>

// The system's printers as Qt's print support and CUPS see them, and the
// one QPrinter the program prints with: the print dialog and every job use
// Printer(), so what is selected and applied here is what gets printed.
// Needs a QGuiApplication.
class CupsPrinterSystem : public PrinterSystem
{
public:
    // The printer starts on the system default printer, if there is one.
    CupsPrinterSystem();

    QPrinter& Printer() { return m_printer; }

    QStringList InstalledPrinters() const override;
    // The system default; a system that names none but has printers
    // stands for its first one.
    int DefaultPrinterIndex() const override;
    int CurrentPrinterIndex() const override;
    QString SelectPrinter(int index) override;
    PrinterIdentity CurrentIdentity() const override;
    // The printer's own settings go into the public fields, the options of
    // the queue's driver (as the job would get them) into the private part.
    QString CaptureSettings(DevModeRecord& record) override;
    // The public fields go back to the printer; the driver's options become
    // the options of the next job.
    QString ApplySettings(const DevModeRecord& record) override;
    // The settings a newly made QPrinter has for this printer.
    QString ResetSettings() override;

private:
    QPrinter m_printer;
};
