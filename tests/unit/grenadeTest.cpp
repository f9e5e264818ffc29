// Grenade throws: range cap, flight time, arc height, the throw at one's own feet, the fireball.
#include "weapons/cGrenade.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// Steps until the grenade leaves flight; answers the ms that took.
int flyUntilLanded(cGrenade& g, int dt) {
    int t = 0;
    while (g.getState() == cGrenade::FLYING && t < 10000) {
        g.update(dt);
        t += dt;
    }
    return t;
}
}  // namespace

TEST(Grenade, LandsOnItsTargetOrTwentyUnitsAlongTheLine) {
    cGrenade far(10.0f, 10.0f, 28.0f, 34.0f, 15.0f, nullptr);  // 30 units along (0.6, 0.8)
    flyUntilLanded(far, 10);
    EXPECT_NEAR(far.getX(), 22.0f, 1e-4);
    EXPECT_NEAR(far.getY(), 26.0f, 1e-4);

    // Ten units: launch speed sqrt(98.1) whatever was passed, about 1.428 s.
    cGrenade near(0.0f, 0.0f, 0.0f, -10.0f, 1.0f, nullptr);
    EXPECT_EQ(flyUntilLanded(near, 10), 1430);
    EXPECT_EQ(near.getState(), cGrenade::BLAST_PENDING);
    EXPECT_FLOAT_EQ(near.getY(), -10.0f);
    EXPECT_LT(near.getZ(), 0.5f);

    // At its own feet there is nothing to fly: it lands at once.
    cGrenade own(4.0f, 7.0f, 4.0f, 7.0f, 15.0f, nullptr);
    own.update(5);
    EXPECT_EQ(own.getState(), cGrenade::BLAST_PENDING);
    EXPECT_FLOAT_EQ(own.getX(), 4.0f);
}

TEST(Grenade, WaitsForItsBlastThenBurnsForSixTwentyMillisecondTicks) {
    cGrenade g(0.0f, 0.0f, 0.0f, 0.0f, 15.0f, nullptr);
    g.update(20);
    g.update(20);
    EXPECT_EQ(g.getState(), cGrenade::BLAST_PENDING);
    g.explode();
    std::vector<int> seen;
    while (g.getState() == cGrenade::EXPLODING) {
        seen.push_back(g.getTimer());
        g.update(20);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(g.getState(), cGrenade::FINISHED);
}
