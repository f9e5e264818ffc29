// Terrain generation (kinds, heights, water, winter, minimap, refusals), the view context's minimap bookkeeping,
// and the terrain table: the map planner's picture reads back into the same kinds in the map, the level and the level
// rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "../../tools/content/src/cMapPlan.h"
#include "assetsTestFiles.h"
#include "level/cLevel.h"
#include "mapTestUtil.h"
#include "world/cGameSetup.h"
#include "world/cLevelRules.h"
#include "world/cMap.h"
#include "world/terrainKinds.h"

using namespace maptest;

namespace {

// Land: height 0 to 0.4, shaded by it. Sunk: the water's bed, 0.6 to 1 down.
bool isLand(const cMap& m, int vx, int vy) {
    const float h = m.getVertexHeight(vx, vy);
    return h >= 0.0f && h <= 0.4f && m.getShade(vx, vy) == 1.0f - h;
}
bool isSunk(const cMap& m, int vx, int vy) {
    const float h = m.getVertexHeight(vx, vy), s = m.getShade(vx, vy);
    return h >= -1.0f && h <= -0.6f && s >= 0.9f && s <= 1.0f;
}

// A picture whose every pixel tells its own coordinates.
void paintCoordinates(cBitmap& b, int w, int h) {
    b.resize(w, h);
    for (int i = 0; i < w * h; ++i)
        b.setColor(i % w, i / w, static_cast<unsigned char>(i % w), static_cast<unsigned char>(i / w), 7, 255);
}

sRGBA pixel(cBitmap& b, int x, int y) { return b.getBitmapS()[b.getWidth() * y + x]; }

}  // namespace

TEST(MapGenerate, KindsFollowTheExactColoursAndWinterOnlyTheTopLeftPixel) {
    cBitmap bmp;
    fillGround(bmp, 5, 2);
    // A tree, water, the enemy and squad starts (ground to the terrain), almost
    // water, almost a tree, and blue with another alpha.
    const sRGBA px[] = {kTreePx, kWaterPx, sRGBA(255, 0, 0, 255), sRGBA(0, 255, 0, 255), sRGBA(0, 0, 254, 255),
                        sRGBA(1, 0, 0, 255), sRGBA(0, 0, 255, 128)};
    for (int i = 0; i < 7; i++) paint(bmp, i % 5, i / 5, px[i]);
    cGameSetup gs;
    cMap m;
    m.setGS(&gs);
    ASSERT_TRUE(m.init(bmp));
    const int expected[2][5] = {{2, 1, 0, 0, 0}, {0, 0, 0, 0, 0}};
    const sRGBA minimap[3] = {sRGBA(138, 198, 57, 255), sRGBA(22, 15, 220, 255), sRGBA(58, 167, 31, 255)};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 5; ++c) {
            EXPECT_EQ(m.getTerrain(c + 0.5f, r + 0.5f), expected[r][c]) << c << "," << r;
            EXPECT_EQ(gs.miniMap.getBitmapS()[r * 5 + c], minimap[expected[r][c]]) << c << "," << r;
        }
    // The level rules read the same colours, the tree in the first column too.
    cLevelRules rules(0, 0);
    EXPECT_TRUE(rules.read(bmp) && rules.share(cLevelRules::tree) == 0.1);
    // Winter comes only from a white top-left pixel.
    fillGround(bmp, 4, 3);
    paint(bmp, 0, 2, kWhitePx);  // index width * (height - 1)
    paint(bmp, 0, 0, kTreePx);
    ASSERT_TRUE(m.init(bmp));
    EXPECT_EQ(std::pair(m.isWinter(), m.getTerrain(0.5f, 2.5f)), std::pair(true, int(cMap::kGround)));
    const sRGBA* snow = gs.miniMap.getBitmapS();
    EXPECT_EQ(snow[0], sRGBA(58, 167, 31, 255));  // trees keep their colour, the ground turns to snow
    for (int i = 1; i < 12; ++i) EXPECT_EQ(snow[i], sRGBA(232, 232, 255, 255)) << i;

    fillGround(bmp, 4, 3);
    paint(bmp, 0, 0, kWhitePx);
    paint(bmp, 3, 2, kWhitePx);
    paint(bmp, 0, 2, sRGBA(255, 255, 255, 254));
    EXPECT_EQ((std::pair{m.init(bmp), m.isWinter()}), std::pair(true, false));
}

