#pragma once

#include "client/nura_handlers.h"

#include <functional>
#include <mutex>

// A countdown timer served by the one process-wide timer thread, which looks
// at every registered timer each half second. An expiry runs the callback on
// a short-lived thread of its own; the keep-alive of each server connection
// is such a timer.
//
// Stop waits for a running callback to finish, which is what keeps a
// keep-alive exchange from ever running while a request is on the wire:
// every request stops its connection's timer first and starts it afterwards.
// Locks are taken in one order: the timer's own, then the timer thread's list.
class LMTimer
{
public:
    enum State : unsigned char
    {
        Armed = 0,
        Firing = 1,
        Stopped = 2
    };

    // Created stopped. The callback runs on the tick thread; whatever it has
    // to show goes to the main thread through TTimer::PostText.
    LMTimer(int seconds, std::function<void()> callback);
    ~LMTimer();
    LMTimer(const LMTimer&) = delete;
    LMTimer& operator=(const LMTimer&) = delete;

    void Start();
    // Returns once the timer is stopped; waits while its callback runs.
    // Returns at once on a timer that is already stopped.
    void Stop();

private:
    friend class TTimer;

    std::mutex m_lock;
    std::function<void()> m_callback;
    int m_countdown; // half-second ticks left; guarded by the list lock
    int m_reload;
    State m_state = Stopped; // guarded by the list lock
};

// The process-wide timer thread and its services.
class TTimer
{
public:
    // Hands a text to a handler on the main thread without waiting for it: the
    // keep-alive holds its timer's lock, and the main thread may be waiting for
    // that lock. Texts are delivered in order by the main thread's event loop,
    // or by DeliverPostedTexts where there is none.
    static void PostText(const QString& text, TTextHandler handler);
    // Runs the handlers of the texts posted so far; on the main thread.
    static void DeliverPostedTexts();

    // Stops the timer thread and waits for it and every running callback; at
    // program end, after the last connection has closed. A later timer
    // starts the thread again.
    static void Shutdown();

private:
    friend class LMTimer;
    static void Register(LMTimer* timer);
    // Waits while the timer's callback runs, then forgets the timer.
    static void Unregister(LMTimer* timer);
    static void Run();
    static void Tick(LMTimer* timer);
};
