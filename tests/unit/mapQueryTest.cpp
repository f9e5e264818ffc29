// Terrain point queries, vertex normals and the rolling water surface; the water made ready for drawing
// (the cells it covers, its tiles, each quad on its own cell's corners); the unit cell grid's bounds,
// last writer, clearing and freeing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "mapTestUtil.h"
#include "world/cColision.h"
#include "world/cMap.h"
#include "world/cWaterMesh.h"

using namespace maptest;

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


float cornerMean(const cMap& m, int c, int r, bool water) {
    const auto v = [&](int x, int y) { return water ? m.getWaterLevel(x, y) : m.getVertexHeight(x, y); };
    return (v(c, r) + v(c + 1, r) + v(c, r + 1) + v(c + 1, r + 1)) / 4.0f;
}

// Difference of two phases, folded into [-pi, pi].
float phaseDiff(float a, float b) { return std::remainder(a - b, 2.0f * float(M_PI)); }

class MapQuery : public testing::Test {
protected:
    void SetUp() override {
        fillGround(bmp, 4, 3);
        paint(bmp, 3, 2, kTreePx);
        paintRect(bmp, 0, 0, 1, 1, kWaterPx);
        ASSERT_TRUE(map.init(bmp));
    }
    cBitmap bmp;
    cMap map;
};

}  // namespace

TEST_F(MapQuery, CellLookupAtTheEdgesAndOddCoordinates) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const struct { float x, y; int kind; } cases[] = {
        {0.0f, 0.5f, cMap::kOutside},   {0.5f, 0.0f, cMap::kOutside},   {0.5f, 0.5f, cMap::kWater},
        {1e-6f, 1e-6f, cMap::kWater},   {3.999f, 2.999f, cMap::kTree},  {4.0f, 2.5f, cMap::kOutside},
        {3.5f, 3.0f, cMap::kOutside},   {-0.5f, 1.5f, cMap::kOutside},  {2.5f, 1.5f, cMap::kGround},
        {1.5f, -1e30f, cMap::kOutside}, {inf, 1.5f, cMap::kOutside},    {nan, 1.5f, cMap::kOutside},
        {1.5f, nan, cMap::kOutside},    {3e9f, 1.5f, cMap::kOutside},
    };
    for (const auto& c : cases) {
        int kind = -1;
        float h = -1.0f;
        map.getTerrainInfo(c.x, c.y, kind, h);
        EXPECT_EQ(std::tuple(kind, map.getTerrain(c.x, c.y), h),
                  std::tuple(c.kind, c.kind, c.kind == cMap::kOutside ? 0.0f : map.getHeight(c.x, c.y)))
            << c.x << "," << c.y;
    }
}

TEST_F(MapQuery, HeightIsTheCornerMeanAndConstantOverTheCellAndNormalsPointUp) {
    EXPECT_FLOAT_EQ(map.getHeight(2.5f, 1.5f), cornerMean(map, 2, 1, false));
    EXPECT_EQ(map.getHeight(2.01f, 1.01f), map.getHeight(2.99f, 1.99f));
    EXPECT_FLOAT_EQ(map.getHeight(3.5f, 2.5f), cornerMean(map, 3, 2, false));  // trees stand on the ground
    // Water cells answer the water surface, not the sunken bed below it.
    EXPECT_EQ(map.getHeight(0.5f, 0.5f), 0.0f);
    map.update(700);
    map.update(1);
    EXPECT_FLOAT_EQ(map.getHeight(1.5f, 0.5f), cornerMean(map, 1, 0, true));
    EXPECT_NE(map.getHeight(1.5f, 0.5f), 0.0f);
    // Normals point up everywhere, the border included; NaN fails both tests.
    for (int vy = 0; vy <= 3; ++vy)
        for (int vx = 0; vx <= 4; ++vx) {
            const sVector n = map.getVertexNormal(vx, vy);
            EXPECT_TRUE(n.z > 0.5f && n.length() <= 1.0f + 1e-5f) << vx << "," << vy;
        }
}

TEST_F(MapQuery, WavePhaseAdvancesOneRadianASecondEvenAfterYearsOfPlay) {
    const float before = map.getWaveAngle();
    map.update(1571);
    map.update(1571);
    EXPECT_NEAR(std::fabs(phaseDiff(map.getWaveAngle(), before)), float(M_PI), 1e-3f);
    map.update(-3142);
    EXPECT_NEAR(phaseDiff(map.getWaveAngle(), before), 0.0f, 1e-3f);

    for (int i = 0; i < 200; ++i) map.update(1000 * 1000 * 1000);
    const float late = map.getWaveAngle();
    map.update(5);
    EXPECT_NEAR(phaseDiff(map.getWaveAngle(), late), 0.005f, 1e-4f);
    EXPECT_TRUE(map.getWaveAngle() >= 0.0f && map.getWaveAngle() < 2.0f * float(M_PI)) << map.getWaveAngle();
}

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
    // Tiles without water are left out. A corner is stored once, whichever tile uses it: the 4 x 2
    // pond shares 5 x 3 corners, the 5 x 3 one 6 x 4, the lone cell 4.
    EXPECT_EQ(std::tuple(w.quadCount(), w.tileCount(), w.vertexCount()), std::tuple(8u + 15u + 1u, 3u, 15u + 24u + 4u));
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
    EXPECT_TRUE(cells.count({2, 2}) && cells.count({14, 2}) && cells.count({17, 3}) && cells.count({39, 19}) &&
                !cells.count({8, 8}));

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

TEST(Colision, KeepsTheLastWriterInsideAndAnswersMinusOneOutside) {
    cColision c;
    c.resize(4, 3);
    for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {-100000, 100000}}) {
        c.putObject(x, y, 7, 0);
        EXPECT_EQ(c.getObject(x, y), -1) << x << "," << y;
    }
    c.putObject(1, 1, 7, 2); // any radius but 0 changes nothing
    EXPECT_EQ(c.getObject(1, 1), 0);
    // Every corner holds its own writer's id (a wrong row or column stride shows here).
    for (auto [x, y, id] : {std::tuple{3, 2, 5}, {3, 2, 9}, {0, 2, 1}, {3, 0, 4}})
        c.putObject(x, y, id, 0);
    for (auto [x, y, id] : {std::tuple{3, 2, 9}, {0, 2, 1}, {3, 0, 4}, {2, 2, 0}, {0, 0, 0}})
        EXPECT_EQ(c.getObject(x, y), id) << x << "," << y;
    c.removeObject(3, 2, 0);
    EXPECT_EQ(c.getObject(3, 2), 0);
    c.clear();
    EXPECT_EQ(c.getObject(0, 2), 0);
    c.dispose();  // the destructor disposes once more
    EXPECT_EQ(c.getObject(0, 0), -1);
    c.putObject(0, 0, 1, 0); // no cells: a harmless no-op
}
