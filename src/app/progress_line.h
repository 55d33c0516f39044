#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "transfer/transfer_progress.h"

namespace zubk {

// One line on the terminal, "1200 von 50000 Saetzen, 850 Saetze/s", redrawn in place a few
// times per second at most and wiped when the run ends or other output comes.
class ProgressLine final : public TransferProgress {
public:
    using Clock = std::chrono::steady_clock;

    ProgressLine(std::function<void(std::string_view)> write,
                 std::function<Clock::time_point()> now = Clock::now);

    void Advance(std::size_t recordsDone, std::size_t recordsTotal) override;
    void Clear() override;

    static constexpr std::chrono::milliseconds kRedrawInterval{250};

private:
    std::function<void(std::string_view)> m_write;
    std::function<Clock::time_point()> m_now;
    Clock::time_point m_start;
    Clock::time_point m_lastDraw;
    std::size_t m_shownWidth = 0;
};

}  // namespace zubk
