// The water made ready for drawing: the cells it covers, its tiles, and each quad on its own cell's corners.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "world/cWaterMesh.h"

namespace {

// A width x height map, dry everywhere but at the wet vertices given as (x, y).
struct sLevels {
    int width, height;
    std::vector<float> level, shade;
    sLevels(int w, int h) : width(w), height(h), level(size_t(w + 1) * (h + 1), 100.0f), shade(level.size(), 0.5f) {}
    unsigned at(int x, int y) const { return unsigned(y * (width + 1) + x); }
    void wetCells(int c0, int r0, int c1, int r1) {  // cells c0..c1-1, r0..r1-1
        for (int y = r0; y <= r1; ++y)
            for (int x = c0; x <= c1; ++x) level[at(x, y)] = -0.2f;
    }
};

}  // namespace

TEST(WaterMesh, CoversEveryCellWithFourWetCornersOnceEachInTilesOnItsOwnCorners) {
    // 40 x 20: tiles of 16 cut it into 3 x 2, the last ones partial.
    sLevels m(40, 20);
    m.wetCells(14, 2, 18, 4);   // 4 x 2 cells across the first two tiles' border
    m.wetCells(35, 17, 40, 20); // 5 x 3 cells in the last, partial tile, up to the map's edge
    m.level[m.at(2, 2)] = m.level[m.at(3, 2)] = m.level[m.at(2, 3)] = cWaterMesh::kWetAt;  // exactly at the mark: wet
    m.level[m.at(3, 3)] = cWaterMesh::kWetAt;
    m.level[m.at(8, 8)] = m.level[m.at(9, 8)] = m.level[m.at(8, 9)] = -0.2f;  // three wet corners are not enough
    m.level[m.at(9, 9)] = cWaterMesh::kWetAt + 0.01f;
    cWaterMesh w;
    w.build(m.width, m.height, m.level.data(), m.shade.data());
    EXPECT_EQ(w.quadCount(), 8u + 15u + 1u);
    EXPECT_EQ(w.tileCount(), 3u) << "tiles without water are left out";
    // The 4 x 2 pond shares 5 x 3 corners, the 5 x 3 one 6 x 4, the lone cell 4.
    EXPECT_EQ(w.vertexCount(), 15u + 24u + 4u) << "a corner is stored once, whichever tile uses it";
    std::set<std::pair<int, int>> cells;
    for (size_t q = 0; q < w.quadCount(); ++q) {
        unsigned corners[4];
        w.quadCorners(q, corners);
        const int c = int(corners[0] % 41), r = int(corners[0] / 41);
        EXPECT_EQ(std::vector<unsigned>(corners, corners + 4),
                  (std::vector<unsigned>{m.at(c, r), m.at(c + 1, r), m.at(c + 1, r + 1), m.at(c, r + 1)}))
            << "quad " << q << " runs round its cell";
        EXPECT_TRUE(cells.insert({c, r}).second) << "cell " << c << "," << r << " drawn twice";
    }
    EXPECT_TRUE(cells.count({2, 2}) && cells.count({14, 2}) && cells.count({17, 3}) && cells.count({39, 19}));
    EXPECT_FALSE(cells.count({8, 8}));

    // A dry map, a rebuild and nonsense leave nothing behind from before.
    sLevels dry(20, 20);
    w.build(dry.width, dry.height, dry.level.data(), dry.shade.data());
    EXPECT_EQ(w.quadCount() + w.tileCount() + w.vertexCount(), 0u);
    w.build(m.width, m.height, m.level.data(), m.shade.data());
    w.build(0, 5, m.level.data(), m.shade.data());
    EXPECT_EQ(w.quadCount() + w.tileCount() + w.vertexCount(), 0u);
    w.build(m.width, m.height, nullptr, m.shade.data());
    EXPECT_EQ(w.quadCount(), 0u);
}
