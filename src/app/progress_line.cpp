#include "app/progress_line.h"

#include <algorithm>
#include <cstdio>

namespace zubk {

ProgressLine::ProgressLine(std::function<void(std::string_view)> write,
                           std::function<Clock::time_point()> now)
    : m_write(std::move(write)), m_now(std::move(now)), m_start(m_now()), m_lastDraw(m_start) {}

void ProgressLine::Advance(std::size_t recordsDone, std::size_t recordsTotal) {
    const Clock::time_point now = m_now();
    if (now - m_lastDraw < kRedrawInterval) {
        return;
    }
    m_lastDraw = now;
    const double seconds = std::chrono::duration<double>(now - m_start).count();
    char text[128];
    const int width =
        std::snprintf(text, sizeof text, "%zu von %zu Saetzen, %.0f Saetze/s", recordsDone,
                      recordsTotal, seconds > 0 ? static_cast<double>(recordsDone) / seconds : 0.0);
    if (width <= 0) {
        return;
    }
    std::string line = "\r";
    line.append(text, static_cast<std::size_t>(width));
    // Blanks over what is left of a longer line drawn before.
    if (m_shownWidth > static_cast<std::size_t>(width)) {
        line.append(m_shownWidth - static_cast<std::size_t>(width), ' ');
    }
    m_shownWidth = std::max(m_shownWidth, static_cast<std::size_t>(width));
    m_write(line);
}

void ProgressLine::Clear() {
    if (m_shownWidth == 0) {
        return;
    }
    std::string blank(m_shownWidth + 2, ' ');
    blank.front() = '\r';
    blank.back() = '\r';
    m_write(blank);
    m_shownWidth = 0;
}

}  // namespace zubk
