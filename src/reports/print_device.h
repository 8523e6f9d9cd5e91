#pragma once

#include <QString>

class Surface;

// Where a print job goes: a printer, a PDF file, or a recording in tests.
// The report draws each sheet on Page(); NewPage starts the next sheet.
class PrintDevice
{
public:
    virtual ~PrintDevice() = default;
    // Starts a job named `title`; false with ErrorText() when it cannot.
    virtual bool Begin(const QString& title) = 0;
    // The sheet being drawn. Valid before Begin too, for the page size and
    // resolution that the page count needs.
    virtual Surface& Page() = 0;
    virtual bool NewPage() = 0;
    virtual bool End() = 0;
    // Abandons the job after an error.
    virtual void Abort() = 0;
    virtual QString ErrorText() const = 0;
};
