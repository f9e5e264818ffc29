// Fewer triangles for a model seen from afar: corners clustered on a coarse grid.
#pragma once

#include <vector>

// An indexed triangle shape: x, y, z and a normal per vertex, three indices a triangle.
struct sIndexedShape {
    std::vector<float> positions, normals;
    std::vector<unsigned> indices;
};

// The vertices that fall in one cell of a cells^3 grid over the shape's bounds become one,
// at their mean place with their mean normal, and the triangles left with fewer than three
// distinct corners vanish, as do copies of a triangle with the same corners in the same turn.
// Triangles keep their winding, so the surface keeps its outside and its back faces may still
// be culled. A shape without normals gives one without normals.
sIndexedShape coarsenShape(const sIndexedShape& shape, int cells);
