#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace zubk {

// Bounds every database call, whatever the driver does with the time limits it was given.
// Past a call's limit the watchdog asks the driver to cancel it; when even that brings no
// answer within the grace time, it calls the run's last resort, which ends the process.
// The database calls that the watchdog tells apart when one never comes back.
enum class WatchedCall {
    OpeningForStatement,  // connecting for a statement that has not been sent yet
    Statement,            // a statement on its way: it may have been executed
    Reconnecting,         // closing and opening again after a failure
};

class Watchdog {
public:
    // What the run does when a call never comes back, with the call's limit.
    using NoAnswer = std::function<void(std::chrono::seconds limit, WatchedCall call)>;

    Watchdog(std::chrono::milliseconds grace, NoAnswer noAnswer);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Watches one call while it lives.
    class Guard {
    public:
        ~Guard();
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        friend class Watchdog;
        explicit Guard(Watchdog& watchdog) : m_watchdog(watchdog) {}
        Watchdog& m_watchdog;
    };

    // cancel may be empty when the call cannot be cancelled (opening a connection).
    [[nodiscard]] Guard Watch(std::chrono::seconds limit, std::function<void()> cancel,
                              WatchedCall call);

private:
    using Clock = std::chrono::steady_clock;

    void Loop();
    void EndWatch();
    // The time of the next step for the call being watched: its cancel, or giving up.
    Clock::time_point NextStep() const;

    std::chrono::milliseconds m_grace;
    NoAnswer m_noAnswer;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_quit = false;
    bool m_watching = false;
    // When the watchdog thread wakes next by itself; max while it waits for a call to watch.
    Clock::time_point m_wakeAt = Clock::time_point::max();
    Clock::time_point m_cancelAt;
    Clock::time_point m_giveUpAt;
    std::chrono::seconds m_limit{0};
    WatchedCall m_call = WatchedCall::Statement;
    std::function<void()> m_cancel;
    bool m_cancelStarted = false;
    // The cancel runs on a thread of its own, since it can hang like the call it cancels.
    std::optional<std::thread> m_canceller;
    std::thread m_thread;
};

}  // namespace zubk
