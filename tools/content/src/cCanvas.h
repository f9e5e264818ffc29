// A painting surface for the generated pictures: float RGB with shape helpers,
// saved as a 24-bit BMP through the game's own cBitmap. Row 0 is the bottom row,
// as in cBitmap; helpers that take "top" coordinates say so.
#pragma once

#include <string>
#include <vector>

struct sColour {
    float r = 0, g = 0, b = 0;  // 0..1 per channel
};

// Exact byte colour, for keyed pictures and maps where a near miss is a fault.
sColour rgb8(int r, int g, int b);
sColour mix(sColour a, sColour b, float t);

class cCanvas {
public:
    cCanvas(int w, int h, sColour fill = {});

    // Out-of-range coordinates are ignored.
    void set(int x, int y, sColour c);
    void blend(int x, int y, sColour c, float alpha);

    // Solid shapes with hard edges (a pixel is inside when its centre is).
    void fillRect(int x0, int y0, int x1, int y1, sColour c);  // inclusive corners
    void fillEllipse(float cx, float cy, float rx, float ry, sColour c);
    // A line of the given width with hard edges.
    void line(float x0, float y0, float x1, float y1, float width, sColour c);
    // Soft shapes for painted pictures: alpha fades over the last pixel of the edge.
    void softEllipse(float cx, float cy, float rx, float ry, sColour c, float alpha);
    void softLine(float x0, float y0, float x1, float y1, float width, sColour c, float alpha);

    int width() const { return w; }
    int height() const { return h; }
    // Out-of-range coordinates give black.
    sColour at(int x, int y) const;
    // The picture factor times smaller, each pixel the mean of the factor x factor it covers.
    cCanvas shrunk(int factor) const;

    // Writes the picture as a 24-bit BMP; false when it cannot be written.
    bool save(const std::string& path) const;
    // Writes the picture as an RGB PNG; false when it cannot be written.
    bool savePng(const std::string& path) const;

private:
    int w, h;
    std::vector<sColour> px;
};
