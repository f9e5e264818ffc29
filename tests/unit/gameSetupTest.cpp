// Minimap bookkeeping of the view context: the clean copy, the per-frame reset and the 64 x 64 resample.
#include "world/cGameSetup.h"

#include <gtest/gtest.h>

namespace {

// A picture whose every pixel tells its own coordinates.
void paintCoordinates(cBitmap& b, int w, int h)
{
    b.resize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.setColor(x, y, static_cast<unsigned char>(x), static_cast<unsigned char>(y), 7, 255);
}

sRGBA pixel(cBitmap& b, int x, int y)
{
    return b.getBitmapS()[b.getWidth() * y + x];
}

} // namespace

TEST(GameSetup, ResetRestoresTheSavedTerrainAtItsSize)
{
    cGameSetup gs;
    paintCoordinates(gs.miniMap, 20, 10);
    gs.saveMiniMap();
    // A unit on the edge marks only the part of its cross inside the picture.
    for (auto [dx, dy] : {std::pair{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}})
        gs.miniMap.setColor(19 + dx, 0 + dy, 255, 0, 0, 255);
    EXPECT_EQ(pixel(gs.miniMap, 18, 0), sRGBA(255, 0, 0, 255));
    gs.initMiniMap();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(pixel(gs.miniMap, x, y), sRGBA(x, y, 7, 255)) << x << "," << y;

    gs.miniMap.resize(3, 2);  // the working map changed size since the save
    gs.initMiniMap();
    ASSERT_EQ(gs.miniMap.getWidth(), 20);
    ASSERT_EQ(gs.miniMap.getHeight(), 10);
    EXPECT_EQ(pixel(gs.miniMap, 19, 9), sRGBA(19, 9, 7, 255));
}

TEST(GameSetup, ShrinkKeepsEveryNthPixel)
{
    for (int side : {64, 128}) {
        cGameSetup gs;
        paintCoordinates(gs.miniMap, side, side);
        cBitmap small(0, 0);
        gs.shrinkMiniMap(small);
        ASSERT_EQ(small.getWidth(), 64);
        ASSERT_EQ(small.getHeight(), 64);
        const int step = side / 64;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                ASSERT_EQ(pixel(small, x, y), sRGBA(step * x, step * y, 7, 255)) << side;
    }
}

TEST(GameSetup, OddCrossVanishesFromTheShrunkMapAndTheWorkingMapStays)
{
    cGameSetup gs;
    paintCoordinates(gs.miniMap, 128, 128);
    for (auto [dx, dy] : {std::pair{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}})
        gs.miniMap.setColor(33 + dx, 41 + dy, 255, 0, 0, 255);
    cBitmap small(0, 0);
    gs.shrinkMiniMap(small);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_NE(pixel(small, x, y), sRGBA(255, 0, 0, 255));
    EXPECT_EQ(gs.miniMap.getWidth(), 128);
}
