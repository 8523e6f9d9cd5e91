// A large report on its way from the server's file to the preview, the
// printer and a table: opening and parsing next to reading the same file
// with std::getline (the floor), the CSV export next to an awk script doing
// the same field extraction (what a librarian's IT person would write), the
// page walk and the last page for 10k, 100k and 1M lines (they must grow no
// faster than the line count), and the peak memory as a multiple of the file.
#include "operator_messages.h"
#include "reports/export_columns.h"
#include "reports/recording_print_device.h"
#include "reports/recording_surface.h"
#include "reports/report_page_model.h"
#include "reports/save_as_csv.h"
#include "reports/tbl_report.h"
#include "resident_memory.h"
#include "side_by_side.h"
#include "visit_list_report.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kStandardLines = 100000;

// A generated report file and its size.
struct GeneratedFile
{
    QString path;
    qint64 size = 0;
};

GeneratedFile ReportFile(int lines)
{
    const QString path = VisitListFile(lines);
    return {path, path.isEmpty() ? 0 : QFileInfo(path).size()};
}

std::unique_ptr<tbl_report> OpenReport(const QString& path, OperatorMessages& messages)
{
    return tbl_report::Open(QStringLiteral("Zestawienie"), path, messages, SiteValues());
}

void LoadReportVsGetline(benchmark::State& state)
{
    const GeneratedFile file = ReportFile(kStandardLines);
    SideBySide sides("getline", "open");
    for (auto _ : state) {
        const bool done = sides.Turn(
            [&] {
                std::ifstream in(file.path.toStdString());
                std::string line;
                qint64 count = 0;
                while (std::getline(in, line))
                    count += static_cast<qint64>(line.size());
                benchmark::DoNotOptimize(count);
                return count > 0;
            },
            [&] {
                CollectedMessages messages;
                const std::unique_ptr<tbl_report> report = OpenReport(file.path, messages);
                return report && report->data_line_count() == kStandardLines;
            });
        if (!done) {
            state.SkipWithError("the report did not load");
            break;
        }
    }
    sides.Report(state, static_cast<double>(file.size), "bytes", benchmark::Counter::kIs1024);
    state.counters["file_MB"] = static_cast<double>(file.size) / (1 << 20);
}
BENCHMARK(LoadReportVsGetline)->UseRealTime()->Iterations(8)->Unit(benchmark::kMillisecond);

// The same columns, cells, quoting and CR LF lines as the CSV export, from
// the file on disk.
const char kAwkScript[] =
    "BEGIN { n = split(cols, name, \";\") }\n"
    "!data { if ($0 == \"[END]\\r\" || $0 == \"[END]\") { data = 1; printf \"%s\\r\\n\", cols }"
    " next }\n"
    "{ sub(/\\r$/, \"\"); row = \"\"\n"
    "  for (i = 1; i <= n; i++) {\n"
    "    v = \"\"; p = index($0, \"&\" name[i] \"=\")\n"
    "    if (p) { v = substr($0, p + length(name[i]) + 2); q = index(v, \"&\");"
    " if (q) v = substr(v, 1, q - 1) }\n"
    "    gsub(/\\0331/, \"\\\\&\", v); gsub(/\"/, \"'\", v)\n"
    "    row = row (i > 1 ? \";\" : \"\") \"\\\"\" v \"\\\"\"\n"
    "  }\n"
    "  printf \"%s\\r\\n\", row }\n";

bool RunAwk(const QString& script, const QString& columns, const QString& input,
            const QString& output)
{
    const std::string command = "LC_ALL=C awk -v cols='" + columns.toStdString() + "' -f '" +
                                script.toStdString() + "' '" + input.toStdString() + "' > '" +
                                output.toStdString() + "'";
    return std::system(command.c_str()) == 0;
}

void CsvExportVsAwk(benchmark::State& state)
{
    const GeneratedFile file = ReportFile(kStandardLines);
    QTemporaryDir folder;
    const QString script = folder.filePath(QStringLiteral("csv.awk"));
    {
        QFile out(script);
        if (!out.open(QIODevice::WriteOnly))
            state.SkipWithError("cannot write the awk script");
        out.write(kAwkScript);
    }
    CollectedMessages messages;
    const std::unique_ptr<tbl_report> report = OpenReport(file.path, messages);
    if (!report) {
        state.SkipWithError("the report did not load");
        return;
    }
    const QString columns =
        ExportColumns(report->description_lines()).Names().join(QLatin1Char(';'));
    const QString awkOut = folder.filePath(QStringLiteral("awk.csv"));
    const QString ourOut = folder.filePath(QStringLiteral("export.csv"));
    const bool openToo = state.range(0) != 0;
    SideBySide sides("awk", openToo ? "open_and_export" : "export");
    for (auto _ : state) {
        const bool done =
            sides.Turn([&] { return RunAwk(script, columns, file.path, awkOut); },
                       [&] {
                           if (!openToo)
                               return save_as_csv().save(*report, ourOut, messages);
                           const auto fresh = OpenReport(file.path, messages);
                           return fresh && save_as_csv().save(*fresh, ourOut, messages);
                       });
        if (!done) {
            state.SkipWithError("an export failed");
            break;
        }
    }
    // Both sides must have written the same table, or the race means nothing.
    QFile a(awkOut);
    QFile b(ourOut);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.readAll() != b.readAll())
        state.SkipWithError("awk and the export wrote different tables");
    sides.Report(state, static_cast<double>(file.size), "bytes", benchmark::Counter::kIs1024);
}
BENCHMARK(CsvExportVsAwk)
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Iterations(6)
    ->Unit(benchmark::kMillisecond);

