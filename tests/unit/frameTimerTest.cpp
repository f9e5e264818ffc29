// cFrameTimer: elapsed-time contract, one timer chain across F5 toggles.
#include "platform/cFrameTimer.h"

#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <vector>

namespace {

// A fake main loop: timers fire in order of their due time.
class FakeLoop : public cFrameTimer::iHost {
public:
    void update(int ms) override { updates.push_back(ms); }
    void redisplay() override { redisplays++; }
    void armTimer(int delayMs) override { due.push_back(clock + delayMs); }

    // Advances the clock to t, firing every timer due by then.
    void runUntil(cFrameTimer& timer, int t) {
        while (true) {
            int next = -1;
            for (size_t i = 0; i < due.size(); i++)
                if (due[i] <= t && (next < 0 || due[i] < due[size_t(next)])) next = int(i);
            if (next < 0) break;
            clock = due[size_t(next)];
            due.erase(due.begin() + next);
            timer.onTimerFired(clock);
        }
        clock = t;
    }

    int clock = 0;
    std::vector<int> due;
    std::vector<int> updates;
    int redisplays = 0;
};

}  // namespace

TEST(FrameTimer, FirstTickGetsTheWholeStartUpTimeAndLaterOnesTheGap) {
    FakeLoop loop;
    bool fullPower = false;
    cFrameTimer t(loop, fullPower);
    loop.clock = 1500;  // loading took 1.5 s before the timer was armed
    t.start();
    loop.runUntil(t, 1530);
    ASSERT_GE(loop.updates.size(), 2u);
    EXPECT_EQ(loop.updates[0], 1520);
    EXPECT_EQ(loop.updates[1], 5);
    EXPECT_EQ(loop.redisplays, int(loop.updates.size()));

    // A stall is passed on whole, without a cap; a clock running backwards gives 0.
    t.onTimerFired(100000);
    EXPECT_EQ(loop.updates.back(), 100000 - 1530);
    t.onTimerFired(99000);
    EXPECT_EQ(loop.updates.back(), 0);
    t.onTimerFired(INT_MAX);
    t.onTimerFired(INT_MIN);
    EXPECT_EQ(loop.updates.back(), 0);
}

TEST(FrameTimer, FullPowerEndsTheChainAndTicksEachFrame) {
    FakeLoop loop;
    bool fullPower = false;
    cFrameTimer t(loop, fullPower);
    t.start();
    loop.runUntil(t, 100);
    testing::internal::CaptureStdout();
    t.toggleFullPower();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Entering Full Power Mode.\n");
    EXPECT_TRUE(fullPower);
    loop.runUntil(t, 200);  // the pending timer fires once and does not re-arm
    EXPECT_TRUE(loop.due.empty());
    EXPECT_EQ(t.getPendingTimers(), 0);
    size_t before = loop.updates.size();
    t.onFrame(210);
    t.onFrame(217);
    ASSERT_EQ(loop.updates.size(), before + 2);
    EXPECT_EQ(loop.updates.back(), 7);

    testing::internal::CaptureStdout();
    t.toggleFullPower();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Leaving Full Power Mode.\n");
    EXPECT_EQ(loop.due.size(), 1u);
    loop.runUntil(t, 300);
    EXPECT_EQ(loop.due.size(), 1u);
}

TEST(FrameTimer, TwoTogglesWithinOneIntervalKeepOneChain) {
    FakeLoop loop;
    bool fullPower = false;
    cFrameTimer t(loop, fullPower);
    t.start();
    loop.runUntil(t, 52);
    testing::internal::CaptureStdout();
    t.toggleFullPower();
    t.toggleFullPower();
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(fullPower);
    size_t before = loop.updates.size();
    loop.runUntil(t, 1052);
    // One chain: one tick every 5 ms, never two.
    EXPECT_EQ(loop.due.size(), 1u);
    EXPECT_EQ(t.getPendingTimers(), 1);
    EXPECT_EQ(loop.updates.size() - before, 200u);
}
