#include "app/watchdog.h"

namespace zubk {

Watchdog::Watchdog(std::chrono::milliseconds grace, NoAnswer noAnswer)
    : m_grace(grace), m_noAnswer(std::move(noAnswer)), m_thread([this] { Loop(); }) {}

Watchdog::~Watchdog() {
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

Watchdog::Guard Watchdog::Watch(std::chrono::seconds limit, std::function<void()> cancel,
                                WatchedCall call) {
    bool wake = false;
    {
        const std::lock_guard lock(m_mutex);
        const Clock::time_point now = Clock::now();
        m_watching = true;
        m_limit = limit;
        m_call = call;
        m_cancel = std::move(cancel);
        m_cancelStarted = false;
        m_cancelAt = now + limit;
        m_giveUpAt = m_cancel ? m_cancelAt + m_grace : m_cancelAt;
        // Calls follow each other by the thousand: the thread is woken only when this call's
        // next step comes before the time it wakes at anyway (then it looks again), not for
        // every statement.
        wake = NextStep() < m_wakeAt;
    }
    if (wake) {
        m_changed.notify_all();
    }
    return Guard(*this);
}

Watchdog::Guard::~Guard() {
    m_watchdog.EndWatch();
}

void Watchdog::EndWatch() {
    // A cancel still running must be done before the caller may close the connection it works
    // on; while we wait for it, the watchdog still watches, so this wait is bounded too.
    std::optional<std::thread> canceller;
    {
        const std::lock_guard lock(m_mutex);
        canceller.swap(m_canceller);
    }
    if (canceller) {
        canceller->join();
    }
    const std::lock_guard lock(m_mutex);
    m_watching = false;
    m_cancel = nullptr;
}

Watchdog::Clock::time_point Watchdog::NextStep() const {
    return (m_cancel && !m_cancelStarted) ? m_cancelAt : m_giveUpAt;
}

void Watchdog::Loop() {
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (!m_watching) {
            m_wakeAt = Clock::time_point::max();
            m_changed.wait(lock);
            continue;
        }
        const Clock::time_point now = Clock::now();
        if (m_cancel && !m_cancelStarted && now >= m_cancelAt) {
            m_cancelStarted = true;
            m_canceller.emplace(m_cancel);
            continue;
        }
        if (now >= m_giveUpAt) {
            // Called with the lock held: a call that comes back now waits in EndWatch, so the
            // run's state stays as the last resort reads it.
            m_noAnswer(m_limit, m_call);
            m_watching = false;
            continue;
        }
        m_wakeAt = NextStep();
        m_changed.wait_until(lock, m_wakeAt);
    }
}

}  // namespace zubk