TEST(MapGenerate, WaterWetsItsCornersAndSinksOnlyVerticesWithNoGroundBeside) {
    // (w, h, water rectangle, vertices that sink, vertices that get a water level)
    const struct {
        int w, h, c0, r0, c1, r1;
        bool (*sunk)(int vx, int vy);
        bool (*wet)(int vx, int vy);
    } cases[] = {
        // One pixel: its four corners are wet, nothing sinks.
        {5, 5, 2, 2, 2, 2, [](int, int) { return false; },
         [](int x, int y) { return x >= 2 && x <= 3 && y >= 2 && y <= 3; }},
        // The far corner: (3,3) inside, (4,3) and (3,4) on edges, (4,4) the corner.
        {4, 4, 2, 2, 3, 3, [](int x, int y) { return x >= 3 && y >= 3; },
         [](int x, int y) { return x >= 2 && y >= 2; }},
        // The whole bottom row: its low border sinks, row 1 also touches ground.
        {3, 3, 0, 0, 2, 0, [](int, int y) { return y == 0; }, [](int, int y) { return y <= 1; }},
        // All water.
        {2, 3, 0, 0, 1, 2, [](int, int) { return true; }, [](int, int) { return true; }},
    };
    for (const auto& c : cases) {
        cBitmap bmp;
        fillGround(bmp, c.w, c.h);
        paintRect(bmp, c.c0, c.r0, c.c1, c.r1, kWaterPx);
        cMap m;
        ASSERT_TRUE(m.init(bmp));
        for (int vy = 0; vy <= c.h; ++vy)
            for (int vx = 0; vx <= c.w; ++vx) {
                EXPECT_EQ(std::tuple(isSunk(m, vx, vy), isLand(m, vx, vy), m.getWaterLevel(vx, vy)),
                          std::tuple(c.sunk(vx, vy), !c.sunk(vx, vy), c.wet(vx, vy) ? 0.0f : cMap::kNoWater))
                    << c.w << ": " << vx << "," << vy;
            }
    }
}

