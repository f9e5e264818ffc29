// Sorting the wet cells of a map into tiles of quads over a shared list of vertices.
#include "world/cWaterMesh.h"

#include <algorithm>

namespace {
// Beyond the wave's reach above and below the levels seen at build time, so that a tile's
// box holds its surface at every phase.
constexpr float kWaveMargin = 1.0f;
}  // namespace

void cWaterMesh::clear() {
    tiles.clear();
    source.clear();
    xy.clear();
    rgba.clear();
    indices.clear();
}

void cWaterMesh::build(int width, int height, const float* level, const float* shade) {
    clear();
    if (width <= 0 || height <= 0 || level == nullptr || shade == nullptr) return;
    const auto vertex = [width](int x, int y) { return unsigned(y * (width + 1) + x); };
    // Place in the list of each map vertex once a quad uses it; none before.
    constexpr unsigned none = ~0u;
    std::vector<unsigned> slot(size_t(width + 1) * size_t(height + 1), none);
    for (int ty = 0; ty < height; ty += kTile) {
        for (int tx = 0; tx < width; tx += kTile) {
            sTile tile{{float(tx), float(ty), 0}, {float(std::min(tx + kTile, width)), float(std::min(ty + kTile, height)), 0},
                       indices.size(), 0};
            float lowZ = 0, highZ = 0;
            for (int r = ty; r < std::min(ty + kTile, height); ++r) {
                for (int c = tx; c < std::min(tx + kTile, width); ++c) {
                    const unsigned corners[4] = {vertex(c, r), vertex(c + 1, r), vertex(c + 1, r + 1), vertex(c, r + 1)};
                    if (!std::all_of(std::begin(corners), std::end(corners), [&](unsigned v) { return level[v] <= kWetAt; }))
                        continue;
                    for (const unsigned v : corners) {
                        if (slot[v] == none) {
                            slot[v] = unsigned(source.size());
                            source.push_back(v);
                            xy.insert(xy.end(), {float(v % unsigned(width + 1)), float(v / unsigned(width + 1))});
                            rgba.insert(rgba.end(), {0.2f, 0.2f, shade[v], 0.8f});
                        }
                        const float z = level[v];
                        if (tile.count == 0 || z < lowZ) lowZ = z;
                        if (tile.count == 0 || z > highZ) highZ = z;
                        indices.push_back(slot[v]);
                        tile.count++;
                    }
                }
            }
            if (tile.count == 0) continue;
            tile.low[2] = lowZ - kWaveMargin;
            tile.high[2] = highZ + kWaveMargin;
            tiles.push_back(tile);
        }
    }
}

void cWaterMesh::quadCorners(size_t q, unsigned (&corners)[4]) const {
    for (size_t k = 0; k < 4; ++k) corners[k] = source[indices[q * 4 + k]];
}
