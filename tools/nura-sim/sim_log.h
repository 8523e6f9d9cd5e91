#pragma once

#include <QString>

// One line on standard error, whole even when several connections log at
// the same time.
void SimLog(const QString& line);

// A request's record line cut to a length that keeps the log readable.
QString ShortenedForLog(const QString& text);
