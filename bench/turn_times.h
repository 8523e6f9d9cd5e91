#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

// The times of single turns of some work, each timed on its own, for the
// median turn and the worst one. On a machine shared with other jobs a turn
// now and then loses the processor for a whole time slice; the median is
// not moved by such turns, the worst shows them.
class TurnTimes
{
public:
    // Times one call of `work` (which returns whether it succeeded).
    template <typename Work> bool Timed(Work&& work)
    {
        const auto start = std::chrono::steady_clock::now();
        const bool done = work();
        Add(Seconds(std::chrono::steady_clock::now() - start).count());
        return done;
    }

    void Add(double seconds) { m_turns.push_back(seconds); }
    bool Empty() const { return m_turns.empty(); }
    // The latest turn, in seconds; 0 before the first.
    double Last() const { return m_turns.empty() ? 0 : m_turns.back(); }

    // In seconds; 0 before the first turn.
    double Median() const
    {
        if (m_turns.empty())
            return 0;
        std::vector<double> turns = m_turns;
        const auto middle = turns.begin() + static_cast<std::ptrdiff_t>(turns.size() / 2);
        std::nth_element(turns.begin(), middle, turns.end());
        return *middle;
    }
    double Worst() const
    {
        return m_turns.empty() ? 0 : *std::max_element(m_turns.begin(), m_turns.end());
    }

private:
    using Seconds = std::chrono::duration<double>;

    std::vector<double> m_turns;
};
