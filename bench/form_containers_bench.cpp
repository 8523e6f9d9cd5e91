// The repeated fields of a form as a librarian meets them: a DYNAMIC of 500
// instances shown again after one instance changed, once the last (only it
// is built again) and once the first (all 500 are); a LIST of 20 visible
// rows of 5 fields scrolled by one row; and a TABLE of 999 rows by 6
// columns built with a value in every cell.
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "forms/form_compiler.h"
#include "forms/form_descriptions.h"
#include "forms/form_record.h"
#include "forms/ui/ed_dynamic.h"
#include "forms/ui/ed_list.h"
#include "forms/ui/editor_builder.h"
#include "offscreen_benchmarks.h"
#include "operator_messages.h"

#include <QWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kInstances = 500;
constexpr int kTableRows = 999;
constexpr int kTableColumns = 6;

// A form built on a shown window, as the parameter window builds one.
class BuiltForm
{
public:
    BuiltForm(const QString& description, const my_record& values) : m_record(values)
    {
        CollectedMessages messages;
        m_form = CompileFormText(description, messages);
        m_window.resize(800, 600);
        m_window.show();
    }

    void Build()
    {
        m_root = std::make_unique<my_editor>(
            &m_window,
            [](FormEvent, my_record&, const QString&) { return std::optional<QStringList>(); },
            m_record);
        BuildEditors(*m_form, *m_root, 0, 0, QString());
    }
    void Clear() { m_root.reset(); }
    my_record& Record() { return m_record; }
    template <typename Editor> Editor* First() const
    {
        return dynamic_cast<Editor*>(m_root->Children().front().get());
    }

private:
    QWidget m_window;
    std::unique_ptr<my_formular> m_form;
    my_record m_record;
    std::unique_ptr<my_editor> m_root;
};

QString Instances(int changed, bool flip)
{
    QString value;
    for (int i = 1; i <= kInstances; ++i) {
        const bool other = flip && i == changed;
        value += QStringLiteral("K|%1||").arg(other ? i + 10000 : i);
    }
    return value;
}

// Argument: the instance that changes, 500 (the last) or 1 (the first).
void BM_DynamicShownAgain(benchmark::State& state)
{
    const int changed = int(state.range(0));
    my_record values;
    values.SetValue(QStringLiteral("D"), Instances(changed, false));
    BuiltForm form(QStringLiteral("BEGIN DYNAMIC 'D' OF '$' ON 0,0,400,300 "
                                  "'K' BEGIN FIELD 'K$' ON 0,0,100 END END END"),
                   values);
    form.Build();
    auto* dynamic = form.First<ed_dynamic>();
    bool flip = true;
    for (auto _ : state) {
        form.Record().SetValue(QStringLiteral("D"), Instances(changed, flip));
        dynamic->ShowInstances();
        flip = !flip;
    }
}
BENCHMARK(BM_DynamicShownAgain)->Arg(kInstances)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ListScrolledByOneRow(benchmark::State& state)
{
    my_record values;
    for (int row = 1; row <= 100; ++row)
        values.SetValue(QStringLiteral("A%1").arg(row), QString::number(row));
    BuiltForm form(QStringLiteral("BEGIN LIST '#' OF 20 ON 0,0,600,420 BEGIN "
                                  "FIELD 'A#' ON 0,0,100 FIELD 'B#' ON 110,0,100 "
                                  "FIELD 'C#' ON 220,0,100 DATE 'D#' ON 330,0,100 "
                                  "CHECK 'E#' MASK 'Tak' ON 440,0,100 END END"),
                   values);
    form.Build();
    auto* list = form.First<ed_list>();
    int step = 1;
    for (auto _ : state) {
        list->ScrollTo(list->Position() + step);
        step = -step;
    }
}
BENCHMARK(BM_ListScrolledByOneRow)->Unit(benchmark::kMillisecond);

void BM_TableOf999RowsBuilt(benchmark::State& state)
{
    my_record values;
    QString columns;
    for (int column = 0; column < kTableColumns; ++column) {
        columns += QStringLiteral("80|Kolumna %1|C%1_r|x|").arg(column);
        for (int row = 1; row <= kTableRows; ++row)
            values.SetValue(QStringLiteral("C%1_%2").arg(column).arg(row), QString::number(row));
    }
    BuiltForm form(QStringLiteral("BEGIN TABLE 'r' OF %1 MASK '%2' ON 0,0,600,400 END")
                       .arg(kTableRows)
                       .arg(columns),
                   values);
    for (auto _ : state) {
        form.Build();
        state.PauseTiming();
        form.Clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TableOf999RowsBuilt)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksWithWindows(argc, argv);
}
