// The report preview window on large reports, each figure until the page
// picture has been painted: the page buttons and go-to-page on a report of
// a million lines, near its first page and near its last (the times must
// not depend on where the page lies), the whole report shown from its file
// to the first painted page next to opening the file alone, and the page
// drawn again at 400 %. A librarian waits for each of these, so every turn
// is timed on its own: `median_ms` is the usual wait, `worst_ms` the
// longest one seen.
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "app/ui/modal_runner.h"
#include "offscreen_benchmarks.h"
#include "operator_messages.h"
#include "paint_watcher.h"
#include "reports/preview_window_settings.h"
#include "reports/tbl_report.h"
#include "reports/ui/preview_picture_widget.h"
#include "reports/ui/zestawienie.h"
#include "side_by_side.h"
#include "visit_list_report.h"

#include <QApplication>
#include <QInputDialog>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int kLargeLines = 1000000;
constexpr int kFirstPaintLines = 100000;
// Page switches timed for each figure.
constexpr int kSwitches = 200;
constexpr int kMaxZoomPercent = 400;

// A preview window as the program creates it, with its paints watched.
class Preview
{
public:
    Preview() : m_paints(*m_window.Picture()) {}

    TForm2& Window() { return m_window; }

    // Shows the report in `path` until its first page has been painted.
    bool Show(const QString& path)
    {
        return m_window.show_report(QStringLiteral("Odwiedziny"), path,
                                    QStringLiteral("Biblioteka Publiczna")) &&
               m_paints.WaitForPaint();
    }
    // Gives a command of the window and waits until the page it leads to
    // has been painted.
    template <typename Command> bool Do(Command&& command)
    {
        command();
        return m_paints.WaitForPaint();
    }
    // "Przejdź do strony…" answered with page `number` (from 1).
    void GoToPage(int number)
    {
        PrepareModalAnswer([number](QDialog& dialog) {
            auto* input = qobject_cast<QInputDialog*>(&dialog);
            if (input == nullptr)
                return static_cast<int>(QDialog::Rejected);
            input->setIntValue(number);
            return static_cast<int>(QDialog::Accepted);
        });
        m_window.GoToPage();
    }
    // Goes to page `number` until it has been painted; false when it was not.
    bool ShowPage(int number)
    {
        return Do([&] { GoToPage(number); }) && PageNumber() == number;
    }
    int PageNumber() const { return m_window.PageIndicator().section(u' ', 1, 1).toInt(); }
    int PageCount() const { return m_window.PageIndicator().section(u' ', 3, 3).toInt(); }

private:
    TForm2 m_window{PreviewWindowSettings{}};
    PaintWatcher m_paints;
};

// One large report shown at a time: the benchmarks run size by size. The
// window goes before the application does (ReleaseShown).
struct ShownReport
{
    int lines = 0;
    std::unique_ptr<Preview> preview;
};

ShownReport& Shown()
{
    static ShownReport shown;
    return shown;
}

void ReleaseShown()
{
    Shown() = ShownReport();
}

Preview* Showing(int lines)
{
    ShownReport& shown = Shown();
    if (shown.lines != lines) {
        ReleaseShown();
        const QString path = VisitListFile(lines);
        auto fresh = std::make_unique<Preview>();
        if (path.isEmpty() || !fresh->Show(path))
            return nullptr;
        shown = {lines, std::move(fresh)};
    }
    return shown.preview.get();
}

// On the preview of the large report: times `step` (which returns whether
// it went right) once per iteration, after `prepare` (untimed, also
// returning whether it went right).
template <typename Prepare, typename Step>
void TimeTurns(benchmark::State& state, Prepare&& prepare, Step&& step)
{
    Preview* preview = Showing(kLargeLines);
    if (preview == nullptr) {
        state.SkipWithError("the report was not shown");
        return;
    }
    TurnTimes turns;
    for (auto _ : state) {
        if (!prepare(*preview)) {
            state.SkipWithError("the page to start from was not shown");
            return;
        }
        if (!turns.Timed([&] { return step(*preview); })) {
            state.SkipWithError("the command did not show the page it should");
            return;
        }
        state.SetIterationTime(turns.Last());
    }
    state.counters["median_ms"] = turns.Median() * 1000;
    state.counters["worst_ms"] = turns.Worst() * 1000;
    state.counters["pages"] = preview->PageCount();
}

// Every figure of page switches: kSwitches turns, each timed on its own.
void TimedTurns(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Iterations(kSwitches)->UseManualTime()->Unit(benchmark::kMillisecond);
}

// Where a benchmark's pages lie: among the first kSwitches + 1 pages of the
// report, among the last ones, or at both ends in turn.
enum class Near
{
    First,
    Last,
    BothEnds
};

// Page `offset` (0 to kSwitches) of the kSwitches + 1 pages at the end of
// the report that `near` names, as a page number from 1.
int PageNear(const Preview& preview, Near near, int offset)
{
    return near == Near::First ? 1 + offset : preview.PageCount() - kSwitches + offset;
}

// ">>" (or "<<" when not `forward`) page after page through the kSwitches + 1
// pages at one end of the report.
void PageStep(benchmark::State& state, Near near, bool forward)
{
    int expected = 0;
    TimeTurns(
        state,
        [&](Preview& preview) {
            if (expected != 0)
                return true;
            expected = PageNear(preview, near, forward ? 0 : kSwitches);
            return preview.ShowPage(expected);
        },
        [&](Preview& preview) {
            TForm2& window = preview.Window();
            expected += forward ? 1 : -1;
            return preview.Do([&] { forward ? window.Button3Click() : window.Button2Click(); }) &&
                   preview.PageNumber() == expected;
        });
}

