// Vertex clustering: a tree a few pixels tall keeps its outline and its light on a fraction of its triangles.
#include "world/shapeCoarsen.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <unordered_map>

sIndexedShape coarsenShape(const sIndexedShape& shape, int cells) {
    sIndexedShape out;
    const size_t count = shape.positions.size() / 3;
    if (count == 0 || cells < 1) return out;
    const bool withNormals = shape.normals.size() == shape.positions.size();

    float low[3], high[3];
    for (int a = 0; a < 3; ++a) {
        low[a] = high[a] = shape.positions[a];
        for (size_t v = 1; v < count; ++v) {
            low[a] = std::min(low[a], shape.positions[v * 3 + a]);
            high[a] = std::max(high[a], shape.positions[v * 3 + a]);
        }
    }
    const auto cellOf = [&](size_t v, int a) {
        const float extent = high[a] - low[a];
        if (!(extent > 0.0f)) return 0;
        const float t = (shape.positions[v * 3 + a] - low[a]) / extent * static_cast<float>(cells);
        return std::clamp(static_cast<int>(t), 0, cells - 1);
    };

    std::unordered_map<long long, unsigned> slotOfCell;
    std::vector<unsigned> slot(count);
    std::vector<float> members;
    for (size_t v = 0; v < count; ++v) {
        const long long key = (static_cast<long long>(cellOf(v, 0)) * cells + cellOf(v, 1)) * cells + cellOf(v, 2);
        const auto found = slotOfCell.emplace(key, static_cast<unsigned>(members.size()));
        if (found.second) {
            members.push_back(0.0f);
            out.positions.insert(out.positions.end(), 3, 0.0f);
            if (withNormals) out.normals.insert(out.normals.end(), 3, 0.0f);
        }
        const unsigned s = found.first->second;
        slot[v] = s;
        members[s] += 1.0f;
        for (int a = 0; a < 3; ++a) {
            out.positions[s * 3 + a] += shape.positions[v * 3 + a];
            if (withNormals) out.normals[s * 3 + a] += shape.normals[v * 3 + a];
        }
    }
    // A mean lies inside the shape, and a few means alone would shrink it: each corner
    // moves out from the centre, along the way to its mean, as far as its farthest member.
    const float centre[3] = {(low[0] + high[0]) / 2, (low[1] + high[1]) / 2, (low[2] + high[2]) / 2};
    const auto distance = [&centre](const float* p) {
        return std::sqrt((p[0] - centre[0]) * (p[0] - centre[0]) + (p[1] - centre[1]) * (p[1] - centre[1]) +
                         (p[2] - centre[2]) * (p[2] - centre[2]));
    };
    std::vector<float> reach(members.size(), 0.0f);
    for (size_t v = 0; v < count; ++v) reach[slot[v]] = std::max(reach[slot[v]], distance(&shape.positions[v * 3]));
    for (size_t s = 0; s < members.size(); ++s) {
        float* p = &out.positions[s * 3];
        for (int a = 0; a < 3; ++a) p[a] /= members[s];
        const float toMean = distance(p);
        if (toMean > 1e-6f)
            for (int a = 0; a < 3; ++a) p[a] = centre[a] + (p[a] - centre[a]) * (reach[s] / toMean);
        if (!withNormals) continue;
        float* n = &out.normals[s * 3];
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        // Opposite normals cancel in a thin part: light it from above rather than not at all.
        if (length > 1e-6f) {
            for (int a = 0; a < 3; ++a) n[a] /= length;
        } else {
            n[0] = n[1] = 0.0f;
            n[2] = 1.0f;
        }
    }
    // Clustering folds neighbouring triangles onto each other: a copy with the same corners
    // in the same turn covers the same pixels again, so only the first is kept.
    std::set<std::array<unsigned, 3>> kept;
    for (size_t i = 0; i + 2 < shape.indices.size(); i += 3) {
        if (shape.indices[i] >= count || shape.indices[i + 1] >= count || shape.indices[i + 2] >= count) continue;
        std::array<unsigned, 3> t = {slot[shape.indices[i]], slot[shape.indices[i + 1]], slot[shape.indices[i + 2]]};
        if (t[0] == t[1] || t[1] == t[2] || t[0] == t[2]) continue;
        std::array<unsigned, 3> turn = t;
        std::rotate(turn.begin(), std::min_element(turn.begin(), turn.end()), turn.end());
        if (kept.insert(turn).second) out.indices.insert(out.indices.end(), t.begin(), t.end());
    }
    return out;
}
