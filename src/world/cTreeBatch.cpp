// Merging the tree models of a map into tiled, indexed arrays.
#include "world/cTreeBatch.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "assets/cMeshCont.h"
#include "world/cMap.h"
#include "world/shapeCoarsen.h"

namespace {

// A model part reduced to distinct (position, normal) corners and the triangles over them.
void reduce(const cMesh& mesh, sIndexedShape& out) {
    const int corners = mesh.isEmpty() ? 0 : mesh.getNumFaces() * 3;
    const float* pos = mesh.getFaces();
    const float* nor = mesh.hasNormals() ? mesh.getNormals() : nullptr;
    // Keyed on the exact bits, so only truly identical corners are merged.
    std::map<std::vector<float>, unsigned> seen;
    for (int i = 0; i < corners; ++i) {
        std::vector<float> key(pos + i * 3, pos + i * 3 + 3);
        if (nor) key.insert(key.end(), nor + i * 3, nor + i * 3 + 3);
        const auto found = seen.emplace(key, static_cast<unsigned>(out.positions.size() / 3));
        if (found.second) {
            out.positions.insert(out.positions.end(), pos + i * 3, pos + i * 3 + 3);
            if (nor) out.normals.insert(out.normals.end(), nor + i * 3, nor + i * 3 + 3);
        }
        out.indices.push_back(found.first->second);
    }
}

int tileOf(float v) {
    // Places may sit slightly below zero (the model pivot shifts them) or be absurd in a
    // hand-made map; the clamp keeps the conversion defined.
    const float t = std::floor(v / static_cast<float>(cTreeBatch::kTileCells));
    return static_cast<int>(std::clamp(t, -1.0e6f, 1.0e6f));
}

}  // namespace

void cTreeBatch::clear() {
    uploaded = false;
    positions.clear();
    normals.clear();
    indices.clear();
    for (int level = 0; level < 2; ++level)
        for (int p = 0; p < 2; ++p) {
            indexStart[level][p].clear();
            vertexStart[level][p].clear();
        }
    places.clear();
    tiles.clear();
    runs[kNear].clear();
    runs[kFar].clear();
    meshes = nullptr;
    for (auto& kind : single) kind[0] = kind[1] = false;
    closed[0] = closed[1] = false;
}

int cTreeBatch::triangleCount(int part, int level) const {
    if (places.empty()) return 0;
    return static_cast<int>(indexStart[level][part].back() - indexStart[level][part].front()) / 3;
}

bool cTreeBatch::merges(const cMesh& part) {
    return !part.isEmpty() && part.hasNormals() && !part.hasTexCoords() && part.getNumFrames() == 0;
}

void cTreeBatch::build(const sTree* trees, int count, cMeshCont& models) {
    clear();
    if (!trees || count <= 0) return;

    meshes = &models;
    sIndexedShape shapes[2][cMeshCont::numTreeKinds][2];
    for (int k = 0; k < cMeshCont::numTreeKinds; ++k)
        for (int p = 0; p < 2; ++p) {
            const cMesh& part = models.trees[k][p];
            if (merges(part)) reduce(part, shapes[kNear][k][p]);
            shapes[kFar][k][p] = coarsenShape(shapes[kNear][k][p], kFarCells);
            single[k][p] = !part.isEmpty() && !merges(part);
        }
    for (int p = 0; p < 2; ++p) {
        closed[p] = true;
        for (int k = 0; k < cMeshCont::numTreeKinds; ++k) {
            const cMesh& part = models.trees[k][p];
            closed[p] = closed[p] && (part.isEmpty() || part.isClosed());
        }
    }

    std::vector<std::pair<std::pair<int, int>, int>> order;
    order.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (trees[i].kind < 0 || trees[i].kind >= cMeshCont::numTreeKinds) continue;
        order.push_back({{tileOf(trees[i].y), tileOf(trees[i].x)}, i});
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    places.reserve(order.size());
    for (const auto& o : order) places.push_back({trees[o.second].x, trees[o.second].y, trees[o.second].kind});

    for (int level = 0; level < 2; ++level)
        for (int p = 0; p < 2; ++p) {
            indexStart[level][p].push_back(static_cast<unsigned>(indices.size()));
            vertexStart[level][p].push_back(static_cast<unsigned>(positions.size() / 3));
            for (const auto& o : order) {
                const sTree& t = trees[o.second];
                const sIndexedShape& s = shapes[level][t.kind][p];
                const unsigned base = static_cast<unsigned>(positions.size() / 3);
                for (size_t v = 0; v < s.positions.size(); v += 3) {
                    positions.push_back(s.positions[v] + t.x);
                    positions.push_back(s.positions[v + 1] + t.y);
                    positions.push_back(s.positions[v + 2]);
                }
                normals.insert(normals.end(), s.normals.begin(), s.normals.end());
                for (unsigned i : s.indices) indices.push_back(base + i);
                indexStart[level][p].push_back(static_cast<unsigned>(indices.size()));
                vertexStart[level][p].push_back(static_cast<unsigned>(positions.size() / 3));
            }
        }

    for (size_t i = 0; i < order.size();) {
        size_t end = i;
        while (end < order.size() && order[end].first == order[i].first) ++end;
        sTile tile{static_cast<int>(i), static_cast<int>(end), {1e30f, 1e30f, 1e30f}, {-1e30f, -1e30f, -1e30f},
                   {1e30f, 1e30f}, {-1e30f, -1e30f}};
        for (size_t t = i; t < end; ++t) {
            tile.placeLow[0] = std::min(tile.placeLow[0], places[t].x);
            tile.placeLow[1] = std::min(tile.placeLow[1], places[t].y);
            tile.placeHigh[0] = std::max(tile.placeHigh[0], places[t].x);
            tile.placeHigh[1] = std::max(tile.placeHigh[1], places[t].y);
            const auto grow = [&tile](float x, float y, float z) {
                const float v[3] = {x, y, z};
                for (int a = 0; a < 3; ++a) {
                    tile.low[a] = std::min(tile.low[a], v[a]);
                    tile.high[a] = std::max(tile.high[a], v[a]);
                }
            };
            for (int p = 0; p < 2; ++p) {
                for (int level = 0; level < 2; ++level)
                    for (unsigned v = vertexStart[level][p][t]; v < vertexStart[level][p][t + 1]; ++v)
                        grow(positions[v * 3], positions[v * 3 + 1], positions[v * 3 + 2]);
                // A part drawn on its own counts with its still pose.
                if (!single[places[t].kind][p]) continue;
                const cMesh& part = models.trees[places[t].kind][p];
                const float* f = part.getFaces();
                for (int c = 0; c < part.getNumFaces() * 3; ++c)
                    grow(f[c * 3] + places[t].x, f[c * 3 + 1] + places[t].y, f[c * 3 + 2]);
            }
        }
        tiles.push_back(tile);
        i = end;
    }
}
