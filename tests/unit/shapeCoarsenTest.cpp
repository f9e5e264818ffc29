// Coarsened models for far trees: fewer triangles, the same size, the same winding, no copies, never a crash;
// and the closed-surface test that decides which tree parts may have their back faces culled.
#include "world/shapeCoarsen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <utility>
#include <vector>

#include "assets/closedSurface.h"

namespace {

// A closed sphere of radius 2 around (1, 1, 3), wound counter-clockwise from outside, with
// a vertex shared by the triangles that meet at it and its outward normal.
sIndexedShape sphere(int rings, int segments) {
    sIndexedShape s;
    for (int r = 0; r <= rings; ++r)
        for (int g = 0; g < segments; ++g) {
            const double polar = M_PI * r / rings, around = 2 * M_PI * g / segments;
            const float n[3] = {float(std::sin(polar) * std::cos(around)), float(std::sin(polar) * std::sin(around)),
                                float(std::cos(polar))};
            s.positions.insert(s.positions.end(), {1 + 2 * n[0], 1 + 2 * n[1], 3 + 2 * n[2]});
            s.normals.insert(s.normals.end(), n, n + 3);
        }
    const auto at = [segments](int r, int g) { return unsigned(r * segments + (g % segments)); };
    for (int r = 0; r < rings; ++r)
        for (int g = 0; g < segments; ++g) {
            if (r > 0) s.indices.insert(s.indices.end(), {at(r, g), at(r + 1, g), at(r, g + 1)});
            if (r < rings - 1) s.indices.insert(s.indices.end(), {at(r, g + 1), at(r + 1, g), at(r + 1, g + 1)});
        }
    return s;
}

// The poles repeat one point per segment: merged, so that the surface is closed.
sIndexedShape welded(const sIndexedShape& s) {
    sIndexedShape out = s;
    std::map<std::vector<float>, unsigned> first;
    for (auto& i : out.indices) {
        const std::vector<float> p(s.positions.begin() + i * 3, s.positions.begin() + i * 3 + 3);
        std::vector<float> key;
        for (float v : p) key.push_back(std::round(v * 1000) / 1000);
        i = first.emplace(key, i).first->second;
    }
    return out;
}

std::vector<float> corners(const sIndexedShape& s) {
    std::vector<float> c;
    for (unsigned i : s.indices) c.insert(c.end(), s.positions.begin() + i * 3, s.positions.begin() + i * 3 + 3);
    return c;
}

// A tetrahedron's faces, each wound counter-clockwise seen from outside.
std::vector<float> tetrahedron(float shift = 0) {
    const float v[4][3] = {{shift, 0, 0}, {shift + 1, 0, 0}, {shift, 1, 0}, {shift, 0, 1}};
    const int faces[4][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
    std::vector<float> out;
    for (const auto& f : faces)
        for (int k : f) out.insert(out.end(), v[k], v[k] + 3);
    return out;
}

bool closed(const std::vector<float>& corners) { return isClosedSurface(corners.data(), int(corners.size() / 9)); }

}  // namespace

TEST(ShapeCoarsen, KeepsAClosedOutwardShapeAtItsSizeOnFarFewerTriangles) {
    const sIndexedShape fine = welded(sphere(12, 16));
    ASSERT_TRUE(closed(corners(fine)));
    for (int cells : {2, 3}) {
        const sIndexedShape coarse = coarsenShape(fine, cells);
        const size_t vertices = coarse.positions.size() / 3;
        ASSERT_EQ(coarse.normals.size(), coarse.positions.size());
        EXPECT_LE(vertices, size_t(cells * cells * cells));
        EXPECT_LT(coarse.indices.size() * 4, fine.indices.size()) << cells;
        EXPECT_TRUE(closed(corners(coarse))) << cells;
        for (size_t v = 0; v < vertices; ++v) {
            const float* p = &coarse.positions[v * 3];
            const float* n = &coarse.normals[v * 3];
            // Every corner on the sphere (not pulled in to the means), its normal outward.
            const float d[3] = {p[0] - 1, p[1] - 1, p[2] - 3};
            EXPECT_NEAR(std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]), 2.0f, 1e-3f) << cells << " " << v;
            EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0f, 1e-4f);
            EXPECT_GT(n[0] * d[0] + n[1] * d[1] + n[2] * d[2], 0.0f);
        }
        for (unsigned i : coarse.indices) ASSERT_LT(i, vertices);
    }
}

TEST(ShapeCoarsen, OddShapesGiveWhatTheyCanAndNeverCrash) {
    EXPECT_TRUE(coarsenShape({}, 3).indices.empty());
    // A flat square without normals, an index out of range and a degenerate triangle.
    sIndexedShape flat{{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}, {}, {0, 1, 2, 0, 2, 3, 0, 1, 9, 1, 1, 2}};
    const sIndexedShape same = coarsenShape(flat, 3);
    EXPECT_TRUE(same.normals.empty());
    EXPECT_EQ(same.indices, (std::vector<unsigned>{0, 1, 2, 0, 2, 3})) << "corners in cells of their own stay";
    EXPECT_TRUE(coarsenShape(flat, 0).indices.empty());
    // A triangle again in the same turn is drawn once; turned over, it is another face.
    const sIndexedShape twice{{0, 0, 0, 1, 0, 0, 0, 1, 0}, {}, {0, 1, 2, 1, 2, 0, 2, 1, 0}};
    EXPECT_EQ(coarsenShape(twice, 3).indices, (std::vector<unsigned>{0, 1, 2, 2, 1, 0}));
    // Normals that cancel (a two-sided sliver) light the corner from above.
    sIndexedShape sliver{{0, 0, 0, 0.1f, 0, 0, 4, 0, 0}, {0, 1, 0, 0, -1, 0, 0, 1, 0}, {0, 1, 2}};
    const sIndexedShape merged = coarsenShape(sliver, 2);
    for (float v : merged.normals) EXPECT_FALSE(std::isnan(v));
    EXPECT_TRUE(merged.indices.empty()) << "two corners in one cell leave no triangle";
    EXPECT_EQ(std::vector<float>(merged.normals.begin(), merged.normals.begin() + 3), (std::vector<float>{0, 0, 1}));
}

TEST(ClosedSurface, OnlyAWhollyClosedOutwardWoundSurfaceMayHaveItsBackFacesCulled) {
    EXPECT_TRUE(closed(tetrahedron()));
    std::vector<float> two = tetrahedron(), other = tetrahedron(5);
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

    EXPECT_FALSE(isClosedSurface(nullptr, 4) || isClosedSurface(tetrahedron().data(), 0));
    std::vector<float> nan = tetrahedron();
    nan[0] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(closed(nan)) << "a broken corner matches none of its neighbours";
}