// What the preview and the print dialog ask of a loaded report.
struct LoadedReport
{
    explicit LoadedReport(int lines) : report(OpenReport(ReportFile(lines).path, messages)) {}
    CollectedMessages messages;
    std::unique_ptr<tbl_report> report;
};

// One large report in memory at a time: the benchmarks run size by size.
LoadedReport& Loaded(int lines)
{
    static int current = 0;
    static std::unique_ptr<LoadedReport> loaded;
    if (current != lines) {
        loaded.reset();
        loaded = std::make_unique<LoadedReport>(lines);
        current = lines;
    }
    return *loaded;
}

void CountPages(benchmark::State& state)
{
    LoadedReport& loaded = Loaded(static_cast<int>(state.range(0)));
    if (!loaded.report) {
        state.SkipWithError("the report did not load");
        return;
    }
    RecordingPrintDevice printer(300, 2480, 3508);
    int pages = 0;
    for (auto _ : state) {
        QString error;
        pages = loaded.report->count_pages(printer, error);
    }
    state.counters["pages"] = pages;
    state.SetComplexityN(state.range(0));
}
BENCHMARK(CountPages)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// ">|": the page sequence walked to its end, from the data lines.
void WalkToLastPage(benchmark::State& state)
{
    LoadedReport& loaded = Loaded(static_cast<int>(state.range(0)));
    if (!loaded.report) {
        state.SkipWithError("the report did not load");
        return;
    }
    const int linesPerPage =
        PreviewLinesPerPage(loaded.report->settings(), loaded.report->data_line_count());
    ReportPageModel::Page last;
    for (auto _ : state) {
        const ReportPageModel model(loaded.report->data_lines());
        last = model.Pages(linesPerPage).back();
    }
    state.counters["last_section"] = last.section;
    state.counters["last_page"] = last.page;
    state.SetComplexityN(state.range(0));
}
BENCHMARK(WalkToLastPage)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void RenderLastPage(benchmark::State& state)
{
    LoadedReport& loaded = Loaded(static_cast<int>(state.range(0)));
    if (!loaded.report) {
        state.SkipWithError("the report did not load");
        return;
    }
    const ReportPageModel model(loaded.report->data_lines());
    const ReportPageModel::Page last =
        model
            .Pages(PreviewLinesPerPage(loaded.report->settings(), loaded.report->data_line_count()))
            .back();
    RecordingSurface surface;
    loaded.report->use_preview_surface(surface);
    for (auto _ : state) {
        surface.Clear();
        if (!loaded.report->render_page(last.section, last.page).isEmpty()) {
            state.SkipWithError("the last page did not draw");
            break;
        }
    }
    state.counters["records"] = static_cast<double>(surface.Records().size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(RenderLastPage)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// Everything a librarian does with a large report at once: open it, count
// the printer's pages, go to the last page and draw it, save it as CSV.
void PeakMemory(benchmark::State& state)
{
    const GeneratedFile file = ReportFile(kStandardLines);
    QTemporaryDir folder;
    double peak = 0;
    for (auto _ : state) {
        ResetPeakMemory();
        const qint64 before = ResidentBytes("VmRSS:");
        {
            CollectedMessages messages;
            const std::unique_ptr<tbl_report> report = OpenReport(file.path, messages);
            if (!report) {
                state.SkipWithError("the report did not load");
                break;
            }
            RecordingPrintDevice printer(300, 2480, 3508);
            QString error;
            benchmark::DoNotOptimize(report->count_pages(printer, error));
            RecordingSurface surface;
            report->use_preview_surface(surface);
            const ReportPageModel model(report->data_lines());
            const ReportPageModel::Page last =
                model.Pages(PreviewLinesPerPage(report->settings(), report->data_line_count()))
                    .back();
            report->render_page(last.section, last.page);
            save_as_csv().save(*report, folder.filePath(QStringLiteral("t.csv")), messages);
            peak = std::max(peak, static_cast<double>(ResidentBytes("VmHWM:") - before));
        }
    }
    state.counters["peak_per_file_byte"] = peak / static_cast<double>(file.size);
    state.counters["file_MB"] = static_cast<double>(file.size) / (1 << 20);
}
BENCHMARK(PeakMemory)->UseRealTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
