#pragma once

#include <QString>
#include <QStringList>

// How the scale of a report is chosen (the "ALIGN=" option).
enum class ReportLayout : unsigned char
{
    Full,
    Standard,
    Const,
    Width
};

enum class ReportOrientation : unsigned char
{
    Unset, // the printer's own
    Portrait,
    Landscape
};

// One band of the description: its height in design units and its element
// lines, as indexes into the description lines.
struct ReportBand
{
    int height = 1;
    int firstElement = 0;
    int elementCount = 0;
};

// What the description's "[REPORT ...]" line and band lines set. Lengths of
// the page are kept in centimetres, as the file's millimetres divided by 10.
struct ReportSettings
{
    int designWidth = 0;
    ReportLayout layout = ReportLayout::Full;
    int fixedLines = 0;         // lines per page in Const and Width
    double physicalWidthCm = 0; // Width: the printed width of the report
    ReportOrientation orientation = ReportOrientation::Unset;
    double leftCm = 1.5;
    double rightCm = 0.5;
    double topCm = 1.0;
    double bottomCm = 1.0;
    ReportBand header;
    ReportBand line;
    ReportBand footer;
};
