// In-memory RGBA image (row 0 at the bottom, as OpenGL expects) with the
// 24-bit BMP file format, colour keys, the edge fill and square resampling.
#pragma once

#include "shell/globals.h"

#include <cstdint>
#include <string>

class cBitmap {
public:
    // Largest width or height a file may declare; larger files are refused.
    static constexpr int kMaxSide = 16384;

    // Sizes below 1 are raised to 1, so (0, 0) gives a 1 x 1 black bitmap.
    explicit cBitmap(int w = 0, int h = 0);
    ~cBitmap();
    cBitmap(const cBitmap&) = delete;
    cBitmap& operator=(const cBitmap&) = delete;

    void dispose();
    // Fresh opaque black pixels; old content is lost.
    void resize(int w, int h);

    // Reads an uncompressed 24-bit BMP (bottom-up or top-down; any information
    // header of 40 bytes or more; pixels at the file's data offset). On any
    // failure it returns false and leaves the bitmap untouched. Alpha reads as 255.
    bool loadFromFile(const std::string& path);
    // As above; on failure why says what is wrong with the file, in a few words.
    bool loadFromFile(const std::string& path, std::string& why);
    // Writes the 54-byte-header 24-bit form; false when the file cannot be
    // created or written completely.
    bool saveToFile(const std::string& path) const;

    // Turns the row order over.
    void swap();
    // Edge fill: each pass gives fully transparent inner pixels the mean of
    // their eight neighbours, so keyed shapes get a soft fringe.
    void aa(unsigned char passes);
    // Nearest-neighbour resample to n x n; n is kept within [1, kMaxSide].
    void stretch(int n);

    void setAlpha(unsigned char a);
    // Colour key: pixels of exactly (r, g, b) get alpha a.
    void setAlpha(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
    // Pixels whose alpha is a get the colour (r, g, b); their alpha stays.
    void setColorWhereAlpha(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
    // Ignores coordinates outside the image.
    void setColor(int x, int y, unsigned char r, unsigned char g, unsigned char b, unsigned char a);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // Pixel (x, y) is element width * y + x; null after dispose.
    sRGBA* getBitmapS() { return pixels; }
    const sRGBA* getBitmapS() const { return pixels; }
    // The same storage as bytes R, G, B, A per pixel, for GL_RGBA uploads.
    unsigned char* getBitmap() { return reinterpret_cast<unsigned char*>(pixels); }

private:
    void adopt(sRGBA* p, int w, int h);

    sRGBA* pixels = nullptr;  // owned, width * height
    int32_t width = 0;
    int32_t height = 0;
};
