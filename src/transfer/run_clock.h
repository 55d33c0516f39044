#pragma once

#include <chrono>

namespace zubk {

// Time as the record loop sees it, so that its pauses can be tested without waiting.
class RunClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual TimePoint Now() = 0;
    // Waits for the duration, or less when the run is asked to stop.
    virtual void Pause(std::chrono::milliseconds duration) = 0;

protected:
    ~RunClock() = default;
};

}  // namespace zubk
