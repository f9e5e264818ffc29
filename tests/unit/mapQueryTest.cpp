// Terrain point queries, vertex normals and the rolling water surface.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "mapTestUtil.h"
#include "world/cMap.h"

using namespace maptest;

namespace {


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
        EXPECT_EQ(kind, c.kind) << c.x << "," << c.y;
        EXPECT_EQ(map.getTerrain(c.x, c.y), c.kind) << c.x << "," << c.y;
        EXPECT_EQ(h, c.kind == cMap::kOutside ? 0.0f : map.getHeight(c.x, c.y)) << c.x << "," << c.y;
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
