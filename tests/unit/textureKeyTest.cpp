// Keying of the unit textures: magenta turns transparent with a fringe taken from its neighbours.
#include "assets/cTexture.h"

#include "assets/cBitmap.h"

#include <gtest/gtest.h>

TEST(TextureKey, MagentaTakesItsNeighboursAndFarMagentaStaysClear)
{
    // A 12 x 12 magenta picture with one white pixel at (2, 2).
    cBitmap b(12, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            b.setColor(x, y, 255, 0, 255, 17);
    b.setColor(2, 2, 255, 255, 255, 17);
    cTexture::keyBitmap(b);
    auto at = [&](int x, int y) { return b.getBitmapS()[12 * y + x]; };
    // The white pixel stays, opaque.
    EXPECT_EQ(at(2, 2), sRGBA(255, 255, 255, 255));
    // Its neighbour gets a faint white fringe: one opaque neighbour of eight.
    EXPECT_EQ(at(3, 2), sRGBA(31, 31, 31, 31));
    // Far from any colour, magenta becomes fully transparent.
    EXPECT_EQ(at(9, 9).a, 0);
    // Border pixels are never filled.
    EXPECT_EQ(at(0, 5).a, 0);
}
