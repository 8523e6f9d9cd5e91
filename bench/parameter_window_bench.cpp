// The parameter window opened for a generated form of 500 fields, eleven
// kinds of field in turn (label, line, date, number, spin, list, check box,
// memo, marker memo, dictionary field, button), from the call that runs it
// until the window has been painted with every editor built; beside it, the
// form alone compiled with its values loaded, which is what the window adds
// its editors to. A librarian waits for this after choosing a report.
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "app/ui/modal_runner.h"
#include "client/ansi_codec.h"
#include "forms/parameter_run.h"
#include "forms/ui/parametry.h"
#include "offscreen_benchmarks.h"
#include "operator_messages.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kFields = 500;
constexpr int kColumns = 5;

// Each field with its place: five to a row, rows 30 pixels apart; in the
// code page, as the program writes a report's form.
QByteArray GeneratedForm()
{
    static const char* const kStatements[] = {
        "LABEL 'Pole %1' ON %2, %3",
        "FIELD 'F%1' LIMIT 40 ON %2, %3, 120",
        "DATE 'F%1' ON %2, %3, 100",
        "NUMBER 'F%1' MASK SIGNED 8, 2 ON %2, %3, 100",
        "SPIN 'F%1' MASK 3 LIMIT 1, 500 ON %2, %3, 60",
        "COMBO 'F%1' MASK 'A|Pierwsza|B|Druga|C|Trzecia|' ON %2, %3, 120",
        "CHECK 'F%1' MASK 'Pole %1' ON %2, %3, 120",
        "MEMO 'F%1' ON %2, %3, 120, 24",
        "MARKERS 'F%1' MASK '^|a|Autor|t|Tytuł|' ON %2, %3, 120, 0",
        "DICTIONARY 'F%1' ON %2, %3, 120",
        "BUTTON 'F%1' MASK 'Szukaj' ON %2, %3, 80, 24",
    };
    QString text = QStringLiteral("BEGIN\n");
    for (int i = 0; i < kFields; ++i) {
        text += QString::fromUtf8(kStatements[i % std::size(kStatements)])
                    .arg(i)
                    .arg(10 + 140 * (i % kColumns))
                    .arg(10 + 30 * (i / kColumns)) +
                u'\n';
    }
    return EncodeAnsi(text + QStringLiteral("END\n"));
}

// Tells when the form's panel has been painted.
class PanelPaints : public QObject
{
public:
    explicit PanelPaints(QWidget& panel) : m_panel(panel) { panel.installEventFilter(this); }
    ~PanelPaints() override { m_panel.removeEventFilter(this); }

    void Reset() { m_painted = false; }
    bool WaitForPaint() const
    {
        const QDeadlineTimer deadline(10000);
        while (!m_painted && !deadline.hasExpired())
            QApplication::processEvents();
        return m_painted;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_panel && event->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

private:
    QWidget& m_panel;
    bool m_painted = false;
};

class FormFile
{
public:
    FormFile() : m_path(m_folder.filePath(QStringLiteral("PARAMS.TMP")))
    {
        QFile file(m_path);
        m_written = file.open(QIODevice::WriteOnly) && file.write(GeneratedForm()) > 0;
    }
    bool Written() const { return m_written; }
    const QString& Path() const { return m_path; }

private:
    QTemporaryDir m_folder;
    QString m_path;
    bool m_written = false;
};

using Clock = std::chrono::steady_clock;

// The window as the program runs it; its modal loop is answered once the
// window has been painted, and closing it afterwards is not timed.
void BM_ParameterWindowShown(benchmark::State& state)
{
    const FormFile form;
    if (!form.Written()) {
        state.SkipWithError("cannot write the form");
        return;
    }
    TOknoParametrow window;
    PanelPaints paints(*window.FormPanel());
    bool painted = true;
    for (auto _ : state) {
        paints.Reset();
        Clock::time_point shown;
        PrepareModalAnswer([&](QDialog& dialog) {
            dialog.show();
            painted = painted && paints.WaitForPaint();
            shown = Clock::now();
            dialog.hide();
            return int(QDialog::Rejected);
        });
        const Clock::time_point start = Clock::now();
        window.run(QStringLiteral("Parametry zestawienia"), form.Path(), QStringLiteral("Wykonaj"),
                   QString());
        if (PreparedAnswersLeft() != 0 || !painted) {
            state.SkipWithError("the window was not shown and painted");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    }
    state.counters["fields"] = double(kFields);
}
BENCHMARK(BM_ParameterWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_FormCompiledAndLoaded(benchmark::State& state)
{
    const FormFile form;
    CollectedMessages messages;
    for (auto _ : state) {
        std::unique_ptr<ParameterRun> run = ParameterRun::Open(form.Path(), QString(), messages);
        benchmark::DoNotOptimize(run.get());
    }
}
BENCHMARK(BM_FormCompiledAndLoaded)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksWithWindows(argc, argv);
}
