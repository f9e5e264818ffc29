// The water surface made ready for drawing: the wet cells in square tiles, each tile a run
// of quads over one shared list of vertices, so a frame draws only the tiles in view, in a
// few begin-end pairs instead of one per cell of the map.
#pragma once

#include <cstddef>
#include <vector>

class cFrustum;

class cWaterMesh {
public:
    // Cells along a tile's side, as for the ground.
    static constexpr int kTile = 16;
    // A cell is drawn when all four corners lie at or below this water level.
    static constexpr float kWetAt = 50.0f;

    // From the per-vertex water level and blue shade of a width x height map, vertex
    // (x, y) at y * (width + 1) + x. The set of wet cells is fixed here: the wave moves
    // the surface by far less than the gap between wet and dry levels.
    void build(int width, int height, const float* level, const float* shade);
    void clear();

    // Draws the tiles the frustum may see, heights taken from level (laid out as for
    // build), as the wave has left them.
    void render(const float* level, const cFrustum& frustum);

    size_t tileCount() const { return tiles.size(); }
    size_t quadCount() const { return indices.size() / 4; }
    size_t vertexCount() const { return source.size(); }
    // The map vertex under each corner of quad q, in drawing order (counter-clockwise from
    // the cell's low corner).
    void quadCorners(size_t q, unsigned (&corners)[4]) const;

private:
    struct sTile {
        float low[3], high[3];
        size_t first, count;  // its run in indices
    };
    std::vector<sTile> tiles;        // only those holding water
    std::vector<unsigned> source;    // per vertex of the list, the map vertex it stands on
    std::vector<float> xy;           // 2 per vertex of the list
    std::vector<float> rgba;         // 4 per vertex of the list
    std::vector<unsigned> indices;   // 4 per quad, tile after tile
};
