// Terrain generation: kinds, heights, the water depression, winter, the minimap picture and refusals.
#include <gtest/gtest.h>

#include <cstdlib>

#include "mapTestUtil.h"
#include "world/cGameSetup.h"
#include "world/cMap.h"

using namespace maptest;

namespace {

bool isLand(const cMap& m, int vx, int vy) {
    const float h = m.getVertexHeight(vx, vy);
    return h >= 0.0f && h <= 0.4f && m.getShade(vx, vy) == 1.0f - h;
}

bool isSunk(const cMap& m, int vx, int vy) {
    const float h = m.getVertexHeight(vx, vy);
    const float s = m.getShade(vx, vy);
    return h >= -1.0f && h <= -0.6f && s >= 0.9f && s <= 1.0f;
}

sRGBA fromFloats(int r, int g, int b) {
    const float f[4] = {r / 255.0f, g / 255.0f, b / 255.0f, 1.0f};
    sRGBA c;
    c.set(f);
    return c;
}

}  // namespace

TEST(MapGenerate, KindsFollowTheExactColours) {
    std::srand(1);
    cBitmap bmp;
    fillGround(bmp, 5, 2);
    paint(bmp, 0, 0, kTreePx);
    paint(bmp, 1, 0, kWaterPx);
    paint(bmp, 2, 0, sRGBA(255, 0, 0, 255));   // enemy start: ground to the terrain
    paint(bmp, 3, 0, sRGBA(0, 255, 0, 255));   // squad start
    paint(bmp, 4, 0, sRGBA(0, 0, 254, 255));   // almost water
    paint(bmp, 0, 1, sRGBA(1, 0, 0, 255));     // almost a tree
    paint(bmp, 1, 1, sRGBA(0, 0, 255, 128));   // blue with another alpha
    cGameSetup gs;
    cMap m;
    m.setGS(&gs);
    ASSERT_TRUE(m.init(bmp));
    EXPECT_EQ(m.getX(), 5.0f);
    EXPECT_EQ(m.getY(), 2.0f);
    const int expected[2][5] = {{2, 1, 0, 0, 0}, {0, 0, 0, 0, 0}};
    const sRGBA minimap[3] = {fromFloats(138, 198, 57), fromFloats(22, 15, 220), fromFloats(58, 167, 31)};
    ASSERT_EQ(gs.miniMap.getWidth(), 5);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 5; ++c) {
            EXPECT_EQ(m.getTerrain(c + 0.5f, r + 0.5f), expected[r][c]) << c << "," << r;
            EXPECT_EQ(gs.miniMap.getBitmapS()[r * 5 + c], minimap[expected[r][c]]) << c << "," << r;
        }
}

TEST(MapGenerate, SinglePixelPondWetsItsCornersButSinksNothing) {
    std::srand(3);
    cBitmap bmp;
    fillGround(bmp, 5, 5);
    paint(bmp, 2, 2, kWaterPx);
    cMap m;
    ASSERT_TRUE(m.init(bmp));
    EXPECT_EQ(m.getTreeCount(), 0);
    EXPECT_FALSE(m.isWinter());
    for (int vy = 0; vy <= 5; ++vy)
        for (int vx = 0; vx <= 5; ++vx) {
            const bool corner = (vx == 2 || vx == 3) && (vy == 2 || vy == 3);
            EXPECT_EQ(m.getWaterLevel(vx, vy), corner ? 0.0f : cMap::kNoWater) << vx << "," << vy;
            EXPECT_TRUE(isLand(m, vx, vy)) << vx << "," << vy;
        }
}

TEST(MapGenerate, WaterInTheFarCornerSinksTheBorderVertices) {
    std::srand(4);
    cBitmap bmp;
    fillGround(bmp, 4, 4);
    paintRect(bmp, 2, 2, 3, 3, kWaterPx);
    cMap m;
    ASSERT_TRUE(m.init(bmp));
    for (int vy = 0; vy <= 4; ++vy)
        for (int vx = 0; vx <= 4; ++vx) {
            const bool sunk = vx >= 3 && vy >= 3;  // (3,3) inside, (4,3) and (3,4) on edges, (4,4) the corner
            EXPECT_EQ(isSunk(m, vx, vy), sunk) << vx << "," << vy;
            EXPECT_EQ(isLand(m, vx, vy), !sunk) << vx << "," << vy;
            EXPECT_EQ(m.getWaterLevel(vx, vy) == 0.0f, vx >= 2 && vy >= 2) << vx << "," << vy;
        }
}

