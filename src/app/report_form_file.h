#pragma once

#include <QString>

// Writes a report's parameter form to `path`, where the parameter window
// reads it: the catalog joins the form's lines with CR, so the text is cut at
// every CR and each piece, trimmed, becomes one line ending in CR LF, in the
// code page (with the escape for characters it lacks). Returns an error text
// when the file cannot be written, empty otherwise.
QString WriteReportFormFile(const QString& path, const QString& form);
