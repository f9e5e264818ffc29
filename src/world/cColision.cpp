// Occupancy grid of unit ids, one cell per terrain cell.
#include "world/cColision.h"

#include <algorithm>
#include <cstddef>

void cColision::resize(int w, int h) {
    if (w >= 1) width = w;
    if (h >= 1) height = h;
    dispose();
    cells = new int32_t[size_t(width) * size_t(height)];
    clear();
}

void cColision::clear() {
    if (cells) std::fill_n(cells, size_t(width) * size_t(height), 0);
}

void cColision::putObject(int x, int y, int id, int r) {
    if (r == 0 && inside(x, y)) cells[size_t(y) * size_t(width) + size_t(x)] = id;
}

int cColision::getObject(int x, int y) const {
    if (!inside(x, y)) return -1;
    return cells[size_t(y) * size_t(width) + size_t(x)];
}

void cColision::dispose() {
    delete[] cells;
    cells = nullptr;
}
