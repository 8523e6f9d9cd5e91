#include "client/lm_timer.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <list>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr auto kTickInterval = 500ms;
// How long Stop and Unregister wait before looking again at a timer whose
// callback thread has been started but has not yet taken the timer's lock.
constexpr auto kFiringPoll = 10ms;

struct TickThread
{
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
};

struct Service
{
    std::mutex listLock;
    std::vector<LMTimer*> timers;
    std::thread thread;
    std::condition_variable wake;
    std::atomic<bool> terminated{false};

    std::mutex ticksLock;
    std::list<TickThread> ticks;

    std::mutex postLock;
    std::deque<std::pair<QString, TTextHandler>> posted;

    ~Service() { TTimer::Shutdown(); }
};

Service& TheService()
{
    static Service service;
    return service;
}

void JoinFinishedTicks(bool all)
{
    Service& service = TheService();
    std::list<TickThread> finished;
    {
        std::lock_guard<std::mutex> guard(service.ticksLock);
        for (auto it = service.ticks.begin(); it != service.ticks.end();) {
            if (all || it->done->load()) {
                auto next = std::next(it);
                finished.splice(finished.end(), service.ticks, it);
                it = next;
            } else {
                ++it;
            }
        }
    }
    for (TickThread& tick : finished)
        tick.thread.join();
}

} // namespace

LMTimer::LMTimer(int seconds, std::function<void()> callback)
    : m_callback(std::move(callback)), m_countdown(std::max(1, seconds * 2)), m_reload(m_countdown)
{
    TTimer::Register(this);
}

LMTimer::~LMTimer()
{
    TTimer::Unregister(this);
}

void LMTimer::Start()
{
    std::lock_guard<std::mutex> own(m_lock);
    std::lock_guard<std::mutex> list(TheService().listLock);
    m_state = Armed;
    m_countdown = m_reload;
}

void LMTimer::Stop()
{
    for (;;) {
        {
            std::lock_guard<std::mutex> own(m_lock);
            std::lock_guard<std::mutex> list(TheService().listLock);
            if (m_state != Firing) {
                m_state = Stopped;
                return;
            }
        }
        std::this_thread::sleep_for(kFiringPoll);
    }
}

void TTimer::Register(LMTimer* timer)
{
    Service& service = TheService();
    std::lock_guard<std::mutex> list(service.listLock);
    if (std::find(service.timers.begin(), service.timers.end(), timer) == service.timers.end())
        service.timers.push_back(timer);
    if (!service.thread.joinable()) {
        service.terminated = false;
        service.thread = std::thread(&TTimer::Run);
    }
}

void TTimer::Unregister(LMTimer* timer)
{
    Service& service = TheService();
    for (;;) {
        {
            std::lock_guard<std::mutex> own(timer->m_lock);
            std::lock_guard<std::mutex> list(service.listLock);
            if (timer->m_state != LMTimer::Firing) {
                service.timers.erase(
                    std::remove(service.timers.begin(), service.timers.end(), timer),
                    service.timers.end());
                return;
            }
        }
        std::this_thread::sleep_for(kFiringPoll);
    }
}

void TTimer::Run()
{
    Service& service = TheService();
    std::unique_lock<std::mutex> list(service.listLock);
    while (!service.terminated) {
        service.wake.wait_for(list, kTickInterval, [&] { return service.terminated.load(); });
        if (service.terminated)
            break;
        for (LMTimer* timer : service.timers) {
            if (timer->m_state != LMTimer::Armed || --timer->m_countdown > 0)
                continue;
            timer->m_state = LMTimer::Firing;
            auto done = std::make_shared<std::atomic<bool>>(false);
            std::lock_guard<std::mutex> ticks(service.ticksLock);
            service.ticks.push_back({std::thread([timer, done] {
                                         Tick(timer);
                                         done->store(true);
                                     }),
                                     done});
        }
        list.unlock();
        JoinFinishedTicks(false);
        list.lock();
    }
}

void TTimer::Tick(LMTimer* timer)
{
    std::lock_guard<std::mutex> own(timer->m_lock);
    try {
        timer->m_callback();
    } catch (...) {
        // A failed keep-alive must not take the program down; the next
        // request finds the connection's error state.
    }
    std::lock_guard<std::mutex> list(TheService().listLock);
    timer->m_countdown = timer->m_reload;
    timer->m_state = LMTimer::Armed;
}

void TTimer::PostText(const QString& text, TTextHandler handler)
{
    Service& service = TheService();
    {
        std::lock_guard<std::mutex> guard(service.postLock);
        service.posted.emplace_back(text, handler);
    }
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &TTimer::DeliverPostedTexts, Qt::QueuedConnection);
}

void TTimer::DeliverPostedTexts()
{
    Service& service = TheService();
    for (;;) {
        std::pair<QString, TTextHandler> item;
        {
            std::lock_guard<std::mutex> guard(service.postLock);
            if (service.posted.empty())
                return;
            item = std::move(service.posted.front());
            service.posted.pop_front();
        }
        item.second(item.first);
    }
}

void TTimer::Shutdown()
{
    Service& service = TheService();
    {
        std::lock_guard<std::mutex> list(service.listLock);
        service.terminated = true;
    }
    service.wake.notify_all();
    if (service.thread.joinable())
        service.thread.join();
    JoinFinishedTicks(true);
}
