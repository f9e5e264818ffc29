// cFrameTimer: each tick gets the time since the last one, and F5's full power mode keeps
// exactly one timer chain however often it is toggled.
#include "platform/cFrameTimer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// A fake main loop: timers fire in order of their due time.
struct FakeLoop : cFrameTimer::iHost {
    void update(int ms) override { updates.push_back(ms); }
    void redisplay() override { redisplays++; }
    void armTimer(int delayMs) override { due.push_back(clock + delayMs); }

    // Advances the clock to t, firing every timer due by then.
    void runUntil(int t) {
        for (auto next = std::min_element(due.begin(), due.end()); next != due.end() && *next <= t;
             next = std::min_element(due.begin(), due.end())) {
            clock = *next;
            due.erase(next);
            timer.onTimerFired(clock);
        }
        clock = t;
    }
    // Toggles F5 and answers what it printed.
    std::string toggle() {
        testing::internal::CaptureStdout();
        timer.toggleFullPower();
        return testing::internal::GetCapturedStdout();
    }

    int clock = 0, redisplays = 0;
    std::vector<int> due, updates;
    bool fullPower = false;
    cFrameTimer timer{*this, fullPower};
};

}  // namespace

TEST(FrameTimer, FirstTickGetsTheWholeStartUpTimeAndLaterOnesTheGap) {
    FakeLoop loop;
    loop.clock = 1500;  // loading took 1.5 s before the timer was armed
    loop.timer.start();
    loop.runUntil(1530);
    ASSERT_GE(loop.updates.size(), 2u);
    EXPECT_EQ(loop.updates[0], 1520);
    EXPECT_EQ(loop.updates[1], 5);
    EXPECT_EQ(loop.redisplays, int(loop.updates.size()));
    // A stall is passed on whole, capped only where an int ends; a clock running backwards gives 0.
    for (auto [now, gap] : {std::pair{100000, 100000 - 1530}, {99000, 0}, {INT_MIN, 0}, {INT_MAX, INT_MAX}}) {
        loop.timer.onTimerFired(now);
        EXPECT_EQ(loop.updates.back(), gap) << now;
    }
}

TEST(FrameTimer, FullPowerEndsTheChainAndTicksEachFrameAndTogglesKeepOneChain) {
    FakeLoop loop;
    loop.timer.start();
    loop.runUntil(100);
    EXPECT_EQ(loop.toggle(), "Entering Full Power Mode.\n");
    EXPECT_TRUE(loop.fullPower);
    loop.runUntil(200);  // the pending timer fires once and does not re-arm
    EXPECT_TRUE(loop.due.empty());
    EXPECT_EQ(loop.timer.getPendingTimers(), 0);
    const size_t before = loop.updates.size();
    loop.timer.onFrame(210);
    loop.timer.onFrame(217);
    ASSERT_EQ(loop.updates.size(), before + 2);
    EXPECT_EQ(loop.updates.back(), 7);
    EXPECT_EQ(loop.toggle(), "Leaving Full Power Mode.\n");
    loop.runUntil(300);
    EXPECT_EQ(loop.due.size(), 1u);
    // Two toggles within one interval still leave one chain: one tick every 5 ms, never two.
    loop.toggle();
    loop.toggle();
    EXPECT_FALSE(loop.fullPower);
    const size_t chained = loop.updates.size();
    loop.runUntil(1300);
    EXPECT_EQ(loop.due.size(), 1u);
    EXPECT_EQ(loop.timer.getPendingTimers(), 1);
    EXPECT_EQ(loop.updates.size() - chained, 200u);
}
