// One character typed into a MARKERS field of 20,000 stored characters with
// 2,000 markers, at the end and in the middle: through the marker text
// alone, and through the marker memo from the key event to the updated
// stored text (and, second, until the memo has been painted again). Each
// typed character is taken back untimed, so every run sees the same text.
// The toolkit's own text edit with the same display is the yardstick.
#include "forms/marker_specification.h"
#include "forms/marker_text.h"
#include "forms/ui/ts_memo.h"
#include "offscreen_benchmarks.h"

#include <QTest>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

const char kSpecification[] = "^|a|Tytuł|b|Podtytuł|cc|Uwaga|";
constexpr int kMarkers = 2000;

// Ten stored characters a group: a marker and eight ordinary characters.
QString LargeStoredText()
{
    const QString codes = QStringLiteral("abc");
    QString text;
    for (int i = 0; i < kMarkers; ++i)
        text += u'^' + codes.mid(i % 3, 1) + QStringLiteral("Tekst 12");
    return text;
}

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Argument 0: at the end; 1: in the middle.
void TypeIntoMarkerText(benchmark::State& state)
{
    MarkerText text;
    text.UseSpecification(ParseMarkerSpecification(QString::fromUtf8(kSpecification)));
    text.SetStoredText(LargeStoredText());
    const int length = text.DisplayLength();
    const int caret = state.range(0) == 0 ? length : length / 2;
    for (auto _ : state) {
        text.Select(caret, caret, MarkerText::Snap::Outward);
        const Clock::time_point start = Clock::now();
        // What the memo asks of its text for one key: the change, the new
        // caret, and the stored text the editor reads on the notification.
        auto change = text.TypeChar(u'x');
        benchmark::DoNotOptimize(change);
        benchmark::DoNotOptimize(text.DisplayAnchor() + text.DisplayCaret());
        benchmark::DoNotOptimize(text.StoredText().size());
        state.SetIterationTime(SecondsSince(start));
        text.DeleteBackward();
    }
}
BENCHMARK(TypeIntoMarkerText)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Arguments: where (0 end, 1 middle), and 1 to wait for the repaint too.
void TypeIntoMarkerMemo(benchmark::State& state)
{
    TSMemo memo;
    memo.resize(600, 400);
    memo.UseSpecification(ParseMarkerSpecification(QString::fromUtf8(kSpecification)));
    const QString stored = LargeStoredText();
    memo.SetText(stored);
    memo.show();
    QApplication::processEvents();
    const int caret = state.range(0) == 0 ? static_cast<int>(stored.size()) : kMarkers * 5;
    const bool paint = state.range(1) == 1;
    for (auto _ : state) {
        memo.SetCaret(caret);
        QApplication::processEvents();
        const Clock::time_point start = Clock::now();
        QTest::keyClick(&memo, Qt::Key_X);
        benchmark::DoNotOptimize(memo.StoredText().size());
        if (paint)
            memo.viewport()->repaint();
        state.SetIterationTime(SecondsSince(start));
        if (memo.StoredText().size() != stored.size() + 1)
            state.SkipWithError("the typed character did not reach the stored text");
        QTest::keyClick(&memo, Qt::Key_Backspace);
    }
}
BENCHMARK(TypeIntoMarkerMemo)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// The yardstick: the toolkit's own text edit with the same display (markers
// in red bold), one key typed and taken back as above. What the marker memo
// costs beyond this is its own.
void TypeIntoPlainTextEdit(benchmark::State& state)
{
    MarkerText text;
    text.UseSpecification(ParseMarkerSpecification(QString::fromUtf8(kSpecification)));
    text.SetStoredText(LargeStoredText());
    QTextEdit edit;
    edit.resize(600, 400);
    QTextCharFormat normal;
    QTextCharFormat marker;
    marker.setForeground(QColor(Qt::red));
    marker.setFontWeight(QFont::Bold);
    QTextCursor cursor(edit.document());
    for (const MarkerText::Run& run : text.DisplayRuns())
        cursor.insertText(run.text, run.marker ? marker : normal);
    edit.show();
    QApplication::processEvents();
    const int caret = state.range(0) == 0 ? text.DisplayLength() : text.DisplayLength() / 2;
    for (auto _ : state) {
        QTextCursor place = edit.textCursor();
        place.setPosition(caret);
        edit.setTextCursor(place);
        QApplication::processEvents();
        const Clock::time_point start = Clock::now();
        QTest::keyClick(&edit, Qt::Key_X);
        benchmark::DoNotOptimize(edit.document()->characterCount());
        state.SetIterationTime(SecondsSince(start));
        QTest::keyClick(&edit, Qt::Key_Backspace);
    }
}
BENCHMARK(TypeIntoPlainTextEdit)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksWithWindows(argc, argv);
}
