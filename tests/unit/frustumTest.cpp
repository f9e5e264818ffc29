// The view volume box test: what lies wholly outside goes, everything touching it stays.
#include <gtest/gtest.h>

#include <cmath>

#include "world/cFrustum.h"

TEST(Frustum, DropsOnlyBoxesWhollyBeyondAPlaneOfTheView) {
    // Column-major: the identity's view volume is the cube -1..1; the second view
    // moves everything 10 along x and halves x, so it sees world x -12..-8.
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const float moved[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 0, 0, 1};
    const float halve[16] = {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const cFrustum cube(identity, identity), shifted(halve, moved);
    const struct { const cFrustum& f; float low[3], high[3]; bool outside; } cases[] = {
        {cube, {-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}, false},
        {cube, {1, 0, 0}, {3, 1, 1}, false},          // touching the edge
        {cube, {0.9f, 0.9f, -5}, {5, 5, 5}, false},   // reaching in at a corner
        {cube, {1.5f, 0, 0}, {3, 1, 1}, true},
        {cube, {0, -3, 0}, {1, -1.5f, 1}, true},
        {cube, {0, 0, 2}, {1, 1, 3}, true},            // beyond the far plane
        {cube, {NAN, 0, 0}, {1, 1, 1}, false},         // nonsense bounds are kept, never lost
        {shifted, {-11, 0, 0}, {-9, 0.5f, 0.5f}, false},
        {shifted, {-1, 0, 0}, {1, 0.5f, 0.5f}, true},
        {shifted, {-14, 0, 0}, {-12.5f, 0.5f, 0.5f}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(c.f.outside(c.low, c.high), c.outside) << c.low[0] << "," << c.low[1];
}
