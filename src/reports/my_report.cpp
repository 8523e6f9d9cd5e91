#include "reports/my_report.h"

#include "reports/report_state.h"
#include "reports/save_as_bitmap.h"

#include <algorithm>

ReportState::ReportState(QString reportTitle, OperatorMessages& operatorMessages,
                         SiteValues siteValues)
    : title(std::move(reportTitle)), messages(operatorMessages), site(std::move(siteValues))
{}

QStringView ReportState::DataLine(int line) const
{
    if (line < 1 || line > data.size())
        return {};
    return data.at(line - 1);
}

void ReportState::ApplyReportFont() const
{
    if (reportFont.isEmpty() || !surface)
        return;
    SurfaceFont font = surface->Font();
    font.face = reportFont;
    surface->SetFont(font);
}

my_report::my_report(QString title, OperatorMessages& messages, SiteValues site)
    : m_state(std::make_unique<State>(title.isEmpty() ? QStringLiteral("Zestawienie")
                                                      : std::move(title),
                                      messages, std::move(site)))
{
    m_state->exports.push_back(std::make_unique<save_as_bitmap>());
}

my_report::~my_report() = default;

bool my_report::is_break(int) const
{
    return false;
}

int my_report::data_line_count() const
{
    return m_state->model.LineCount();
}

const ReportPageModel& my_report::page_model() const
{
    return m_state->model;
}

int my_report::lines_per_page() const
{
    const int lines = m_state->onPrinter
                          ? m_state->printerLinesPerPage
                          : PreviewLinesPerPage(m_state->settings, data_line_count());
    return std::max(lines, 1);
}

int my_report::first_line_of_page(int section, int page) const
{
    return m_state->model.FirstLineOfPage(section, page, lines_per_page());
}

int my_report::last_line_of_page(int section, int page) const
{
    return m_state->model.LastLineOfPage(section, page, lines_per_page());
}

void my_report::use_preview_surface(Surface& surface)
{
    m_state->preview = &surface;
    m_state->surface = &surface;
    m_state->onPrinter = false;
    m_state->scale = 1.0;
    m_state->originX = 0;
    m_state->originY = 0;
}

namespace {

void FillWhite(Surface& surface)
{
    surface.SetPen(kWhite, 1);
    surface.SetBrushColor(kWhite);
    surface.Rectangle(0, 0, surface.PageWidth(), surface.PageHeight());
}

} // namespace

QString my_report::render_page(int section, int page, const PageProgress& progress)
{
    State& state = *m_state;
    if (!state.preview)
        return QString::fromUtf8("Brak powierzchni podglądu zestawienia");
    use_preview_surface(*state.preview);
    state.drawError.clear();
    state.ApplyReportFont();
    FillWhite(*state.surface);

    const int count = data_line_count();
    const int first = first_line_of_page(section, page);
    // The page shows at least its first line, even past the data, so that a
    // report without data still has its one page.
    const int last = std::max(first, std::min(last_line_of_page(section, page), count));
    state.lineCounter = first - 1;
    print_header(section, page);
    for (int line = first; line <= last && state.drawError.isEmpty(); ++line) {
        print_line(line);
        if (progress)
            progress(line - first + 1, last - first + 1);
    }
    print_footer(section, page, is_break(last) || last == count);
    return state.drawError;
}

void my_report::set_report_font(const QString& face)
{
    m_state->reportFont = face;
}

const QString& my_report::title() const
{
    return m_state->title;
}

const QString& my_report::footnote() const
{
    return m_state->footnote;
}

void my_report::set_footnote(const QString& text)
{
    m_state->footnote = text;
}

ReportOrientation my_report::orientation() const
{
    return m_state->settings.orientation;
}

void my_report::set_orientation(ReportOrientation orientation)
{
    m_state->settings.orientation = orientation;
}

const ReportSettings& my_report::settings() const
{
    return m_state->settings;
}

std::vector<std::unique_ptr<my_save>>& my_report::exports()
{
    return m_state->exports;
}

void my_report::set_preview_picture(PreviewPicture* picture)
{
    m_state->previewPicture = picture;
}

PreviewPicture* my_report::preview_picture() const
{
    return m_state->previewPicture;
}
