// Math helpers: the angle convention, vector products and colours from floats.
#include "shell/globals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

TEST(Globals, AnglesVectorsAndColoursFollowTheGamesConventions) {
    for (auto [x, y, angle] : {std::tuple{0.f, 0.f, 0.f}, {1.f, 0.f, 0.f}, {0.f, 1.f, float(M_PI / 2)},
                               {0.f, -1.f, float(-M_PI / 2)}, {-1.f, 0.f, float(M_PI)}})
        EXPECT_FLOAT_EQ(getAngle(x, y, 0, 0), angle) << x << "," << y;
    // The vector product keeps its odd middle sign.
    const sVector c = sVector(1, 2, 3) * sVector(4, 5, 6);
    EXPECT_EQ(std::tuple(c.x, c.y, c.z), std::tuple(-3.0f, -6.0f, -3.0f));
    const sVector z = sVector(1, 2, 3) / 0.0f;
    EXPECT_EQ(z.x * z.x + z.y * z.y + z.z * z.z, 0.0f);
    sVector zero;
    zero.normalize();
    EXPECT_EQ(zero.length(), 0.0f);
    // Colours from floats truncate.
    float parts[4] = {0.5f, 1.0f, 0.999f, 0.0f};
    sRGBA colour;
    colour.set(parts);
    EXPECT_EQ(colour, sRGBA(127, 255, 254, 0));
}
