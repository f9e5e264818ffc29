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

TEST(GameSetup, ResetClearsUnitMarksAndKeepsTerrain)
{
    cGameSetup gs;
    paintCoordinates(gs.miniMap, 20, 10);
    gs.saveMiniMap();
    ASSERT_EQ(gs.miniMapSaved.getWidth(), 20);
    ASSERT_EQ(gs.miniMapSaved.getHeight(), 10);

    // A unit on the edge marks only the part of its cross inside the picture.
    for (auto [dx, dy] : {std::pair{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}})
        gs.miniMap.setColor(19 + dx, 0 + dy, 255, 0, 0, 255);
    EXPECT_EQ(pixel(gs.miniMap, 19, 0), sRGBA(255, 0, 0, 255));
    EXPECT_EQ(pixel(gs.miniMap, 18, 0), sRGBA(255, 0, 0, 255));
    EXPECT_EQ(pixel(gs.miniMap, 19, 1), sRGBA(255, 0, 0, 255));

    gs.initMiniMap();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(pixel(gs.miniMap, x, y), sRGBA(x, y, 7, 255)) << x << "," << y;
}

TEST(GameSetup, ResetAfterTheWorkingMapChangedSizeTakesTheSavedSize)
{
    cGameSetup gs;
    paintCoordinates(gs.miniMap, 8, 8);
    gs.saveMiniMap();
    gs.miniMap.resize(3, 2);
    gs.initMiniMap();
    ASSERT_EQ(gs.miniMap.getWidth(), 8);
    ASSERT_EQ(gs.miniMap.getHeight(), 8);
    EXPECT_EQ(pixel(gs.miniMap, 7, 7), sRGBA(7, 7, 7, 255));
}

TEST(GameSetup, SixtyFourSquareMapIsShrunkPixelForPixel)
{
    cGameSetup gs;
    paintCoordinates(gs.miniMap, 64, 64);
    cBitmap small(0, 0);
    gs.shrinkMiniMap(small);
    ASSERT_EQ(small.getWidth(), 64);
    ASSERT_EQ(small.getHeight(), 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(pixel(small, x, y), sRGBA(x, y, 7, 255));
}

TEST(GameSetup, LargerMapsKeepOnlyEveryNthPixel)
{
    cGameSetup gs;
    paintCoordinates(gs.miniMap, 128, 128);
    cBitmap small(0, 0);
    gs.shrinkMiniMap(small);
    ASSERT_EQ(small.getWidth(), 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(pixel(small, x, y), sRGBA(2 * x, 2 * y, 7, 255));

    // A cross centred on an odd column and odd row vanishes at 128 x 128.
    gs.saveMiniMap();
    for (auto [dx, dy] : {std::pair{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}})
        gs.miniMap.setColor(33 + dx, 41 + dy, 255, 0, 0, 255);
    gs.shrinkMiniMap(small);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_NE(pixel(small, x, y), sRGBA(255, 0, 0, 255));
    // The working map itself is left as it was.
    EXPECT_EQ(gs.miniMap.getWidth(), 128);
}
