// The closed-surface test that decides which tree parts may have their back faces culled.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "assets/closedSurface.h"

namespace {

struct sP {
    float x, y, z;
};

// A tetrahedron's faces, each wound counter-clockwise seen from outside.
std::vector<float> tetrahedron(float shift = 0) {
    const sP v[4] = {{shift, 0, 0}, {shift + 1, 0, 0}, {shift, 1, 0}, {shift, 0, 1}};
    const int faces[4][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
    std::vector<float> out;
    for (const auto& f : faces)
        for (int k : f) out.insert(out.end(), {v[k].x, v[k].y, v[k].z});
    return out;
}

bool closed(const std::vector<float>& corners) { return isClosedSurface(corners.data(), int(corners.size() / 9)); }

}  // namespace

TEST(ClosedSurface, OnlyAWhollyClosedOutwardWoundSurfaceMayHaveItsBackFacesCulled) {
    EXPECT_TRUE(closed(tetrahedron()));
    std::vector<float> two = tetrahedron();
    const std::vector<float> other = tetrahedron(5);
    two.insert(two.end(), other.begin(), other.end());
    EXPECT_TRUE(closed(two)) << "two separate closed bodies";

    std::vector<float> open = tetrahedron();
    open.resize(open.size() - 9);
    EXPECT_FALSE(closed(open)) << "a face missing: the inside shows through the hole";
    std::vector<float> flipped = tetrahedron();
    for (int c = 0; c < 3; ++c) std::swap(flipped[c], flipped[3 + c]);
    EXPECT_FALSE(closed(flipped)) << "one face wound the other way";
    std::vector<float> inside = tetrahedron();
    for (size_t f = 0; f < inside.size(); f += 9)
        for (int c = 0; c < 3; ++c) std::swap(inside[f + 3 + c], inside[f + 6 + c]);
    EXPECT_FALSE(closed(inside)) << "every face turned inwards";
    // Two triangles back to back close on each other but enclose nothing.
    const std::vector<float> sheet = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0};
    EXPECT_FALSE(closed(sheet));

    EXPECT_FALSE(isClosedSurface(nullptr, 4));
    EXPECT_FALSE(isClosedSurface(tetrahedron().data(), 0));
    std::vector<float> nan = tetrahedron();
    nan[0] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(closed(nan)) << "a broken corner matches none of its neighbours";
}
