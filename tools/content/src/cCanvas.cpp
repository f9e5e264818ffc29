// Painting helpers and BMP output of the generated pictures.
#include "cCanvas.h"

#include "assets/cBitmap.h"
#include "assets/pngWriter.h"

#include <algorithm>
#include <cmath>

sColour rgb8(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

sColour mix(sColour a, sColour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

cCanvas::cCanvas(int w_, int h_, sColour fillColour) : w(w_), h(h_), px(size_t(w_) * size_t(h_), fillColour) {}

void cCanvas::set(int x, int y, sColour c) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    px[size_t(y) * size_t(w) + size_t(x)] = c;
}

void cCanvas::blend(int x, int y, sColour c, float alpha) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    sColour& p = px[size_t(y) * size_t(w) + size_t(x)];
    p = mix(p, c, std::clamp(alpha, 0.0f, 1.0f));
}

void cCanvas::fillRect(int x0, int y0, int x1, int y1, sColour c) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); y++)
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); x++) set(x, y, c);
}

void cCanvas::fillEllipse(float cx, float cy, float rx, float ry, sColour c) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); y++)
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); x++) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f) set(x, y, c);
        }
}

namespace {
// Distance from point p to the segment a-b.
float segmentDistance(float px, float py, float ax, float ay, float bx, float by) {
    const float vx = bx - ax, vy = by - ay;
    const float len2 = vx * vx + vy * vy;
    float t = len2 > 0 ? ((px - ax) * vx + (py - ay) * vy) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const float dx = px - (ax + t * vx), dy = py - (ay + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}
}  // namespace

void cCanvas::line(float x0, float y0, float x1, float y1, float width, sColour c) {
    const float r = width / 2;
    for (int y = int(std::floor(std::min(y0, y1) - r)); y <= int(std::ceil(std::max(y0, y1) + r)); y++)
        for (int x = int(std::floor(std::min(x0, x1) - r)); x <= int(std::ceil(std::max(x0, x1) + r)); x++)
            if (segmentDistance(x + 0.5f, y + 0.5f, x0, y0, x1, y1) <= r) set(x, y, c);
}

void cCanvas::softEllipse(float cx, float cy, float rx, float ry, sColour c, float alpha) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = int(std::floor(cy - ry - 1)); y <= int(std::ceil(cy + ry + 1)); y++)
        for (int x = int(std::floor(cx - rx - 1)); x <= int(std::ceil(cx + rx + 1)); x++) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            // Signed distance in pixels, roughly, from the edge (negative inside).
            const float d = (std::sqrt(dx * dx + dy * dy) - 1.0f) * std::min(rx, ry);
            const float cover = std::clamp(0.5f - d, 0.0f, 1.0f);
            if (cover > 0) blend(x, y, c, alpha * cover);
        }
}

void cCanvas::softLine(float x0, float y0, float x1, float y1, float width, sColour c, float alpha) {
    const float r = width / 2;
    for (int y = int(std::floor(std::min(y0, y1) - r - 1)); y <= int(std::ceil(std::max(y0, y1) + r + 1)); y++)
        for (int x = int(std::floor(std::min(x0, x1) - r - 1)); x <= int(std::ceil(std::max(x0, x1) + r + 1)); x++) {
            const float d = segmentDistance(x + 0.5f, y + 0.5f, x0, y0, x1, y1) - r;
            const float cover = std::clamp(0.5f - d, 0.0f, 1.0f);
            if (cover > 0) blend(x, y, c, alpha * cover);
        }
}

sColour cCanvas::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h) return {};
    return px[size_t(y) * size_t(w) + size_t(x)];
}

cCanvas cCanvas::shrunk(int factor) const {
    factor = std::max(factor, 1);
    cCanvas out(w / factor, h / factor);
    const float n = float(factor * factor);
    for (int y = 0; y < out.h; y++)
        for (int x = 0; x < out.w; x++) {
            sColour sum;
            for (int sy = 0; sy < factor; sy++)
                for (int sx = 0; sx < factor; sx++) {
                    const sColour c = at(x * factor + sx, y * factor + sy);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            out.set(x, y, {sum.r / n, sum.g / n, sum.b / n});
        }
    return out;
}

namespace {
uint8_t toByte(float v) { return uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }
}  // namespace

bool cCanvas::savePng(const std::string& path) const {
    std::vector<uint8_t> rgb;
    rgb.reserve(px.size() * 3);
    for (int y = h - 1; y >= 0; y--)  // PNG rows run top first
        for (int x = 0; x < w; x++) {
            const sColour c = at(x, y);
            rgb.insert(rgb.end(), {toByte(c.r), toByte(c.g), toByte(c.b)});
        }
    return writePng(path, w, h, rgb);
}

bool cCanvas::save(const std::string& path) const {
    cBitmap bmp(w, h);
    sRGBA* out = bmp.getBitmapS();
    for (size_t i = 0; i < px.size(); i++) out[i] = sRGBA(toByte(px[i].r), toByte(px[i].g), toByte(px[i].b), 255);
    return bmp.saveToFile(path);
}
