// Math helpers: the angle convention, vector products and the random range.
#include "shell/globals.h"

#include <gtest/gtest.h>
#include <cmath>
#include <cstdlib>

TEST(Globals, GetAngleCardinalDirections) {
    EXPECT_FLOAT_EQ(getAngle(0, 0, 0, 0), 0.0f);
    EXPECT_FLOAT_EQ(getAngle(1, 0, 0, 0), 0.0f);
    EXPECT_FLOAT_EQ(getAngle(0, 1, 0, 0), float(M_PI / 2));
    EXPECT_FLOAT_EQ(getAngle(0, -1, 0, 0), float(-M_PI / 2));
    EXPECT_FLOAT_EQ(getAngle(-1, 0, 0, 0), float(M_PI));
}

TEST(Globals, VectorProductKeepsItsOddMiddleSign) {
    sVector a(1, 2, 3), b(4, 5, 6);
    sVector c = a * b;
    EXPECT_FLOAT_EQ(c.x, 2 * 6 - 3 * 5);
    EXPECT_FLOAT_EQ(c.y, 1 * 6 - 3 * 4);
    EXPECT_FLOAT_EQ(c.z, 1 * 5 - 2 * 4);
    sVector z = a / 0.0f;
    EXPECT_EQ(z.x, 0.0f);
    EXPECT_EQ(z.y, 0.0f);
    EXPECT_EQ(z.z, 0.0f);
    sVector zero;
    zero.normalize();
    EXPECT_EQ(zero.length(), 0.0f);
}

TEST(Globals, ColourFromFloatsTruncates) {
    float half[4] = {0.5f, 1.0f, 0.999f, 0.0f};
    sRGBA c;
    c.set(half);
    EXPECT_EQ(c.r, 127);
    EXPECT_EQ(c.g, 255);
    EXPECT_EQ(c.b, 254);
    EXPECT_EQ(c.a, 0);
}

TEST(Globals, RandomRangeReachesBothEnds) {
    std::srand(1);
    EXPECT_EQ(randomD(3.5, 3.5), 3.5);
    bool low = false, high = false;
    for (int i = 0; i < 2000000 && !(low && high); i++) {
        double r = randomD(0, 1);
        ASSERT_GE(r, 0.0);
        ASSERT_LE(r, 1.0);
        low |= r == 0.0;
        high |= r == 1.0;
    }
    EXPECT_TRUE(low);
    EXPECT_TRUE(high);
}
