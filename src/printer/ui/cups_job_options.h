#pragma once

#include "printer/print_job_options.h"

#include <QStringList>

class QPrinter;

// Qt's CUPS print engine keeps the driver options of the next job
// (keyword, value, keyword, value ...) in a property of its own, which its
// print dialog fills too; these read and replace that list.
QStringList CupsJobOptions(QPrinter& printer);
void SetCupsJobOptions(QPrinter& printer, const QStringList& options);

// Two-sided printing as the printer is set (DMDUP_*); Qt's "automatic"
// binds on the long edge of the page as it is turned.
qint16 SidesOf(const QPrinter& printer);

// What a job printed with `printer` now goes out with.
PrintJobSettings JobSettingsOf(QPrinter& printer);
