// Compiling a large form and writing a large parameter text must both grow
// linearly: forms are compiled every time a report is opened.
#include "forms/form_compiler.h"
#include "forms/form_record.h"
#include "forms/parameter_text.h"
#include "operator_messages.h"

#include <benchmark/benchmark.h>

namespace {

QString GeneratedForm(int statements)
{
    QString text = QStringLiteral("BEGIN\r\n");
    for (int i = 0; i < statements; ++i) {
        const QString n = QString::number(i);
        switch (i % 5) {
        case 0:
            text += QStringLiteral("  LABEL 'Pole ") + n + QStringLiteral("' ON 10, ") + n +
                    QStringLiteral(" * 25 + 4\r\n");
            break;
        case 1:
            text += QStringLiteral("  FIELD 'F") + n + QStringLiteral("' LIMIT 40 ON 80, ") + n +
                    QStringLiteral(" * 25, 200\r\n");
            break;
        case 2:
            text += QStringLiteral("  DATE 'D") + n + QStringLiteral("' ON 80, ") + n +
                    QStringLiteral(" * 25, (200 - 20) / 2\r\n");
            break;
        case 3:
            text += QStringLiteral("  COMBO 'C") + n +
                    QStringLiteral("' MASK 'T|Tak|N|Nie|' ON 80, ") + n +
                    QStringLiteral(" * 25, 90 { combo }\r\n");
            break;
        default:
            text += QStringLiteral("  NUMBER 'N") + n +
                    QStringLiteral("' MASK SIGNED 8, 2 ON 80, ") + n +
                    QStringLiteral(" * 25, 80 ; amount\r\n");
            break;
        }
    }
    return text + QStringLiteral("END\r\n");
}

void CompileGeneratedForm(benchmark::State& state)
{
    const QString text = GeneratedForm(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CollectedMessages messages;
        auto root = CompileFormText(text, messages);
        benchmark::DoNotOptimize(root);
        if (!messages.lines().isEmpty())
            state.SkipWithError("the generated form has errors");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(CompileGeneratedForm)->Arg(1250)->Arg(2500)->Arg(5000)->Complexity();

void BuildParameterTextOfRecord(benchmark::State& state)
{
    my_record record;
    for (int i = 0; i < state.range(0); ++i)
        record.SetValue(QStringLiteral("POLE_") + QString::number(i),
                        QStringLiteral("wartość|") + QString::number(i));
    for (auto _ : state) {
        const QString text = BuildParameterText(record);
        benchmark::DoNotOptimize(text.size());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BuildParameterTextOfRecord)->Arg(2500)->Arg(5000)->Arg(10000)->Complexity();

} // namespace
