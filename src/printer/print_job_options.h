#pragma once

#include "printer/dev_mode_record.h"

#include <QString>
#include <QStringList>

// The settings a print job goes out with: the printer's own (paper,
// copies, sides, orientation) and the driver's options.
struct PrintJobSettings
{
    QString paper; // the paper's key, "A4"
    int copies = 1;
    bool collate = false;
    qint16 sides = DMDUP_SIMPLEX;
    bool landscape = false;
    QStringList driverOptions; // keyword, choice, keyword, choice ...
};

// The job's options for the print system as keyword, value, keyword,
// value ...: the printer's settings in the print system's standard options,
// then the driver's. The printer's settings are what the print dialog
// shows, so a driver option of the same keyword gives way to them.
QStringList PrintJobOptions(const PrintJobSettings& settings);
