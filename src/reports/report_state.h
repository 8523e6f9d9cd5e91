#pragma once

#include "reports/bars.h"
#include "reports/my_report.h"
#include "reports/my_save.h"
#include "reports/report_expressions.h"
#include "reports/report_page_model.h"
#include "reports/report_settings.h"
#include "reports/report_text_placement.h"
#include "reports/report_words.h"
#include "reports/surface.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class OperatorMessages;

// Everything a report draws with and keeps between bands, pages and print
// jobs. The band and element code works on this record directly, so it is
// declared outside my_report, whose own State merely is one.
struct ReportState
{
    ReportState(QString reportTitle, OperatorMessages& operatorMessages, SiteValues siteValues);

    QString title;
    QString footnote;
    OperatorMessages& messages;
    SiteValues site;

    ReportSettings settings;
    QStringList description;
    QStringList data;
    // The words of every description line, split once: the element lines
    // are drawn for every data line, the words never change.
    std::vector<ReportWords> words;
    ReportPageModel model{QStringList()};
    // The report file's folder with its trailing separator; pictures are
    // only taken from inside it.
    QString imageDirectory;

    // Where drawing goes now: the preview, or a printer sheet during a job.
    Surface* surface = nullptr;
    Surface* preview = nullptr;
    bool onPrinter = false;
    double scale = 1.0;
    int originX = 0;
    int originY = 0;
    int printerLinesPerPage = 1;
    QString reportFont;

    // Where the next band begins, and where the last text ended ("+").
    SurfacePoint position;
    ReportTextPlacement text;
    int lineCounter = 0;
    int pageNumber = 0;
    int printFrom = 0;
    int printTo = 0;
    // The first conversion or bar-code data error met while drawing; it ends
    // the page or the job, and until it is cleared the bands draw nothing.
    QString drawError;

    std::vector<std::unique_ptr<my_save>> exports;
    PreviewPicture* previewPicture = nullptr;
    // Its symbology carries over from one BAR element to the next.
    TBarcode barcode;

    // Data line `line` (from 1); an empty line outside the data.
    QStringView DataLine(int line) const;
    // The configured report font's face on the current surface, if any.
    void ApplyReportFont() const;
};

struct my_report::State : ReportState
{
    using ReportState::ReportState;
};
