// The layout of a form panel's rich text: lines of mixed text, colours and
// links laid out at 600 pixels with the real font's measurements, for 1,000
// and 10,000 content lines. The time must grow with the lines, no faster.
#include "offscreen_benchmarks.h"
#include "operator_messages.h"
#include "reports/rich_text_layout.h"
#include "reports/ui/rich_text_measure.h"

#include <QFont>

namespace {

QStringList MixedContent(int lineCount)
{
    const QChar esc(0x1B);
    const QChar sub(0x1A);
    QStringList lines;
    lines.reserve(lineCount);
    for (int i = 0; i < lineCount; ++i) {
        QString line = QStringLiteral("Pozycja %1: ").arg(i);
        line += esc + QStringLiteral("CR") + sub + QStringLiteral("pilne ");
        line += esc + QStringLiteral("C0") + sub + esc + QStringLiteral("SB") + sub;
        line += QStringLiteral("Zbiory regionalne ");
        line += esc + QStringLiteral("S") + sub;
        line += QStringLiteral("oraz opis egzemplarza, który zajmuje więcej niż jeden wiersz "
                               "panelu i musi zostać zawinięty przy prawej krawędzi. ");
        line += esc + QStringLiteral("Lpoz%1||szczegóły").arg(i) + sub;
        line += esc + QStringLiteral("/") + sub;
        lines << line;
    }
    return lines;
}

void LayOutMixedContent(benchmark::State& state)
{
    const QStringList lines = MixedContent(static_cast<int>(state.range(0)));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    CollectedMessages messages;
    std::size_t items = 0;
    for (auto _ : state) {
        QtRichTextMeasure measure(font, messages);
        const RichTextLayout layout = LayOutRichText(lines, {600, 17, 12}, measure);
        items = layout.items.size();
        benchmark::DoNotOptimize(items);
    }
    state.counters["items"] = static_cast<double>(items);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(LayOutMixedContent)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksWithWindows(argc, argv);
}