void NextPage(benchmark::State& state, Near near)
{
    PageStep(state, near, true);
}
BENCHMARK_CAPTURE(NextPage, near_first, Near::First)->Apply(TimedTurns);
BENCHMARK_CAPTURE(NextPage, near_last, Near::Last)->Apply(TimedTurns);

void PreviousPage(benchmark::State& state, Near near)
{
    PageStep(state, near, false);
}
BENCHMARK_CAPTURE(PreviousPage, near_first, Near::First)->Apply(TimedTurns);
BENCHMARK_CAPTURE(PreviousPage, near_last, Near::Last)->Apply(TimedTurns);

// ">|" from a page near the first or near the last.
void LastPage(benchmark::State& state, Near near)
{
    int turn = 0;
    TimeTurns(
        state,
        [&](Preview& preview) {
            // The last page itself has no ">|".
            return preview.ShowPage(
                std::min(PageNear(preview, near, turn++), preview.PageCount() - 1));
        },
        [&](Preview& preview) {
            return preview.Do([&] { preview.Window().Button6Click(); }) &&
                   preview.PageNumber() == preview.PageCount();
        });
}
BENCHMARK_CAPTURE(LastPage, from_near_first, Near::First)->Apply(TimedTurns);
BENCHMARK_CAPTURE(LastPage, from_near_last, Near::Last)->Apply(TimedTurns);

// "Przejdź do strony…" with its dialog answered at once: pages in a
// scattered order near one end, or at both ends in turn.
void GoToPage(benchmark::State& state, Near near)
{
    int turn = 0;
    TimeTurns(
        state, [](Preview&) { return true; },
        [&](Preview& preview) {
            // 37 and kSwitches + 1 have no common divisor: every page once.
            const int offset = (turn * 37) % (kSwitches + 1);
            const Near end = near != Near::BothEnds ? near
                             : turn % 2 == 0        ? Near::First
                                                    : Near::Last;
            ++turn;
            return preview.ShowPage(PageNear(preview, end, offset));
        });
}
BENCHMARK_CAPTURE(GoToPage, near_first, Near::First)->Apply(TimedTurns);
BENCHMARK_CAPTURE(GoToPage, near_last, Near::Last)->Apply(TimedTurns);
BENCHMARK_CAPTURE(GoToPage, both_ends, Near::BothEnds)->Apply(TimedTurns);

// At 400 %: the page shown drawn again ("Powiększ" at the largest zoom
// draws anew), or, with `step`, ">>" and "<<" in turn.
void At400Percent(benchmark::State& state, bool step)
{
    const int start = 2;
    bool zoomed = false;
    bool forward = true;
    TimeTurns(
        state,
        [&](Preview& preview) {
            TForm2& window = preview.Window();
            while (!zoomed && window.ZoomPercent() < kMaxZoomPercent) {
                if (!preview.Do([&] { window.ZoomIn(); }))
                    return false;
            }
            zoomed = zoomed || (window.ZoomPercent() == kMaxZoomPercent && preview.ShowPage(start));
            return zoomed;
        },
        [&](Preview& preview) {
            TForm2& window = preview.Window();
            if (!step)
                return preview.Do([&] { window.ZoomIn(); });
            const int expected = forward ? start + 1 : start;
            const bool shown =
                preview.Do([&] { forward ? window.Button3Click() : window.Button2Click(); });
            forward = !forward;
            return shown && preview.PageNumber() == expected;
        });
    if (Preview* preview = Showing(kLargeLines)) {
        const QImage& picture = preview->Window().Picture()->Picture();
        state.counters["picture_megapixels"] =
            static_cast<double>(picture.width()) * picture.height() / 1e6;
        if (!preview->Do([&] { preview->Window().ZoomActual(); }))
            state.SkipWithError("the page was not drawn again at 100 %");
    }
}
BENCHMARK_CAPTURE(At400Percent, redraw, false)->Apply(TimedTurns);
BENCHMARK_CAPTURE(At400Percent, next_previous, true)->Apply(TimedTurns);

// A report from its file to its first painted page, next to opening the
// file alone (what no preview can do without), taking turns.
void ShowReportVsOpen(benchmark::State& state)
{
    const QString path = VisitListFile(kFirstPaintLines);
    if (path.isEmpty()) {
        state.SkipWithError("the report file was not written");
        return;
    }
    Preview preview;
    CollectedMessages messages;
    // Like the window, the open side lets its previous report go first, so
    // both sides find the memory allocator in the same state.
    std::unique_ptr<tbl_report> opened;
    SideBySide sides("open", "show_report");
    for (auto _ : state) {
        const bool done = sides.Turn(
            [&] {
                opened.reset();
                opened =
                    tbl_report::Open(QStringLiteral("Odwiedziny"), path, messages, SiteValues());
                return opened && opened->data_line_count() == kFirstPaintLines;
            },
            [&] { return preview.Show(path) && preview.PageNumber() == 1; });
        if (!done) {
            state.SkipWithError("the report was not opened or shown");
            return;
        }
    }
    sides.Report(state, 1, "reports");
    state.counters["open_median_ms"] = sides.FirstTurns().Median() * 1000;
    state.counters["show_median_ms"] = sides.SecondTurns().Median() * 1000;
    if (const auto it = state.counters.find("vs_open"); it != state.counters.end())
        state.counters["times_open"] = 1.0 / it->second.value;
}
BENCHMARK(ShowReportVsOpen)->UseRealTime()->Iterations(40)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksWithWindows(argc, argv, ReleaseShown);
}
