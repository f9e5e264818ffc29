// The level rules: lone trees, hidden clumps, wide ways to every enemy, room for the file, markers and size.
#include "world/cLevelRules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "assets/cBitmap.h"

namespace {
// A map broken all over would bury the reader: a few places per rule tell enough.
const int kPlacesPerRule = 5;

struct sMapColour {
    const char* name;
    sRGBA colour;
};
// The colours a level maker paints on purpose; ground is any other.
const sMapColour kMapColours[] = {
    {"trees", mapColour::tree}, {"water", mapColour::water}, {"an enemy marker", mapColour::enemy},
    {"the start marker", mapColour::squad}};

bool near(const sRGBA& a, const sRGBA& b) {
    return std::abs(a.r - b.r) <= cLevelRules::kNearColour && std::abs(a.g - b.g) <= cLevelRules::kNearColour &&
           std::abs(a.b - b.b) <= cLevelRules::kNearColour;
}

// Printed, not built by insertion: GCC 12's optimiser warns falsely about a string that
// starts with a literal and grows by operator+.
std::string rgb(const sRGBA& c) {
    char text[16];
    std::snprintf(text, sizeof(text), "(%d,%d,%d)", c.r, c.g, c.b);
    return text;
}

void add(std::vector<cLevelRules::sBreak>& out, const char* rule, int x, int y, std::string what) {
    int same = 0;
    for (const auto& b : out)
        same += b.rule == rule;
    if (same < kPlacesPerRule)
        out.push_back({rule, x, y, std::move(what)});
}
}

std::string cLevelRules::sBreak::text() const {
    std::string s = rule + ": ";
    if (x >= 0)
        s += "at " + std::to_string(x) + "," + std::to_string(y) + ": ";
    return s + what;
}

cLevelRules::cLevelRules(int w_, int h_)
    : w(std::max(w_, 0)), h(std::max(h_, 0)), cells(static_cast<size_t>(w) * static_cast<size_t>(h), ground) {}

bool cLevelRules::read(const cBitmap& map) {
    const sRGBA* pixels = map.getBitmapS();
    if (pixels == nullptr || map.getWidth() < 1 || map.getHeight() < 1)
        return false;
    *this = cLevelRules(map.getWidth(), map.getHeight());
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const sRGBA& p = pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
            setCell(x, y, mapColour::kindOf(p));
            if (p == mapColour::enemy)
                addEnemy(x, y);
            else if (p == mapColour::squad)
                addStart(x, y);
        }
    const sRGBA& corner = pixels[mapColour::winterPixel(w, h)];
    winter = corner == mapColour::winter;
    nearWinterMark = !winter && near(corner, mapColour::winter);
    findNearMisses(map);
    return true;
}

void cLevelRules::findNearMisses(const cBitmap& map) {
    const sRGBA* pixels = map.getBitmapS();
    for (const sMapColour& c : kMapColours)
        nearMisses.push_back({c.name});
    for (int y = h - 1; y >= 0; y--)
        for (int x = 0; x < w; x++) {
            const sRGBA& p = pixels[index(x, y)];
            for (size_t k = 0; k < nearMisses.size(); k++) {
                const sRGBA& want = kMapColours[k].colour;
                if (p == want || !near(p, want))
                    continue;
                sNearMiss& m = nearMisses[k];
                if (m.count++ == 0) {
                    m.x = x;
                    m.y = imageRow(y, h);
                }
            }
        }
}

std::string cLevelRules::place(int x, int y) const {
    return std::to_string(x) + "," + std::to_string(imageRow(y, h));
}

std::string cLevelRules::startsText() const {
    if (starts.empty())
        return "none";
    if (starts.size() == 1)
        return place(starts[0][0], starts[0][1]);
    std::string s = std::to_string(starts.size()) + " markers at ";
    for (size_t i = 0; i < starts.size(); i++)
        s += (i == 0 ? "" : i + 1 == starts.size() ? " and " : ", ") + place(starts[i][0], starts[i][1]);
    // The game scans the map's rows from the bottom and keeps the last marker it meets.
    return s + " (the game uses " + place(starts.back()[0], starts.back()[1]) + ")";
}

std::vector<std::string> cLevelRules::warnings() const {
    std::vector<std::string> out;
    for (size_t k = 0; k < nearMisses.size(); k++) {
        const sNearMiss& m = nearMisses[k];
        if (m.count > 0)
            out.push_back("near colour: " + std::to_string(m.count) + (m.count == 1 ? " pixel" : " pixels") +
                          " within " + std::to_string(kNearColour) + " of " + kMapColours[k].name + " " +
                          rgb(kMapColours[k].colour) + " in every channel but not exactly it, the first at " +
                          std::to_string(m.x) + "," + std::to_string(m.y) + "; the game reads them as ground");
    }
    if (nearWinterMark)
        out.push_back("near colour: the top-left pixel is within " + std::to_string(kNearColour) + " of the winter mark " +
                      rgb(mapColour::winter) + " but not exactly it; the map plays as summer");
    if (w != h)
        out.push_back("not square: " + std::to_string(w) + " x " + std::to_string(h) +
                      " cells; the minimap shows the field square, so it looks squashed");
    return out;
}

void cLevelRules::setCell(int x, int y, eCell kind) {
    if (x >= 0 && y >= 0 && x < w && y < h)
        cells[index(x, y)] = kind;
}

void cLevelRules::addStart(int x, int y) {
    starts.push_back({x, y});
}

void cLevelRules::addEnemy(int x, int y) {
    enemies.push_back({x, y});
}

