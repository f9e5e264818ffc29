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

sRGBA pixel(cBitmap& b, int x, int y) { return b.getBitmapS()[b.getWidth() * y + x]; }

// A unit's cross: a few pixels may fall outside the picture.
void markUnit(cBitmap& b, int x, int y)
{
    for (auto [dx, dy] : {std::pair{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}})
        b.setColor(x + dx, y + dy, 255, 0, 0, 255);
}

} // namespace

TEST(GameSetup, ResetRestoresTheSavedTerrainAndShrinkKeepsEveryNthPixel)
{
    cGameSetup gs;
    paintCoordinates(gs.miniMap, 20, 10);
    gs.saveMiniMap();
    markUnit(gs.miniMap, 19, 0);
    EXPECT_EQ(pixel(gs.miniMap, 18, 0), sRGBA(255, 0, 0, 255));
    for (bool resized : {false, true}) {
        if (resized)
            gs.miniMap.resize(3, 2);  // the working map changed size since the save
        gs.initMiniMap();
        ASSERT_EQ(gs.miniMap.getWidth() * 100 + gs.miniMap.getHeight(), 2010);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(pixel(gs.miniMap, x, y), sRGBA(x, y, 7, 255)) << x << "," << y;
    }
    // Shrinking keeps every nth pixel and leaves the working map as it is.
    for (int side : {64, 128}) {
        paintCoordinates(gs.miniMap, side, side);
        markUnit(gs.miniMap, 33, 41);  // an odd cross falls between the kept pixels of the larger map
        cBitmap small(0, 0);
        gs.shrinkMiniMap(small);
        ASSERT_EQ(small.getWidth() * 100 + small.getHeight(), 6464);
        EXPECT_EQ(gs.miniMap.getWidth(), side);
        const int step = side / 64;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool cross = side == 64 && std::abs(x - 33) + std::abs(y - 41) <= 1;
                ASSERT_EQ(pixel(small, x, y), cross ? sRGBA(255, 0, 0, 255) : sRGBA(step * x, step * y, 7, 255)) << side;
            }
    }
}
