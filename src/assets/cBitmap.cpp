// The bitmap's pixel operations; the BMP reader and writer are in cBitmapFile.cpp.
#include "assets/cBitmap.h"

#include <algorithm>
#include <cstddef>

cBitmap::cBitmap(int w, int h) { resize(w, h); }

cBitmap::~cBitmap() { dispose(); }

void cBitmap::dispose() {
    delete[] pixels;
    pixels = nullptr;
    width = 0;
    height = 0;
}

void cBitmap::adopt(sRGBA* p, int w, int h) {
    delete[] pixels;
    pixels = p;
    width = w;
    height = h;
}

void cBitmap::resize(int w, int h) {
    dispose();
    w = std::max(w, 1);
    h = std::max(h, 1);
    adopt(new sRGBA[size_t(w) * size_t(h)], w, h);
}

void cBitmap::swap() {
    if (!pixels) return;
    sRGBA* turned = new sRGBA[size_t(width) * size_t(height)];
    for (int y = 0; y < height; y++)
        std::copy_n(pixels + size_t(y) * width, width, turned + size_t(height - 1 - y) * width);
    adopt(turned, width, height);
}

void cBitmap::aa(unsigned char passes) {
    if (!pixels || passes == 0) return;
    const size_t n = size_t(width) * size_t(height);
    sRGBA* src = pixels;
    sRGBA* dst = new sRGBA[n];
    for (int pass = 0; pass < passes; pass++) {
        std::copy_n(src, n, dst);
        for (int y = 1; y < height - 1; y++) {
            for (int x = 1; x < width - 1; x++) {
                if (src[size_t(y) * width + x].a != 0) continue;
                unsigned r = 0, g = 0, b = 0, a = 0;
                for (int dy = -1; dy <= 1; dy++) {
                    for (int dx = -1; dx <= 1; dx++) {
                        if (dx == 0 && dy == 0) continue;
                        const sRGBA& s = src[size_t(y + dy) * width + (x + dx)];
                        a += s.a;
                        if (s.a != 0) {
                            r += s.r;
                            g += s.g;
                            b += s.b;
                        }
                    }
                }
                dst[size_t(y) * width + x] = sRGBA(uint8_t(r / 8), uint8_t(g / 8), uint8_t(b / 8), uint8_t(a / 8));
            }
        }
        std::swap(src, dst);
    }
    // src holds the last result; dst is the spare buffer.
    delete[] dst;
    pixels = src;
}

void cBitmap::stretch(int n) {
    if (!pixels) return;
    n = std::clamp(n, 1, kMaxSide);
    sRGBA* out = new sRGBA[size_t(n) * size_t(n)];
    const float stepX = float(width) / float(n);
    const float stepY = float(height) / float(n);
    float fy = 0.0f;
    for (int ty = 0; ty < n; ty++) {
        float fx = 0.0f;
        // Summed rounding can carry the coordinate onto the far edge for very
        // large n; stay inside the source.
        int sy = std::min(int(fy), height - 1);
        for (int tx = 0; tx < n; tx++) {
            int sx = std::min(int(fx), width - 1);
            out[size_t(ty) * n + tx] = pixels[size_t(sy) * width + sx];
            fx += stepX;
        }
        fy += stepY;
    }
    adopt(out, n, n);
}

void cBitmap::setAlpha(unsigned char a) {
    const size_t n = pixels ? size_t(width) * size_t(height) : 0;
    for (size_t i = 0; i < n; i++) pixels[i].a = a;
}

void cBitmap::setAlpha(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    const size_t n = pixels ? size_t(width) * size_t(height) : 0;
    for (size_t i = 0; i < n; i++)
        if (pixels[i].r == r && pixels[i].g == g && pixels[i].b == b) pixels[i].a = a;
}

void cBitmap::setColorWhereAlpha(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    const size_t n = pixels ? size_t(width) * size_t(height) : 0;
    for (size_t i = 0; i < n; i++) {
        if (pixels[i].a != a) continue;
        pixels[i].r = r;
        pixels[i].g = g;
        pixels[i].b = b;
    }
}

void cBitmap::setColor(int x, int y, unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    if (!pixels || x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[size_t(y) * width + x] = sRGBA(r, g, b, a);
}
