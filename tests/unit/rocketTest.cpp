// Rocket flights: the range cap and timing, a rocket set off on its way.
#include "weapons/cRocket.h"

#include <gtest/gtest.h>

TEST(Rocket, ExplodesAtItsTargetOrFortyUnitsAlongTheLine) {
    cRocket far(50.0f, 50.0f, -30.0f, 110.0f, 30.0f, nullptr);  // 100 units along (-0.8, 0.6)
    for (int i = 0; i < 200; i++) far.update(10);
    EXPECT_EQ(far.getState(), cRocket::FLYING);
    far.update(10);
    EXPECT_EQ(far.getState(), cRocket::BLAST_PENDING);
    EXPECT_NEAR(far.getX(), 18.0f, 1e-4);
    EXPECT_NEAR(far.getY(), 74.0f, 1e-4);

    cRocket near(0.0f, 0.0f, 10.0f, 0.0f, 15.0f, nullptr);
    for (int i = 0; i < 50; i++) near.update(10);
    EXPECT_EQ(near.getState(), cRocket::FLYING);
    near.update(10);
    EXPECT_EQ(near.getState(), cRocket::BLAST_PENDING);
    EXPECT_FLOAT_EQ(near.getX(), 10.0f);
}

