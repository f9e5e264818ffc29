// Small map pictures for the terrain tests.
#pragma once
#include "assets/cBitmap.h"

namespace maptest {

inline const sRGBA kGroundPx(120, 90, 60, 255);
inline const sRGBA kTreePx(0, 0, 0, 255);
inline const sRGBA kWaterPx(0, 0, 255, 255);
inline const sRGBA kWhitePx(255, 255, 255, 255);

// A w x h picture of plain ground.
inline void fillGround(cBitmap& bmp, int w, int h) {
    bmp.resize(w, h);
    for (int i = 0; i < w * h; ++i) bmp.getBitmapS()[i] = kGroundPx;
}

inline void paint(cBitmap& bmp, int c, int r, sRGBA px) { bmp.getBitmapS()[r * bmp.getWidth() + c] = px; }

// Paints every cell of the rectangle [c0, c1] x [r0, r1].
inline void paintRect(cBitmap& bmp, int c0, int r0, int c1, int r1, sRGBA px) {
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) paint(bmp, c, r, px);
}

}  // namespace maptest
