// Map brushes, the playability check and the colour-coded picture.
#include "cMapPlan.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// Integer hash of a lattice point, 0..1.
double hash01(int64_t x, int64_t y, uint64_t seed) {
    uint64_t h = uint64_t(x) * 0x9E3779B97F4A7C15ull ^ uint64_t(y) * 0xC2B2AE3D27D4EB4Full ^ seed * 0x165667B19E3779F9ull;
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 29;
    return double(h >> 11) / double(1ull << 53);
}
double smooth(double t) { return t * t * (3 - 2 * t); }
sColour codeColour(const sRGBA& c) { return rgb8(c.r, c.g, c.b); }
}  // namespace

cMapPlan::cMapPlan(int w_, int h_, uint64_t seed_)
    : w(w_), h(h_), seed(seed_), rnd(seed_), cells(size_t(w_) * size_t(h_), ground) {}

cMapPlan::eCell cMapPlan::cell(int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h) return tree;
    return cells[size_t(y) * size_t(w) + size_t(x)];
}

double cMapPlan::noise(double x, double y, double scale) const {
    const double fx = x / scale, fy = y / scale;
    const int64_t ix = int64_t(std::floor(fx)), iy = int64_t(std::floor(fy));
    const double tx = smooth(fx - double(ix)), ty = smooth(fy - double(iy));
    const double a = hash01(ix, iy, seed), b = hash01(ix + 1, iy, seed);
    const double c = hash01(ix, iy + 1, seed), d = hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

void cMapPlan::forest(double cx, double cy, double r, double density) {
    for (int y = int(cy - r - 4); y <= int(cy + r + 4); y++)
        for (int x = int(cx - r - 4); x <= int(cx + r + 4); x++) {
            if (x < 0 || y < 0 || x >= w || y >= h) continue;
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const double edge = r * (0.75 + 0.5 * noise(x, y, 5.0));
            if (d > edge) continue;
            if (cells[size_t(y) * size_t(w) + size_t(x)] == ground && rnd.unit() < density)
                cells[size_t(y) * size_t(w) + size_t(x)] = tree;
        }
}

void cMapPlan::lake(double cx, double cy, double rx, double ry) {
    for (int y = int(cy - ry - 4); y <= int(cy + ry + 4); y++)
        for (int x = int(cx - rx - 4); x <= int(cx + rx + 4); x++) {
            if (x < 0 || y < 0 || x >= w || y >= h) continue;
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (std::sqrt(dx * dx + dy * dy) <= 0.8 + 0.4 * noise(x + 1000, y, 4.0))
                cells[size_t(y) * size_t(w) + size_t(x)] = water;
        }
}

void cMapPlan::brushPolyline(const std::vector<std::array<double, 2>>& pts, double width, eCell kind) {
    for (size_t i = 0; i + 1 < pts.size(); i++) {
        const double ax = pts[i][0], ay = pts[i][1], bx = pts[i + 1][0], by = pts[i + 1][1];
        const double len = std::hypot(bx - ax, by - ay);
        const int steps = std::max(1, int(len * 2));
        for (int s = 0; s <= steps; s++) {
            const double px = ax + (bx - ax) * s / steps, py = ay + (by - ay) * s / steps;
            const double r = width / 2 * (0.85 + 0.3 * noise(px, py + 500, 6.0));
            for (int y = int(py - r - 1); y <= int(py + r + 1); y++)
                for (int x = int(px - r - 1); x <= int(px + r + 1); x++)
                    if (x >= 0 && y >= 0 && x < w && y < h && std::hypot(x + 0.5 - px, y + 0.5 - py) <= r)
                        cells[size_t(y) * size_t(w) + size_t(x)] = kind;
        }
    }
}

void cMapPlan::river(const std::vector<std::array<double, 2>>& points, double width) {
    brushPolyline(points, width, water);
}

void cMapPlan::path(const std::vector<std::array<double, 2>>& points, double width) {
    brushPolyline(points, width, ground);
}

void cMapPlan::clearing(double cx, double cy, double r) {
    for (int y = int(cy - r - 2); y <= int(cy + r + 2); y++)
        for (int x = int(cx - r - 2); x <= int(cx + r + 2); x++)
            if (x >= 0 && y >= 0 && x < w && y < h &&
                std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r * (0.85 + 0.3 * noise(x, y + 2000, 3.0)))
                cells[size_t(y) * size_t(w) + size_t(x)] = ground;
}

int cMapPlan::treesAround(int x, int y) const {
    int n = 0;
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++)
            n += (dx || dy) && x + dx >= 0 && y + dy >= 0 && x + dx < w && y + dy < h && cell(x + dx, y + dy) == tree;
    return n;
}

