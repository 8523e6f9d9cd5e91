#include "printer/print_job_options.h"

namespace {

QString SidesValue(qint16 sides)
{
    switch (sides) {
    case DMDUP_VERTICAL:
        return QStringLiteral("two-sided-long-edge");
    case DMDUP_HORIZONTAL:
        return QStringLiteral("two-sided-short-edge");
    default:
        return QStringLiteral("one-sided");
    }
}

} // namespace

QStringList PrintJobOptions(const PrintJobSettings& settings)
{
    QStringList options;
    if (!settings.paper.isEmpty())
        options << QStringLiteral("media") << settings.paper;
    if (settings.copies > 1) {
        options << QStringLiteral("copies") << QString::number(settings.copies);
        if (settings.collate)
            options << QStringLiteral("Collate") << QStringLiteral("True");
    }
    options << QStringLiteral("sides") << SidesValue(settings.sides);
    if (settings.landscape)
        options << QStringLiteral("landscape") << QString();
    QStringList standard;
    for (qsizetype i = 0; i < options.size(); i += 2)
        standard << options[i];
    for (qsizetype i = 0; i + 1 < settings.driverOptions.size(); i += 2) {
        if (!standard.contains(settings.driverOptions[i]))
            options << settings.driverOptions[i] << settings.driverOptions[i + 1];
    }
    return options;
}