double cLevelRules::share(eCell kind) const {
    if (cells.empty())
        return 0;
    return static_cast<double>(std::count(cells.begin(), cells.end(), kind)) / static_cast<double>(cells.size());
}

cLevelRules::eCell cLevelRules::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h)
        return tree;
    return cells[index(x, y)];
}

size_t cLevelRules::index(int x, int y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x);
}

bool cLevelRules::onBorder(int x, int y) const {
    return x <= 0 || y <= 0 || x >= w - 1 || y >= h - 1;
}

bool cLevelRules::roomy(int x, int y) const {
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++)
            if (onBorder(x + dx, y + dy) || at(x + dx, y + dy) == tree)
                return false;
    return true;
}

std::vector<cLevelRules::sBreak> cLevelRules::check() const {
    std::vector<sBreak> out;
    if (w > kMaxSide || h > kMaxSide)
        add(out, "size", -1, -1,
            std::to_string(w) + " x " + std::to_string(h) + " cells; a side may have at most " +
                std::to_string(kMaxSide) + ", or the minimap drops units");
    if (starts.size() != 1)
        add(out, "one start", -1, -1,
            (starts.empty() ? std::string("no start marker") : startsText()) + "; there must be exactly one");
    if (enemies.empty())
        add(out, "an enemy", -1, -1, "no enemy marker; there must be at least one");
    for (const auto& s : starts)
        if (onBorder(s[0], s[1]))
            add(out, "room for the file", s[0], s[1], "the start stands on the outer row or column, which counts as outside");
    for (const auto& e : enemies)
        if (onBorder(e[0], e[1]))
            add(out, "room for the file", e[0], e[1], "an enemy stands on the outer row or column, which counts as outside");
    checkTrees(out);
    if (starts.size() == 1) {
        checkStart(out);
        checkWays(out);
    }
    for (auto& b : out)
        if (b.x >= 0)
            b.y = imageRow(b.y, h);
    return out;
}

void cLevelRules::checkTrees(std::vector<sBreak>& out) const {
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            if (at(x, y) != tree)
                continue;
            int around = 0;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++)
                    around += (dx != 0 || dy != 0) && x + dx >= 0 && y + dy >= 0 && x + dx < w && y + dy < h &&
                              at(x + dx, y + dy) == tree;
            if (around < 2)
                add(out, "no lone trees", x, y,
                    "a tree with " + std::to_string(around) + " tree neighbours; trees stand in clumps of at least three");
        }
    for (const auto& clump : clumps())
        if (static_cast<int>(clump.size()) < kMinClump)
            add(out, "no hidden clumps", clump[0][0], clump[0][1],
                "a clump of " + std::to_string(clump.size()) + " tree cells may show no tree at all; make it at least " +
                    std::to_string(kMinClump) + " or clear it");
}

std::vector<std::vector<std::array<int, 2>>> cLevelRules::clumps() const {
    std::vector<std::vector<std::array<int, 2>>> found;
    std::vector<bool> seen(cells.size(), false);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            if (at(x, y) != tree || seen[index(x, y)])
                continue;
            std::vector<std::array<int, 2>> clump{{x, y}};
            seen[index(x, y)] = true;
            for (size_t i = 0; i < clump.size(); i++)
                for (int dy = -1; dy <= 1; dy++)
                    for (int dx = -1; dx <= 1; dx++) {
                        const int nx = clump[i][0] + dx, ny = clump[i][1] + dy;
                        // Off the map reads as a tree to at(): check the bounds first.
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h || at(nx, ny) != tree || seen[index(nx, ny)])
                            continue;
                        seen[index(nx, ny)] = true;
                        clump.push_back({nx, ny});
                    }
            found.push_back(std::move(clump));
        }
    return found;
}

void cLevelRules::checkStart(std::vector<sBreak>& out) const {
    const int sx = starts[0][0], sy = starts[0][1];
    for (int x = sx - kFileRoom; x < sx; x++)
        if (onBorder(x, sy) || at(x, sy) == tree) {
            add(out, "room for the file", sx, sy,
                "the " + std::to_string(kFileRoom) + " cells on the start's -x side must be free of trees and inside the map");
            return;
        }
}

void cLevelRules::checkWays(std::vector<sBreak>& out) const {
    const int sx = starts[0][0], sy = starts[0][1];
    if (!roomy(sx, sy)) {
        add(out, "wide ways", sx, sy, "the 3 x 3 block around the start must be free of trees");
        return;
    }
    // Breadth first over the cells whose whole 3 x 3 block is free: a way that
    // wide lets a file of soldiers walking straight through without snagging.
    std::vector<char> seen(cells.size(), 0);
    std::vector<int> todo{sy * w + sx};
    seen[static_cast<size_t>(todo[0])] = 1;
    for (size_t head = 0; head < todo.size(); head++) {
        const int cx = todo[head] % w, cy = todo[head] / w;
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++) {
                const int nx = cx + dx, ny = cy + dy;
                if (onBorder(nx, ny) || seen[static_cast<size_t>(ny * w + nx)] || !roomy(nx, ny))
                    continue;
                seen[static_cast<size_t>(ny * w + nx)] = 1;
                todo.push_back(ny * w + nx);
            }
    }
    for (const auto& e : enemies) {
        bool near = false;
        for (int dy = -2; dy <= 2 && !near; dy++)
            for (int dx = -2; dx <= 2 && !near; dx++) {
                const int x = e[0] + dx, y = e[1] + dy;
                near = x >= 0 && y >= 0 && x < w && y < h && seen[static_cast<size_t>(y * w + x)];
            }
        if (!near)
            add(out, "wide ways", e[0], e[1],
                "the enemy cannot be reached from the start through ways three cells wide");
    }
}
