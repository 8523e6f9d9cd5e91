#include "reports/tbl_report.h"

#include "operator_messages.h"
#include "reports/report_elements.h"
#include "reports/report_state.h"
#include "reports/save_as_csv.h"
#include "reports/save_as_nura.h"
#include "reports/save_as_tab.h"

#include <QFileInfo>

#include <algorithm>

tbl_report::tbl_report(const QString& title, OperatorMessages& messages, const SiteValues& site)
    : my_report(title, messages, site)
{}

tbl_report::~tbl_report() = default;

std::unique_ptr<tbl_report> tbl_report::Open(const QString& title, const QString& path,
                                             OperatorMessages& messages, const SiteValues& site)
{
    ReportFile file;
    if (!ReadReportFile(path, file)) {
        messages.ShowMessage(QStringLiteral("Brak pliku: ") + path);
        return nullptr;
    }
    std::unique_ptr<tbl_report> report(new tbl_report(title, messages, site));
    State& state = *report->m_state;
    const QString error = ParseDescription(file.description, state.settings, messages);
    if (!error.isEmpty()) {
        messages.ShowMessage(error);
        return nullptr;
    }
    state.description = std::move(file.description);
    state.data = std::move(file.data);
    state.words.reserve(static_cast<size_t>(state.description.size()));
    for (const QString& line : std::as_const(state.description))
        state.words.emplace_back(line);
    state.model = ReportPageModel(state.data);
    state.imageDirectory = QFileInfo(path).absolutePath() + QLatin1Char('/');
    state.exports.push_back(std::make_unique<save_as_nura>());
    state.exports.push_back(std::make_unique<save_as_csv>());
    state.exports.push_back(std::make_unique<save_as_tab>());
    return report;
}

void tbl_report::print_header(int section, int page)
{
    State& state = *m_state;
    state.pageNumber = page;
    state.position = {state.originX, state.originY};
    const int first = first_line_of_page(section, page);
    state.lineCounter = first;
    render_band(state, first, state.settings.header, page == 1, false);
}

void tbl_report::print_line(int line)
{
    State& state = *m_state;
    if (line < 1 || line > data_line_count())
        return;
    render_band(state, line, state.settings.line, false, false);
    ++state.lineCounter;
}

void tbl_report::print_footer(int section, int page, bool last)
{
    State& state = *m_state;
    state.pageNumber = page;
    state.lineCounter = last_line_of_page(section, page);
    // A page that ends with the data shows the last data line's fields.
    render_band(state, std::min(state.lineCounter, data_line_count()), state.settings.footer, false,
                last);
}

int tbl_report::design_width() const
{
    return m_state->settings.designWidth;
}

int tbl_report::page_height_units() const
{
    return PreviewPageHeightUnits(m_state->settings, data_line_count());
}

bool tbl_report::is_break(int line) const
{
    return m_state->model.IsBreak(line);
}

const QStringList& tbl_report::description_lines() const
{
    return m_state->description;
}

const QStringList& tbl_report::data_lines() const
{
    return m_state->data;
}
