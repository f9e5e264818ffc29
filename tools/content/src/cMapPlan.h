// A level map being designed: a grid of ground, trees and water with the
// squad's start and the enemies, checked for playability and written as the
// exact colour code the game reads. Cell (x, y) is pixel (x, y) of the map,
// row 0 the bottom row of the picture.
#pragma once

#include "cCanvas.h"
#include "cRandom.h"
#include "world/cLevelRules.h"

#include <array>
#include <string>
#include <vector>

class cMapPlan {
public:
    // The kinds the game's terrain queries answer; markers stand on ground.
    using eCell = cellKind::eKind;
    using enum cellKind::eKind;

    cMapPlan(int w, int h, uint64_t seed);

    // Terrain brushes. Edges are roughened with noise so woods and lakes look grown.
    void forest(double cx, double cy, double r, double density);
    void lake(double cx, double cy, double rx, double ry);
    // A band of water along a polyline.
    void river(const std::vector<std::array<double, 2>>& points, double width);
    // Ground along a polyline, for paths and fords.
    void path(const std::vector<std::array<double, 2>>& points, double width);
    void clearing(double cx, double cy, double r);
    // Fills pockets of ground that trees mostly surround, then fells every tree with
    // fewer than two tree neighbours and every clump too small to be sure to show a
    // tree, which a walking squad would not see coming.
    void tidyTrees();
    // A wood of the given density filling the rectangle.
    void woods(int x0, int y0, int x1, int y1, double density);

    void start(int x, int y);
    void enemy(int x, int y);
    // A group of n enemies around a point, each on free ground.
    void camp(int cx, int cy, int n, int spread);
    void setWinter(bool on) { winter = on; }

    // The map as the level rules see it.
    cLevelRules rules() const;
    // Empty when the map keeps every level rule; otherwise each broken rule
    // with its place, one per line.
    std::string problems() const;

    cCanvas picture() const;

private:
    // Off the map counts as a tree: nobody walks there.
    eCell cell(int x, int y) const;
    double noise(double x, double y, double scale) const;
    int treesAround(int x, int y) const;
    bool nearMarker(int x, int y) const;
    void brushPolyline(const std::vector<std::array<double, 2>>& points, double width, eCell kind);
    // Frees the cell and its neighbours of trees so a unit placed there can move.
    void makeRoom(int x, int y);

    int w, h;
    uint64_t seed;
    cRandom rnd;
    std::vector<eCell> cells;
    int startX = -1, startY = -1;
    std::vector<std::array<int, 2>> enemies;
    bool winter = false;
};
