#pragma once

#include "reports/report_expressions.h"
#include "reports/report_settings.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class ReportPageModel;
class my_save;
class OperatorMessages;
class PrintDevice;
class Surface;

// What the preview window offers the bitmap export: the page on screen.
class PreviewPicture
{
public:
    virtual ~PreviewPicture() = default;
    // Writes the page shown as a Windows bitmap; false when it cannot.
    virtual bool SaveBitmap(const QString& file) = 0;
};

// A report laid out in pages on a drawing surface: the preview picture at
// one pixel per design unit, or a printer page at the printer's scale. The
// page model (sections ended by break lines, pages of lines_per_page lines)
// and the print loop live here; the table report supplies the bands.
class my_report
{
public:
    virtual ~my_report();
    my_report(const my_report&) = delete;
    my_report& operator=(const my_report&) = delete;

    // The bands, against data line `line` (from 1).
    virtual void print_header(int section, int page) = 0;
    virtual void print_line(int line) = 0;
    virtual void print_footer(int section, int page, bool last) = 0;
    virtual int design_width() const = 0;
    virtual int page_height_units() const = 0;
    virtual bool is_break(int line) const;

    int data_line_count() const;
    // Sections and pages over the data lines.
    const ReportPageModel& page_model() const;
    int lines_per_page() const;
    int first_line_of_page(int section, int page) const;
    int last_line_of_page(int section, int page) const;

    // The preview: draws on `surface` at scale 1.0 from (0, 0).
    void use_preview_surface(Surface& surface);
    // Draws preview page (section, page) on the preview surface; the error
    // text of a number that did not convert or bar-code data the component
    // refused (the page stays as far as it was drawn), empty when complete.
    // `progress`, when given, hears after each data line how many of the
    // page's lines are drawn and how many it has.
    using PageProgress = std::function<void(int done, int total)>;
    QString render_page(int section, int page, const PageProgress& progress = {});

    // Pages the printer's page size gives (for the print dialog), and the
    // print loop over the print range with the footnote on every sheet.
    // Errors come back as "Błąd druku: " + text; the surface, scale and
    // origin return to the preview afterwards.
    int count_pages(PrintDevice& printer, QString& error);
    QString print_all(PrintDevice& printer);
    // Physical pages from..to; (0, 0) for all.
    void set_print_range(int from, int to);

    const QString& title() const;
    const QString& footnote() const;
    void set_footnote(const QString& text);
    // The face of the configured report font ("ZESTAWIENIA" "font"), set on
    // every surface before drawing; empty for the surface's own.
    void set_report_font(const QString& face);
    ReportOrientation orientation() const;
    void set_orientation(ReportOrientation orientation);
    const ReportSettings& settings() const;

    // The export formats, in the save dialog's order. The bitmap export
    // saves the page the preview picture shows, once one is attached.
    std::vector<std::unique_ptr<my_save>>& exports();
    void set_preview_picture(PreviewPicture* picture);
    PreviewPicture* preview_picture() const;

protected:
    my_report(QString title, OperatorMessages& messages, SiteValues site);

    // Implementation state shared with the table report (text placement,
    // the end point of the last text, the line counter, the scale and
    // origin, the bar-code component...) is declared by the implementation.
    struct State;
    std::unique_ptr<State> m_state;
};
