// Walking a server description record by record, as the catalog loader and
// the reading-room layout do. The walk should grow with the text, not with
// its square. The description is one line of records, as the server's
// description parameter carries it.
#include "catalog/brace_notation.h"

#include <benchmark/benchmark.h>

namespace {

QString Record(const char* kind, int i)
{
    return QStringLiteral("{%1={nam=Pozycja %2}{id=%2}{fat=Grupa %3}"
                          "{par=OKNO 10 10 400 300 \"Parametry\" POLE Data 1 1 DATE}}")
        .arg(QLatin1String(kind))
        .arg(i)
        .arg(i % 7);
}

// `count` records of one kind.
QString OneKind(const char* kind, int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += Record(kind, i);
    return text;
}

// Records of three kinds, each kind written in one block as the server does.
QString ThreeKinds(int count)
{
    return OneKind("x", count / 3) + OneKind("q", count / 3) +
           OneKind("r", count - 2 * (count / 3));
}

// Takes records named `key` one TakeRecord call at a time until none is left.
void WalkRecordByRecord(benchmark::State& state, const QString& structure, const QString& key)
{
    for (auto _ : state) {
        QString text = structure;
        int taken = 0;
        while (!TakeRecord(text, key).isEmpty())
            ++taken;
        benchmark::DoNotOptimize(taken);
    }
    state.SetComplexityN(state.range(0));
}

void TakeRecordByRecord(benchmark::State& state)
{
    WalkRecordByRecord(state, OneKind("e", static_cast<int>(state.range(0))), QStringLiteral("e"));
}
BENCHMARK(TakeRecordByRecord)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity();

// The last kind of a description, taken record by record: every take steps
// over all the records of the other kinds again, which is why the loader
// uses TakeRecords.
void TakeRecordLaterKind(benchmark::State& state)
{
    WalkRecordByRecord(state, ThreeKinds(static_cast<int>(state.range(0))), QStringLiteral("r"));
}
BENCHMARK(TakeRecordLaterKind)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Complexity();

// Every kind taken from its own copy in one pass each, as the loader walks it.
void TakeRecordsEveryKind(benchmark::State& state)
{
    const QString structure = ThreeKinds(static_cast<int>(state.range(0)));
    const QString kinds[] = {QStringLiteral("x"), QStringLiteral("q"), QStringLiteral("r")};
    for (auto _ : state) {
        qsizetype taken = 0;
        for (const QString& kind : kinds) {
            QString text = structure;
            taken += TakeRecords(text, kind).size();
        }
        benchmark::DoNotOptimize(taken);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(TakeRecordsEveryKind)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace
