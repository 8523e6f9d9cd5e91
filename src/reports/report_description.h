#pragma once

#include "reports/report_settings.h"

#include <QString>
#include <QStringList>

class OperatorMessages;

// A report file as the server writes it: the description, every line up to
// and including the first line that is exactly "[END]", then the data lines
// (empty ones included).
struct ReportFile
{
    QStringList description;
    QStringList data;
};

// Reads a report file with the code-page line reader (CR dropped, ESC "U"
// escapes decoded). False when the file cannot be opened.
bool ReadReportFile(const QString& path, ReportFile& file);

// Parses the settings line and the bands of a description. Messages for the
// operator ("Błąd opisu zestawienia (spodziewane [END])") go to `messages`.
// Returns the error text of a description that cannot be used (a design
// width that does not convert, is missing or is zero: "Błąd opisu
// zestawienia (brak szerokości raportu)"; a band height that does not
// convert), empty when the report can be shown.
QString ParseDescription(const QStringList& description, ReportSettings& settings,
                         OperatorMessages& messages);
