// cCamera: the glide, and a pan under a turn.
#include "shell/cCamera.h"
#include "shell/globals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

TEST(Camera, GlidesAtConstantSpeedAndSnapsOnArrival) {
    cCamera c;
    c.translateTo(30, 40); // 50 units away
    c.update(1000); // 8 units
    EXPECT_NEAR(c.getX(), 8 * 0.6, 1e-4);
    EXPECT_NEAR(c.getY(), 8 * 0.8, 1e-4);
    c.update(100000);
    c.update(0); // already there: stays exactly
    EXPECT_EQ(std::pair(c.getX(), c.getY()), std::pair(30.0f, 40.0f));
}

TEST(Camera, PanFollowsTheTurnAndIsNotUndone) {
    cCamera c;
    c.translate(1, 0);
    c.translate(0, 1);
    c.update(1000);
    EXPECT_EQ(std::pair(c.getX(), c.getY()), std::pair(1.0f, -1.0f));
    c.reset();
    c.rotZ(90);
    c.translate(1, 0);
    EXPECT_NEAR(c.getX(), 0, 1e-6);
    EXPECT_NEAR(c.getY(), -1, 1e-6);
    c.reset(); // the turn goes with the rest
    EXPECT_EQ(std::pair(c.getAngleZRad(), c.getXTarget()), std::pair(0.0f, 0.0f));
}
