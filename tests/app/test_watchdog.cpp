#include "app/watchdog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

namespace zubk {
namespace {

using namespace std::chrono_literals;

// What the watchdog's last resort was called with, instead of ending the process.
struct NoAnswerSeen {
    std::atomic<bool> called{false};
    std::chrono::seconds limit{0};
    std::optional<WatchedCall> call;
};

Watchdog::NoAnswer Recording(NoAnswerSeen& seen) {
    return [&seen](std::chrono::seconds limit, WatchedCall call) {
        seen.limit = limit;
        seen.call = call;
        seen.called = true;
    };
}

// Waits, as a driver call would, until the condition holds; a test that fails here hangs
// until ctest's time limit rather than passing.
void WaitUntil(const std::atomic<bool>& condition) {
    while (!condition.load()) {
        std::this_thread::sleep_for(1ms);
    }
}

TEST(Watchdog, ACallThatReturnsInTimeIsNeitherCancelledNorGivenUp) {
    NoAnswerSeen seen;
    std::atomic<bool> cancelled{false};
    {
        Watchdog watchdog(0ms, Recording(seen));
        const Watchdog::Guard guard = watchdog.Watch(
            60s, [&cancelled] { cancelled = true; }, WatchedCall::Statement);
    }
    EXPECT_FALSE(cancelled);
    EXPECT_FALSE(seen.called);
}

TEST(Watchdog, ACallPastItsLimitIsCancelledAndMayStillReturn) {
    NoAnswerSeen seen;
    std::atomic<bool> cancelled{false};
    Watchdog watchdog(std::chrono::milliseconds(60s), Recording(seen));
    {
        const Watchdog::Guard guard = watchdog.Watch(
            0s, [&cancelled] { cancelled = true; }, WatchedCall::Statement);
        WaitUntil(cancelled);  // the driver returns once it is cancelled
    }
    EXPECT_FALSE(seen.called);
}

TEST(Watchdog, ACallThatNeverReturnsReachesTheLastResortWithWhatItWas) {
    for (const WatchedCall call : {WatchedCall::OpeningForStatement, WatchedCall::Reconnecting}) {
        NoAnswerSeen seen;
        Watchdog watchdog(0ms, Recording(seen));
        {
            // A connect cannot be cancelled: the last resort comes at the limit.
            const Watchdog::Guard guard = watchdog.Watch(0s, nullptr, call);
            WaitUntil(seen.called);
        }
        EXPECT_EQ(seen.call, call);
        EXPECT_EQ(seen.limit, 0s);
    }
}

TEST(Watchdog, ACancelThatDoesNotHelpLeadsToTheLastResort) {
    NoAnswerSeen seen;
    std::atomic<bool> cancelled{false};
    Watchdog watchdog(0ms, Recording(seen));
    {
        const Watchdog::Guard guard = watchdog.Watch(
            0s, [&cancelled] { cancelled = true; }, WatchedCall::Statement);
        WaitUntil(seen.called);
    }
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(seen.call, WatchedCall::Statement);
}

}  // namespace
}  // namespace zubk
