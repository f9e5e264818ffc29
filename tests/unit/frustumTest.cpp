// The view volume box test: what lies wholly outside goes, everything touching it stays.
#include <gtest/gtest.h>

#include <cmath>

#include "world/cFrustum.h"

namespace {

// Column-major identity: the view volume is the cube -1..1 on every axis.
const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

bool outside(const cFrustum& f, float x0, float y0, float z0, float x1, float y1, float z1) {
    const float low[3] = {x0, y0, z0}, high[3] = {x1, y1, z1};
    return f.outside(low, high);
}

}  // namespace

TEST(Frustum, DropsOnlyBoxesWhollyBeyondAPlane) {
    const cFrustum f(kIdentity, kIdentity);
    EXPECT_FALSE(outside(f, -0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f));
    EXPECT_FALSE(outside(f, -10, -10, -10, 10, 10, 10)) << "a box around the whole volume";
    EXPECT_FALSE(outside(f, 1, 0, 0, 3, 1, 1)) << "touching the edge";
    EXPECT_FALSE(outside(f, 0.9f, 0.9f, -5, 5, 5, 5)) << "reaching in at a corner";
    EXPECT_TRUE(outside(f, 1.5f, 0, 0, 3, 1, 1));
    EXPECT_TRUE(outside(f, 0, -3, 0, 1, -1.5f, 1));
    EXPECT_TRUE(outside(f, 0, 0, 2, 1, 1, 3)) << "beyond the far plane";
    EXPECT_FALSE(outside(f, NAN, 0, 0, 1, 1, 1)) << "nonsense bounds are kept, never lost";
}

TEST(Frustum, FollowsTheModelViewAndProjection) {
    // The model-view moves everything 10 along x; the projection halves x.
    const float moved[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 0, 0, 1};
    const float halve[16] = {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const cFrustum f(halve, moved);
    // Seen x runs -2..2 after halving, so world x -12..-8.
    EXPECT_FALSE(outside(f, -11, 0, 0, -9, 0.5f, 0.5f));
    EXPECT_TRUE(outside(f, -1, 0, 0, 1, 0.5f, 0.5f));
    EXPECT_TRUE(outside(f, -14, 0, 0, -12.5f, 0.5f, 0.5f));
}