bool cMapPlan::nearMarker(int x, int y) const {
    if (std::abs(x - startX) <= 1 && std::abs(y - startY) <= 1) return true;
    for (const auto& e : enemies)
        if (std::abs(x - e[0]) <= 1 && std::abs(y - e[1]) <= 1) return true;
    return false;
}

void cMapPlan::tidyTrees() {
    // A pocket of ground cut into a wood traps a leader who walks into it: fill
    // the ground that trees mostly surround (never next to a marker, which needs room).
    for (bool filled = true; filled;) {
        filled = false;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                if (cell(x, y) == ground && treesAround(x, y) >= 5 && !nearMarker(x, y))
                    cells[size_t(y) * size_t(w) + size_t(x)] = tree, filled = true;
    }
    // Felling one lone tree can leave a neighbour alone in turn: repeat until none is left.
    for (bool felled = true; felled;) {
        felled = false;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                if (cell(x, y) == tree && treesAround(x, y) < 2)
                    cells[size_t(y) * size_t(w) + size_t(x)] = ground, felled = true;
    }
    // Only about one tree cell in four shows a tree: a small clump could be an unseen wall.
    for (const auto& clump : rules().clumps())
        if (static_cast<int>(clump.size()) < cLevelRules::kMinClump)
            for (const auto& c : clump) cells[size_t(c[1]) * size_t(w) + size_t(c[0])] = ground;
}

void cMapPlan::woods(int x0, int y0, int x1, int y1, double density) {
    for (int y = std::max(0, y0); y <= std::min(h - 1, y1); y++)
        for (int x = std::max(0, x0); x <= std::min(w - 1, x1); x++)
            if (cells[size_t(y) * size_t(w) + size_t(x)] == ground && rnd.unit() < density)
                cells[size_t(y) * size_t(w) + size_t(x)] = tree;
}

void cMapPlan::makeRoom(int x, int y) {
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < w && py < h && cells[size_t(py) * size_t(w) + size_t(px)] == tree)
                cells[size_t(py) * size_t(w) + size_t(px)] = ground;
        }
    cells[size_t(y) * size_t(w) + size_t(x)] = ground;
}

void cMapPlan::start(int x, int y) {
    startX = std::clamp(x, 1, w - 2);
    startY = std::clamp(y, 1, h - 2);
    // The followers are made on the leader and walk off towards -x: give the file space.
    for (int dy = -2; dy <= 2; dy++)
        for (int dx = -8; dx <= 2; dx++) {
            const int px = startX + dx, py = startY + dy;
            if (px >= 0 && py >= 0 && px < w && py < h) cells[size_t(py) * size_t(w) + size_t(px)] = ground;
        }
}

void cMapPlan::enemy(int x, int y) {
    x = std::clamp(x, 1, w - 2);
    y = std::clamp(y, 1, h - 2);
    for (const auto& e : enemies)
        if (e[0] == x && e[1] == y) return;
    if (x == startX && y == startY) return;
    makeRoom(x, y);
    enemies.push_back({x, y});
}

void cMapPlan::camp(int cx, int cy, int n, int spread) {
    for (int i = 0, tries = 0; i < n && tries < 200; tries++) {
        const int x = cx + rnd.below(2 * spread + 1) - spread, y = cy + rnd.below(2 * spread + 1) - spread;
        if (x < 1 || y < 1 || x >= w - 1 || y >= h - 1 || cell(x, y) == water) continue;
        const size_t before = enemies.size();
        enemy(x, y);
        if (enemies.size() > before) i++;
    }
}

cLevelRules cMapPlan::rules() const {
    cLevelRules r(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            r.setCell(x, y, cell(x, y));
    if (startX >= 0) r.addStart(startX, startY);
    for (const auto& e : enemies) r.addEnemy(e[0], e[1]);
    r.setWinter(winter);
    return r;
}

std::string cMapPlan::problems() const {
    std::string out;
    for (const auto& b : rules().check()) out += b.text() + "\n";
    return out;
}

cCanvas cMapPlan::picture() const {
    // Ground is a plain green far from every code colour, so the picture reads
    // well in an image viewer and nothing is a near miss of a code.
    cCanvas c(w, h, rgb8(112, 168, 78));
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const eCell k = cells[size_t(y) * size_t(w) + size_t(x)];
            if (k == tree) c.set(x, y, codeColour(mapColour::tree));
            if (k == water) c.set(x, y, codeColour(mapColour::water));
        }
    for (const auto& e : enemies) c.set(e[0], e[1], codeColour(mapColour::enemy));
    c.set(startX, startY, codeColour(mapColour::squad));
    if (winter) c.set(0, h - 1, codeColour(mapColour::winter));
    return c;
}
