#include "app/progress_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace zubk {
namespace {

using namespace std::chrono_literals;

struct FakeTerminal {
    std::vector<std::string> writes;
    ProgressLine::Clock::time_point now{};
};

ProgressLine MakeLine(FakeTerminal& terminal) {
    return ProgressLine([&terminal](std::string_view text) { terminal.writes.emplace_back(text); },
                        [&terminal] { return terminal.now; });
}

TEST(ProgressLine, RedrawsAFewTimesPerSecondAtMost) {
    FakeTerminal terminal;
    ProgressLine line = MakeLine(terminal);
    for (int i = 1; i <= 1000; ++i) {
        terminal.now += 1ms;  // a second for 1000 records
        line.Advance(static_cast<std::size_t>(i), 1000);
    }
    EXPECT_EQ(terminal.writes.size(), 4U);
    EXPECT_EQ(terminal.writes.back(), "\r1000 von 1000 Saetzen, 1000 Saetze/s");
}

TEST(ProgressLine, ClearingWipesWhatWasShownAndOnlyThat) {
    FakeTerminal terminal;
    ProgressLine line = MakeLine(terminal);
    line.Clear();
    EXPECT_TRUE(terminal.writes.empty()) << "nothing shown, nothing to wipe";
    terminal.now += 1s;
    line.Advance(10, 20);
    line.Clear();
    ASSERT_EQ(terminal.writes.size(), 2U);
    EXPECT_EQ(terminal.writes[0], "\r10 von 20 Saetzen, 10 Saetze/s");
    std::string blank(terminal.writes[0].size() + 1, ' ');
    blank.front() = '\r';
    blank.back() = '\r';
    EXPECT_EQ(terminal.writes[1], blank);
}

TEST(ProgressLine, AShorterLineCoversTheRestOfALongerOne) {
    FakeTerminal terminal;
    ProgressLine line = MakeLine(terminal);
    terminal.now += 1s;
    line.Advance(100000, 100000);
    terminal.now += 1000s;
    line.Advance(100000, 100000);
    ASSERT_EQ(terminal.writes.size(), 2U);
    EXPECT_EQ(terminal.writes[1].size(), terminal.writes[0].size());
}

}  // namespace
}  // namespace zubk
