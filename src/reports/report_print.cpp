#include "reports/my_report.h"

#include "reports/print_device.h"
#include "reports/report_page_model.h"
#include "reports/report_state.h"

#include <algorithm>

namespace {

QString PrintError(const QString& text)
{
    return QStringLiteral("Błąd druku: ") + text;
}

DeviceScale ScaleFor(const ReportSettings& settings, const Surface& page)
{
    DeviceScale scale =
        PrinterScale(settings, page.PixelsPerInch(), page.PageWidth(), page.PageHeight());
    scale.linesPerPage = std::max(scale.linesPerPage, 1);
    return scale;
}

// Pages of up to `linesPerPage` lines, each ending early after a break
// line; one page without data.
int CountPages(const my_report& report, int linesPerPage)
{
    const int count = report.data_line_count();
    int pages = 0;
    int line = 1;
    do {
        ++pages;
        for (int taken = 0; line <= count && taken < linesPerPage;) {
            const bool ends = report.is_break(line);
            ++line;
            ++taken;
            if (ends)
                break;
        }
    } while (line <= count);
    return pages;
}

// Whatever way a job ends, the report draws on the preview again.
class PreviewRestorer
{
public:
    explicit PreviewRestorer(ReportState& state) : m_state(state) {}
    ~PreviewRestorer()
    {
        m_state.surface = m_state.preview;
        m_state.onPrinter = false;
        m_state.scale = 1.0;
        m_state.originX = 0;
        m_state.originY = 0;
    }
    PreviewRestorer(const PreviewRestorer&) = delete;
    PreviewRestorer& operator=(const PreviewRestorer&) = delete;

private:
    ReportState& m_state;
};

// The footnote goes small below the report on every sheet, in the font the
// report is written in.
void DrawFootnote(ReportState& state)
{
    if (state.footnote.isEmpty())
        return;
    Surface& surface = *state.surface;
    const SurfaceFont saved = surface.Font();
    SurfaceFont font = saved;
    constexpr double kPoints = 6.0;
    font.height = -RoundEven(kPoints * surface.PixelsPerInch() / 72.0);
    surface.SetFont(font);
    surface.SetBrushColor(kWhite);
    surface.TextOut({state.originX, surface.PageHeight() - state.originY + 10}, state.footnote);
    font.height = saved.height;
    surface.SetFont(font);
}

} // namespace

void my_report::set_print_range(int from, int to)
{
    m_state->printFrom = from;
    m_state->printTo = to;
}

int my_report::count_pages(PrintDevice& printer, QString& error)
{
    error.clear();
    return CountPages(*this, ScaleFor(m_state->settings, printer.Page()).linesPerPage);
}

QString my_report::print_all(PrintDevice& printer)
{
    State& state = *m_state;
    if (!printer.Begin(state.title))
        return PrintError(printer.ErrorText());
    const PreviewRestorer restorer(state);
    state.surface = &printer.Page();
    state.onPrinter = true;
    state.drawError.clear();
    state.ApplyReportFont();
    const DeviceScale device = ScaleFor(state.settings, *state.surface);
    state.scale = device.scale;
    state.originX = device.originX;
    state.originY = device.originY;
    state.printerLinesPerPage = device.linesPerPage;

    const auto inRange = [&state](int page) {
        return (state.printFrom == 0 && state.printTo == 0) ||
               (state.printFrom <= page && page <= state.printTo);
    };
    const int k = device.linesPerPage;
    const int count = data_line_count();
    int physical = 0;
    int section = 1;
    int next = 1;
    state.lineCounter = 0;
    do {
        bool endedWithBreak = false;
        int page = 1;
        do {
            ++physical;
            // Pages outside the range are walked without drawing, so that
            // the printed ones keep their sections and numbers.
            const bool printed = inRange(physical);
            if (printed)
                print_header(section, page);
            endedWithBreak = false;
            for (int taken = 0; next <= count && taken < k && !endedWithBreak; ++taken) {
                if (printed)
                    print_line(next);
                endedWithBreak = is_break(next);
                ++next;
            }
            if (printed) {
                print_footer(section, page, endedWithBreak || next > count);
                DrawFootnote(state);
                if (!state.drawError.isEmpty()) {
                    printer.Abort();
                    return PrintError(state.drawError);
                }
                if (next <= count && inRange(physical + 1)) {
                    if (!printer.NewPage()) {
                        const QString text = printer.ErrorText();
                        printer.Abort();
                        return PrintError(text);
                    }
                    state.surface = &printer.Page();
                }
            }
            ++page;
        } while (!endedWithBreak && next <= count);
        ++section;
    } while (next <= count);

    if (!printer.End()) {
        const QString text = printer.ErrorText();
        printer.Abort();
        return PrintError(text);
    }
    return {};
}
