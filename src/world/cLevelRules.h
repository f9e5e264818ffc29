// The rules a level map keeps so that a squad that walks straight, with no path-finding, can play it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "world/terrainKinds.h"

class cBitmap;

class cLevelRules {
public:
    // Cells of the kinds the terrain queries answer, so a rule reads a map as the game does.
    using eCell = cellKind::eKind;
    using enum cellKind::eKind;
    // The minimap keeps every n-th pixel of a bigger map, and loses units on it.
    static constexpr int kMaxSide = 128;
    // Followers are made on the leader and sent towards -x.
    static constexpr int kFileRoom = 6;
    // The game draws a tree on about one tree cell in four, so a small clump may show
    // none at all and stop the squad unseen: at 12 cells that happens once in thirty.
    static constexpr int kMinClump = 12;

    // Two map colours closer than this in every channel are a slip of the brush.
    static constexpr int kNearColour = 40;

    struct sBreak {
        std::string rule;  // short name, as the README lists them
        int x, y;          // the place as an image editor shows it; -1 for the whole map
        std::string what;
        std::string text() const;
    };

    cLevelRules(int w, int h);
    // Reads the map colour code exactly as the game does; false for a picture without pixels.
    bool read(const cBitmap& map);

    void setCell(int x, int y, eCell kind);
    void addStart(int x, int y);
    void addEnemy(int x, int y);
    void setWinter(bool on) { winter = on; }

    // Every broken rule with its place, at most a few places per rule.
    std::vector<sBreak> check() const;
    // What a level maker probably did not mean, though no rule forbids it: pixels
    // near a map colour but not exactly it, a map that is not square.
    std::vector<std::string> warnings() const;

    // Places are told as an image editor shows them, y from the top; the map's own
    // rows (cBitmap's) count from the bottom.
    static int imageRow(int y, int h) { return h - 1 - y; }
    // "none", "X,Y", or "N markers at X,Y and X,Y (the game uses X,Y)", in image places.
    std::string startsText() const;

    int getWidth() const { return w; }
    int getHeight() const { return h; }
    bool isWinter() const { return winter; }
    int enemyCount() const { return static_cast<int>(enemies.size()); }
    int startCount() const { return static_cast<int>(starts.size()); }
    // The first start marker, in the map's own rows; -1 when there is none.
    int startX() const { return starts.empty() ? -1 : starts[0][0]; }
    int startY() const { return starts.empty() ? -1 : starts[0][1]; }
    // Share of the map's cells of one kind, 0 to 1.
    double share(eCell kind) const;
    // The tree cells in groups that touch, side or corner.
    std::vector<std::vector<std::array<int, 2>>> clumps() const;

private:
    // Pixels near one map colour but not exactly it.
    struct sNearMiss {
        const char* name;
        int count = 0;
        int x = -1, y = -1;  // the topmost, leftmost one, in image places
    };

    eCell at(int x, int y) const;
    size_t index(int x, int y) const;  // of a cell inside the map, into cells
    bool onBorder(int x, int y) const;
    // The 3 x 3 block around (x, y) holds no tree and nothing off or on the map's rim.
    bool roomy(int x, int y) const;
    void checkTrees(std::vector<sBreak>& out) const;
    void checkWays(std::vector<sBreak>& out) const;
    void checkStart(std::vector<sBreak>& out) const;
    // Counts the pixels near each map colour; rows are scanned from the image's top.
    void findNearMisses(const cBitmap& map);
    std::string place(int x, int y) const;  // "X,Y" in image places

    int w, h;
    std::vector<eCell> cells;
    std::vector<std::array<int, 2>> starts;
    std::vector<std::array<int, 2>> enemies;
    bool winter = false;
    std::vector<sNearMiss> nearMisses;
    bool nearWinterMark = false;  // the top-left pixel is almost, not quite, the winter white
};
