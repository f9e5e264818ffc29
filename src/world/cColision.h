// Occupancy grid: the id of the unit standing in each terrain cell this tick,
// so a bullet can find the unit it flies through.
#pragma once

#include <cstdint>

class cColision {
public:
    cColision() { resize(1, 1); }
    ~cColision() { dispose(); }
    cColision(const cColision&) = delete;
    cColision& operator=(const cColision&) = delete;

    // A size below 1 keeps the old one; the grid is emptied either way.
    void resize(int w, int h);
    void clear();
    // Writes id into cell (x, y) when it is inside and r is 0 (the only radius
    // the game uses); last writer wins.
    void putObject(int x, int y, int id, int r);
    void removeObject(int x, int y, int r) { putObject(x, y, 0, r); }
    // 0 for an empty cell, -1 outside the grid or with no cells.
    int getObject(int x, int y) const;
    void dispose();

    int getWidth() const { return width; }
    int getHeight() const { return height; }

private:
    bool inside(int x, int y) const { return cells && x >= 0 && y >= 0 && x < width && y < height; }

    int32_t width = 1;
    int32_t height = 1;
    int32_t* cells = nullptr;  // owned; width * height, cell (x, y) at y * width + x
};
