#pragma once

#include <atomic>
#include <thread>

#include "transfer/run_clock.h"

namespace zubk {

// The steady clock; a pause ends early when the run is asked to stop.
class SteadyRunClock final : public RunClock {
public:
    explicit SteadyRunClock(const std::atomic<bool>& stopRequested)
        : m_stopRequested(stopRequested) {}

    TimePoint Now() override { return std::chrono::steady_clock::now(); }

    void Pause(std::chrono::milliseconds duration) override {
        constexpr std::chrono::milliseconds kStep{100};
        const TimePoint end = Now() + duration;
        while (!m_stopRequested.load() && Now() < end) {
            std::this_thread::sleep_for(std::min(
                kStep, std::chrono::duration_cast<std::chrono::milliseconds>(end - Now())));
        }
    }

private:
    const std::atomic<bool>& m_stopRequested;
};

}  // namespace zubk