TEST(MapGenerate, WaterOnTheLowBorderAndAllWaterMaps) {
    std::srand(5);
    cBitmap bmp;
    fillGround(bmp, 3, 3);
    paintRect(bmp, 0, 0, 2, 0, kWaterPx);  // the whole bottom row
    cMap m;
    ASSERT_TRUE(m.init(bmp));
    for (int vx = 0; vx <= 3; ++vx) {
        EXPECT_TRUE(isSunk(m, vx, 0)) << vx;   // touched by bottom-row cells only
        EXPECT_TRUE(isLand(m, vx, 1)) << vx;   // also touches the ground of row 1
    }

    fillGround(bmp, 2, 3);
    paintRect(bmp, 0, 0, 1, 2, kWaterPx);
    ASSERT_TRUE(m.init(bmp));
    for (int vy = 0; vy <= 3; ++vy)
        for (int vx = 0; vx <= 2; ++vx) EXPECT_TRUE(isSunk(m, vx, vy)) << vx << "," << vy;
}

TEST(MapGenerate, WinterOnlyFromTheTopLeftPixel) {
    cBitmap bmp;
    fillGround(bmp, 4, 3);
    cGameSetup gs;
    cMap m;
    m.setGS(&gs);
    paint(bmp, 0, 2, kWhitePx);  // index width * (height - 1)
    paint(bmp, 0, 0, kTreePx);
    ASSERT_TRUE(m.init(bmp));
    EXPECT_TRUE(m.isWinter());
    EXPECT_EQ(m.getTerrain(0.5f, 2.5f), cMap::kGround);
    const sRGBA* px = gs.miniMap.getBitmapS();
    EXPECT_EQ(px[0], fromFloats(58, 167, 31));  // trees keep their colour, the ground turns to snow
    for (int i = 1; i < 12; ++i) EXPECT_EQ(px[i], fromFloats(232, 232, 255)) << i;

    fillGround(bmp, 4, 3);
    paint(bmp, 0, 0, kWhitePx);
    paint(bmp, 3, 2, kWhitePx);
    paint(bmp, 0, 2, sRGBA(255, 255, 255, 254));
    ASSERT_TRUE(m.init(bmp));
    EXPECT_FALSE(m.isWinter());
}

TEST(MapGenerate, RefusesOversizedMapsAndEmptiesTheModel) {
    cBitmap bmp;
    fillGround(bmp, 4, 4);
    paint(bmp, 1, 1, kWaterPx);
    cMap m;
    ASSERT_TRUE(m.init(bmp));

    fillGround(bmp, cMap::kMaxSide + 1, 2);
    EXPECT_FALSE(m.init(bmp));
    EXPECT_EQ(m.getRefusal(), "the map is 1025 x 2 pixels; a side must be 1 to 1024");
    EXPECT_FALSE(m.isGenerated());
    EXPECT_EQ(m.getX(), 0.0f);
    EXPECT_EQ(m.getTerrain(1.5f, 1.5f), cMap::kGround);
    EXPECT_EQ(m.getHeight(1.5f, 1.5f), 0.0f);
    m.update(10);  // nothing to animate, nothing to touch

    fillGround(bmp, 2, cMap::kMaxSide + 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(m.init(bmp));
    testing::internal::GetCapturedStderr();

    fillGround(bmp, cMap::kMaxSide, 1);
    EXPECT_TRUE(m.init(bmp));

    cBitmap empty;
    empty.dispose();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(m.init(empty));
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(m.isGenerated());
}

TEST(MapGenerate, ResizeClampsAndRefuses) {
    cMap m;
    EXPECT_TRUE(m.resize(0, -3));
    EXPECT_EQ(m.getY(), 1.0f);
    EXPECT_FALSE(m.resize(1 << 30, 1 << 30));
    EXPECT_FALSE(m.isGenerated());
    m.dispose();
    m.dispose();
}

TEST(MapGenerate, ReinitReplacesTheOldMap) {
    std::srand(9);
    cBitmap bmp;
    fillGround(bmp, 20, 20);
    paintRect(bmp, 0, 0, 19, 19, kTreePx);
    cMap m;
    ASSERT_TRUE(m.init(bmp));
    ASSERT_GT(m.getTreeCount(), 0);
    fillGround(bmp, 3, 5);
    ASSERT_TRUE(m.init(bmp));
    EXPECT_EQ(m.getTreeCount(), 0);
    EXPECT_EQ(m.getTerrain(2.5f, 4.5f), cMap::kGround);
    EXPECT_EQ(m.getTerrain(3.5f, 4.5f), cMap::kOutside);
}
