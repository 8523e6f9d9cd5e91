#pragma once

#include "reports/report_settings.h"

#include <QStringList>

#include <vector>

// Device scale and placement of a report on a printer page.
struct DeviceScale
{
    double scale = 1.0; // device pixels per design unit
    int originX = 0;
    int originY = 0;
    int linesPerPage = 1;
};

// The scale for a printable page of `pageWidth` × `pageHeight` pixels at
// `dpi`, by the report's layout mode, and the data lines that fit a page.
DeviceScale PrinterScale(const ReportSettings& settings, int dpi, int pageWidth, int pageHeight);
// The height of one preview page in design units (the nominal page of
// 20 × 28.7 cm, turned for landscape), and its data lines per page.
int PreviewPageHeightUnits(const ReportSettings& settings, int dataLineCount);
int PreviewLinesPerPage(const ReportSettings& settings, int dataLineCount);

// Round half to even, as every design-unit conversion rounds.
int RoundEven(double value);

// Sections and pages over the data lines. Lines count from 1; a break line
// begins with "*", and lines beyond the data count as breaks. Built once
// per report: every question is answered from an index of the break lines,
// so walking to the last page of a large report stays linear.
class ReportPageModel
{
public:
    explicit ReportPageModel(const QStringList& data);

    int LineCount() const;
    bool IsBreak(int line) const;
    int FirstLineOfPage(int section, int page, int linesPerPage) const;
    // May be LineCount() + 1 when the data end within the page.
    int LastLineOfPage(int section, int page, int linesPerPage) const;

    struct Page
    {
        int section = 1;
        int page = 1;
        int first = 1;
        int last = 0;              // the last line shown (at most LineCount())
        bool lastOfSection = true; // ends with a break line or the last line
    };
    // The pages in order: (1,1), (1,2), ... (2,1), ...; one page for a
    // report without data lines.
    std::vector<Page> Pages(int linesPerPage) const;

private:
    int m_lineCount = 0;
    std::vector<int> m_breaks; // line numbers of the break lines, ascending
};
