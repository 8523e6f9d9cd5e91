#include "client/lm_timer.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

bool WaitFor(const std::atomic<int>& value, int atLeast, std::chrono::milliseconds limit)
{
    const auto end = Clock::now() + limit;
    while (value.load() < atLeast && Clock::now() < end)
        std::this_thread::sleep_for(10ms);
    return value.load() >= atLeast;
}

TEST(LMTimer, FiresOnlyWhileStarted)
{
    std::atomic<int> calls{0};
    LMTimer timer(1, [&] { ++calls; });
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(calls.load(), 0) << "a new timer is stopped";
    timer.Start();
    EXPECT_TRUE(WaitFor(calls, 2, 4000ms)) << "an armed timer fires again after each callback";
    timer.Stop();
    const int stoppedAt = calls.load();
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(calls.load(), stoppedAt);
}

// The guarantee a request relies on: once Stop returns, no callback runs,
// and a callback that was running has finished.
TEST(LMTimer, StopWaitsForARunningCallback)
{
    std::atomic<int> entered{0};
    std::atomic<bool> running{false};
    LMTimer timer(1, [&] {
        running = true;
        ++entered;
        std::this_thread::sleep_for(400ms);
        running = false;
    });
    timer.Start();
    ASSERT_TRUE(WaitFor(entered, 1, 3000ms));
    timer.Stop();
    EXPECT_FALSE(running.load());
    timer.Stop(); // stopping a stopped timer returns at once
    timer.Start();
    timer.Stop();
}

TEST(LMTimer, DestroyingAFiringTimerWaitsForItsCallback)
{
    std::atomic<int> entered{0};
    std::atomic<bool> finished{false};
    {
        LMTimer timer(1, [&] {
            ++entered;
            std::this_thread::sleep_for(300ms);
            finished = true;
        });
        timer.Start();
        ASSERT_TRUE(WaitFor(entered, 1, 3000ms));
    }
    EXPECT_TRUE(finished.load());
}

struct Collector
{
    QStringList texts;
    void Add(const QString& text) { texts << text; }
};

TEST(TTimer, PostedTextsReachTheirHandlersInOrder)
{
    Collector first;
    Collector second;
    std::thread poster([&] {
        TTimer::PostText(QStringLiteral("a"), TTextHandler::Of<&Collector::Add>(&first));
        TTimer::PostText(QStringLiteral("b"), TTextHandler::Of<&Collector::Add>(&second));
        TTimer::PostText(QStringLiteral("c"), TTextHandler::Of<&Collector::Add>(&first));
    });
    poster.join();
    EXPECT_TRUE(first.texts.isEmpty()) << "nothing runs on the posting thread";
    TTimer::DeliverPostedTexts();
    EXPECT_EQ(first.texts, QStringList({QStringLiteral("a"), QStringLiteral("c")}));
    EXPECT_EQ(second.texts, QStringList({QStringLiteral("b")}));
}

TEST(TTimer, ShutdownStopsTheThreadAndALaterTimerRestartsIt)
{
    TTimer::Shutdown();
    std::atomic<int> calls{0};
    LMTimer timer(1, [&] { ++calls; });
    timer.Start();
    EXPECT_TRUE(WaitFor(calls, 1, 3000ms));
    timer.Stop();
}

} // namespace
