#pragma once

#include "visit_registry.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

// A report the simulator works out from the values of its form: the report
// file's bytes (8-bit, as the client reads report files), or the text that
// says why the values cannot make one.
struct ComputedReport
{
    QByteArray bytes;
    QString error;
};

// Report `number` for the parameter text `parameters` (name "|" value "|"
// for each value of the form): 1 the visits of a day by type, 2 the reader
// cards, 3 the visits of a month by day, 4 today's visits by type, 5 the
// readers that pass a filter, 6 the visits of a period by kind. The
// visit types and their captions come from the reading room in
// `structure`, the counts from `registry`. Nothing for the other numbers.
std::optional<ComputedReport> ComputeReport(qint32 number, const QString& parameters,
                                            const VisitRegistry& registry, const QString& structure,
                                            const QDate& today);
