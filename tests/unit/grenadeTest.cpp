// Grenade throws: range cap, flight time, arc height, the throw at one's own feet, the fireball.
#include "weapons/cGrenade.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// Steps until the grenade leaves flight; answers the ms that took, or -1.
int flyUntilLanded(cGrenade& g, int dt, int limit = 10000) {
    for (int t = dt; t <= limit; t += dt) {
        g.update(dt);
        if (g.getState() != cGrenade::FLYING) return t;
    }
    return -1;
}
}  // namespace

TEST(Grenade, FarTargetIsPulledInToTwentyUnitsAlongTheSameLine) {
    // 30 units away along (0.6, 0.8).
    cGrenade g(10.0f, 10.0f, 28.0f, 34.0f, 15.0f, nullptr);
    ASSERT_GT(flyUntilLanded(g, 10), 0);
    EXPECT_EQ(g.getState(), cGrenade::BLAST_PENDING);
    EXPECT_NEAR(g.getX(), 22.0f, 1e-4);
    EXPECT_NEAR(g.getY(), 26.0f, 1e-4);
}

TEST(Grenade, LandsOnANearTargetWhenItsArcComesDown) {
    // Ten units: launch speed sqrt(98.1), horizontal 7.0 units/s, about 1.428 s.
    cGrenade g(0.0f, 0.0f, 0.0f, -10.0f, 30.0f, nullptr);
    EXPECT_EQ(flyUntilLanded(g, 10), 1430);
    EXPECT_FLOAT_EQ(g.getX(), 0.0f);
    EXPECT_FLOAT_EQ(g.getY(), -10.0f);
    // It comes down a little below its launch height.
    EXPECT_LT(g.getZ(), 0.5f);
    EXPECT_GT(g.getZ(), 0.3f);

    // The speed handed in plays no part.
    cGrenade slow(0.0f, 0.0f, 0.0f, -10.0f, 1.0f, nullptr);
    EXPECT_EQ(flyUntilLanded(slow, 10), 1430);
}

TEST(Grenade, ArcPeaksAtAQuarterOfItsRangeAboveLaunchHeight) {
    cGrenade g(0.0f, 0.0f, 20.0f, 0.0f, 15.0f, nullptr);
    float peak = 0.0f, peakX = 0.0f;
    while (g.getState() == cGrenade::FLYING) {
        g.update(1);
        if (g.getZ() > peak) {
            peak = g.getZ();
            peakX = g.getX();
        }
    }
    EXPECT_NEAR(peak, 5.5f, 1e-3);
    EXPECT_NEAR(peakX, 10.0f, 0.01);
}

TEST(Grenade, ThrowAtItsOwnLaunchPointLandsAtOnce) {
    cGrenade g(4.0f, 7.0f, 4.0f, 7.0f, 15.0f, nullptr);
    g.update(5);
    EXPECT_EQ(g.getState(), cGrenade::BLAST_PENDING);
    EXPECT_FLOAT_EQ(g.getX(), 4.0f);
    EXPECT_FLOAT_EQ(g.getY(), 7.0f);
    EXPECT_GT(g.getZ(), 0.4f);
}

TEST(Grenade, WaitsForItsBlastThenBurnsForSixTwentyMillisecondTicks) {
    cGrenade g(0.0f, 0.0f, 0.0f, 0.0f, 15.0f, nullptr);
    g.update(20);
    g.update(20);  // the blast is still to be applied: no fireball yet
    EXPECT_EQ(g.getState(), cGrenade::BLAST_PENDING);
    EXPECT_EQ(g.getTimer(), 0);
    g.explode();
    std::vector<int> seen;
    while (g.getState() == cGrenade::EXPLODING) {
        seen.push_back(g.getTimer());
        g.update(20);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(g.getState(), cGrenade::FINISHED);
    EXPECT_EQ(g.getTimer(), 120);
    g.update(20);
    EXPECT_EQ(g.getTimer(), 120);
}

TEST(Grenade, ListFreesFinishedGrenadesBehindItsHead) {
    cGrenade* spent = new cGrenade(0, 0, 0, 0, 15.0f, nullptr);
    cGrenade head(0, 0, 10, 0, 15.0f, spent);
    head.update(10);
    spent->explode();
    head.update(200);
    EXPECT_EQ(head.getNext(), nullptr);
    EXPECT_EQ(head.getState(), cGrenade::FLYING);

    head.addGrenade(1, 1, 2, 2, 15.0f);
    head.addGrenade(3, 3, 4, 4, 15.0f);
    ASSERT_NE(head.getNext(), nullptr);
    EXPECT_FLOAT_EQ(head.getNext()->getX(), 3.0f);
    ASSERT_NE(head.getNext()->getNext(), nullptr);
    EXPECT_FLOAT_EQ(head.getNext()->getNext()->getX(), 1.0f);
    head.dispose();
    head.dispose();
    EXPECT_EQ(head.getNext(), nullptr);
}
