#pragma once

#include "turn_times.h"

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

// One side alone: skips the benchmark with `failure` when its set-up
// failed, else runs `work` (which returns whether it succeeded) once per
// iteration, skipping with `workFailure` when it fails.
template <typename Work>
void RunAlone(benchmark::State& state, const std::string& failure, Work&& work,
              const char* workFailure)
{
    if (!failure.empty()) {
        state.SkipWithError(failure.c_str());
        return;
    }
    for (auto _ : state) {
        if (!work()) {
            state.SkipWithError(workFailure);
            break;
        }
    }
}

// The client and the bare socket doing the same work turn about within one
// benchmark, each turn timed on its own. The machine is shared with other
// jobs: two separate runs may meet different loads, and even within one run
// a turn now and then loses the processor for a whole time slice, which says
// nothing about either side. So the rates come from each side's median turn,
// which such turns do not move.
class SideBySide
{
public:
    // The counters name the first side `first` and the second `second`.
    explicit SideBySide(std::string first = "raw", std::string second = "client")
        : m_firstName(std::move(first)), m_secondName(std::move(second))
    {}

    // One timed turn of each side's `work` (which returns whether it
    // succeeded). The sides take turns at going first, so neither always
    // finds the server warmed up by the other.
    template <typename RawWork, typename ClientWork>
    bool Turn(RawWork&& rawWork, ClientWork&& clientWork)
    {
        const bool done = m_rawFirst ? m_rawSocket.Timed(rawWork) && m_client.Timed(clientWork)
                                     : m_client.Timed(clientWork) && m_rawSocket.Timed(rawWork);
        m_rawFirst = !m_rawFirst;
        return done;
    }

    // Counters: each side's `unit`s per second at its median turn, given
    // `unitsPerTurn` units in every turn, and the client's rate as a fraction
    // of the bare socket's. Byte rates pass kIs1024 to read like
    // bytes_per_second.
    void Report(benchmark::State& state, double unitsPerTurn, const std::string& unit,
                benchmark::Counter::OneK base = benchmark::Counter::kIs1000)
    {
        const double rawTurn = m_rawSocket.Median();
        const double clientTurn = m_client.Median();
        if (rawTurn <= 0 || clientTurn <= 0)
            return;
        const double rawSocket = unitsPerTurn / rawTurn;
        const double client = unitsPerTurn / clientTurn;
        const auto flags = benchmark::Counter::kDefaults;
        state.counters[m_firstName + "_" + unit + "_per_second"] =
            benchmark::Counter(rawSocket, flags, base);
        state.counters[m_secondName + "_" + unit + "_per_second"] =
            benchmark::Counter(client, flags, base);
        state.counters["vs_" + m_firstName] = client / rawSocket;
    }

    // Each side's turns, for the medians and for a caller's own figures.
    const TurnTimes& FirstTurns() const { return m_rawSocket; }
    const TurnTimes& SecondTurns() const { return m_client; }

private:
    std::string m_firstName;
    std::string m_secondName;
    TurnTimes m_rawSocket;
    TurnTimes m_client;
    bool m_rawFirst = true;
};