TEST(MapGenerate, RefusesOversizedMapsAndEmptiesTheModel) {
    cBitmap bmp;
    fillGround(bmp, 20, 20);
    paintRect(bmp, 0, 0, 19, 19, kTreePx);
    cMap m;
    ASSERT_TRUE(m.init(bmp));
    ASSERT_GT(m.getTreeCount(), 0);
    fillGround(bmp, cMap::kMaxSide + 1, 2);
    EXPECT_EQ((std::tuple{m.init(bmp), m.getRefusal(), m.isGenerated(), m.getTreeCount()}),
              std::tuple(false, std::string("the map is 1025 x 2 pixels; a side must be 1 to 1024"), false, 0));
    m.update(10);  // nothing to animate, nothing to touch

    cBitmap empty;
    empty.dispose();
    fillGround(bmp, 2, cMap::kMaxSide + 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(m.init(bmp) || m.init(empty));
    testing::internal::GetCapturedStderr();
    // The largest side is fine, and a new map replaces the old one.
    fillGround(bmp, cMap::kMaxSide, 1);
    EXPECT_TRUE(m.init(bmp));
    fillGround(bmp, 3, 5);
    EXPECT_EQ((std::tuple{m.init(bmp), m.getTerrain(2.5f, 4.5f), m.getTerrain(3.5f, 4.5f)}),
              std::tuple(true, int(cMap::kGround), int(cMap::kOutside)));

    EXPECT_EQ((std::tuple{m.resize(0, -3), m.getY(), m.resize(1 << 30, 1 << 30), m.isGenerated()}),
              std::tuple(true, 1.0f, false, false));
    m.dispose();  // the destructor disposes once more
}

TEST(GameSetup, ResetRestoresTheSavedTerrainAndShrinkKeepsEveryNthPixel) {
    cGameSetup gs;
    paintCoordinates(gs.miniMap, 20, 10);
    gs.saveMiniMap();
    gs.miniMap.setColor(19, 0, 255, 0, 0, 255);  // a unit's mark
    for (bool resized : {false, true}) {
        if (resized) gs.miniMap.resize(3, 2);  // the working map changed size since the save
        gs.initMiniMap();
        ASSERT_EQ(gs.miniMap.getWidth() * 100 + gs.miniMap.getHeight(), 2010);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(pixel(gs.miniMap, x, y), sRGBA(x, y, 7, 255)) << x << "," << y;
    }
    // Shrinking keeps every nth pixel and leaves the working map as it is.
    for (int side : {64, 128}) {
        paintCoordinates(gs.miniMap, side, side);
        gs.miniMap.setColor(33, 41, 255, 0, 0, 255);  // an odd mark falls between the kept pixels of the larger map
        cBitmap small(0, 0);
        gs.shrinkMiniMap(small);
        ASSERT_EQ(std::pair(small.getWidth() * 100 + small.getHeight(), gs.miniMap.getWidth()), std::pair(6464, side));
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool mark = side == 64 && x == 33 && y == 41;
                ASSERT_EQ(pixel(small, x, y),
                          mark ? sRGBA(255, 0, 0, 255) : sRGBA(side / 64 * x, side / 64 * y, 7, 255))
                    << side;
            }
    }
}

TEST(TerrainKinds, OnePlannedPictureGivesTheSameKindsMarkersAndWinterEverywhere) {
    // Trees, water and both markers, with the top-left pixel left to winter.
    cMapPlan plan(24, 16, 3);
    plan.woods(2, 2, 9, 6, 1.0);
    plan.lake(17, 4, 4, 3);
    plan.start(6, 11);
    plan.enemy(18, 11);
    plan.setWinter(true);
    assetsTest::ScratchDir scratch;
    assetsTest::WorkingDir inside{scratch.path};
    std::filesystem::create_directories("maps");
    ASSERT_TRUE(plan.picture().save("maps/plan.bmp"));
    cBitmap picture(0, 0);
    ASSERT_TRUE(picture.loadFromFile("maps/plan.bmp"));

    std::srand(5);
    cMap map;
    ASSERT_TRUE(map.init(picture));
    cLevelRules rules(0, 0);
    ASSERT_TRUE(rules.read(picture));
    const cLevelRules planned = plan.rules();
    for (cellKind::eKind kind : {cellKind::ground, cellKind::water, cellKind::tree}) {
        int cells = 0;
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 24; x++) cells += map.getTerrain(x + 0.5f, y + 0.5f) == kind;
        EXPECT_GT(cells, 0) << int(kind);
        EXPECT_DOUBLE_EQ(rules.share(kind), cells / (24.0 * 16.0)) << int(kind);
        EXPECT_DOUBLE_EQ(planned.share(kind), rules.share(kind)) << int(kind);
    }
    EXPECT_EQ(std::tuple(map.getTerrain(-1, 3), map.isWinter(), rules.isWinter(), rules.startX(), rules.startY(),
                         rules.enemyCount()),
              std::tuple(int(cellKind::outside), true, true, 6, 11, 1));

    // The level finds the markers the rules counted, on the cells the planner put them.
    cLevel level(1);
    level.setMapName("plan.bmp");
    ASSERT_TRUE(level.init());
    ASSERT_NE(level.getEnemies(), nullptr);
    EXPECT_EQ(std::tuple(level.getSquad()->getX(), level.getSquad()->getY(), level.getEnemies()->getX(),
                         level.getEnemies()->hasNext()),
              std::tuple(6.0f, 11.0f, 18.0f, false));
}
