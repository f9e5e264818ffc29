// The closed-surface test: every directed edge paired with its reverse.
#include "assets/closedSurface.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <utility>

bool isClosedSurface(const float* corners, int faces) {
    if (corners == nullptr || faces <= 0) return false;
    // Bits, not floats: a NaN would break the map's ordering.
    using tPoint = std::array<uint32_t, 3>;
    const auto point = [&](int face, int corner) {
        tPoint p;
        std::memcpy(p.data(), corners + (face * 3 + corner) * 3, sizeof p);
        return p;
    };
    std::map<std::pair<tPoint, tPoint>, int> edges;  // directed edge: how many triangles run along it
    for (int f = 0; f < faces; ++f)
        for (int k = 0; k < 3; ++k) ++edges[{point(f, k), point(f, (k + 1) % 3)}];
    for (const auto& [edge, count] : edges) {
        const auto back = edges.find({edge.second, edge.first});
        if (back == edges.end() || back->second != count) return false;
    }
    // Six times the enclosed volume, from the tetrahedra each face makes with the origin.
    double volume = 0;
    for (int f = 0; f < faces; ++f) {
        const float* a = corners + f * 9;
        const float *b = a + 3, *c = a + 6;
        volume += double(a[0]) * (double(b[1]) * c[2] - double(b[2]) * c[1]) -
                  double(a[1]) * (double(b[0]) * c[2] - double(b[2]) * c[0]) +
                  double(a[2]) * (double(b[0]) * c[1] - double(b[1]) * c[0]);
    }
    return volume > 0;
}
