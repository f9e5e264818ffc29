// Geometry builders and pose maths of the generated model parts.
#include "cModelPart.h"

#include <cmath>

namespace {
sVec3 sub(sVec3 a, sVec3 b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
sVec3 cross(sVec3 a, sVec3 b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(sVec3 a, sVec3 b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
sVec3 normalised(sVec3 v) {
    const double l = std::sqrt(dot(v, v));
    return l > 0 ? sVec3{v[0] / l, v[1] / l, v[2] / l} : sVec3{0, 0, 1};
}
constexpr double kPi = 3.14159265358979323846;

// Builds a vector from components along the chosen axis and the two others.
sVec3 onAxis(int axis, double along, double u, double v) {
    sVec3 r{};
    r[size_t(axis)] = along;
    r[size_t((axis + 1) % 3)] = u;
    r[size_t((axis + 2) % 3)] = v;
    return r;
}
}  // namespace

sQuat sQuat::axisAngle(sVec3 axis, double radians) {
    const sVec3 a = normalised(axis);
    const double s = std::sin(radians / 2);
    return {std::cos(radians / 2), a[0] * s, a[1] * s, a[2] * s};
}

sQuat sQuat::operator*(const sQuat& q) const {
    return {w * q.w - x * q.x - y * q.y - z * q.z, w * q.x + x * q.w + y * q.z - z * q.y,
            w * q.y - x * q.z + y * q.w + z * q.x, w * q.z + x * q.y - y * q.x + z * q.w};
}

cModelPart::cModelPart(std::string name, sVec3 pivot) : objectName(std::move(name)), pivotPos(pivot) {}

int cModelPart::addVertex(sVec3 p, sVec3 n) {
    verts.push_back(p);
    norms.push_back(normalised(n));
    return int(verts.size()) - 1;
}

void cModelPart::addTriangle(int a, int b, int c) {
    const sVec3 pa = verts[size_t(a)], pb = verts[size_t(b)], pc = verts[size_t(c)];
    const sVec3 faceN = cross(sub(pb, pa), sub(pc, pa));
    if (dot(faceN, faceN) < 1e-12) return;  // degenerate: a pole or a closed seam
    const sVec3 n = {norms[size_t(a)][0] + norms[size_t(b)][0] + norms[size_t(c)][0],
                     norms[size_t(a)][1] + norms[size_t(b)][1] + norms[size_t(c)][1],
                     norms[size_t(a)][2] + norms[size_t(b)][2] + norms[size_t(c)][2]};
    if (dot(faceN, n) < 0)
        tris.push_back({a, c, b});
    else
        tris.push_back({a, b, c});
}

void cModelPart::addEllipsoid(sVec3 centre, sVec3 radii, int segments, int rings) {
    // Poles are single vertices; the ring of a segment boundary is shared.
    const int top = addVertex({centre[0], centre[1], centre[2] + radii[2]}, {0, 0, 1});
    std::vector<int> ringStart;
    for (int r = 1; r < rings; r++) {
        const double theta = kPi / 2 - kPi * r / rings;  // elevation
        ringStart.push_back(int(verts.size()));
        for (int s = 0; s < segments; s++) {
            // Azimuth 0 faces -y, the units' front, so a meridian runs down the face.
            const double phi = 2 * kPi * s / segments;
            const sVec3 d = {std::sin(phi) * std::cos(theta), -std::cos(phi) * std::cos(theta), std::sin(theta)};
            addVertex({centre[0] + radii[0] * d[0], centre[1] + radii[1] * d[1], centre[2] + radii[2] * d[2]},
                      {d[0] / radii[0], d[1] / radii[1], d[2] / radii[2]});
        }
    }
    const int bottom = addVertex({centre[0], centre[1], centre[2] - radii[2]}, {0, 0, -1});
    for (int s = 0; s < segments; s++) {
        const int s1 = (s + 1) % segments;
        addTriangle(top, ringStart.front() + s, ringStart.front() + s1);
        addTriangle(bottom, ringStart.back() + s1, ringStart.back() + s);
        for (size_t r = 0; r + 1 < ringStart.size(); r++) {
            const int a = ringStart[r] + s, b = ringStart[r] + s1;
            const int c = ringStart[r + 1] + s, d = ringStart[r + 1] + s1;
            addTriangle(a, c, d);
            addTriangle(a, d, b);
        }
    }
}

void cModelPart::addBox(sVec3 lo, sVec3 hi) {
    for (int axis = 0; axis < 3; axis++)
        for (int side = 0; side < 2; side++) {
            const double along = side ? hi[size_t(axis)] : lo[size_t(axis)];
            const size_t u = size_t((axis + 1) % 3), v = size_t((axis + 2) % 3);
            const sVec3 n = onAxis(axis, side ? 1 : -1, 0, 0);
            const int a = addVertex(onAxis(axis, along, lo[u], lo[v]), n);
            const int b = addVertex(onAxis(axis, along, hi[u], lo[v]), n);
            const int c = addVertex(onAxis(axis, along, hi[u], hi[v]), n);
            const int d = addVertex(onAxis(axis, along, lo[u], hi[v]), n);
            addTriangle(a, b, c);
            addTriangle(a, c, d);
        }
}

void cModelPart::addCylinder(sVec3 base, int axis, double length, double radius, int segments, bool caps) {
    const size_t u = size_t((axis + 1) % 3), v = size_t((axis + 2) % 3);
    const double b0 = base[size_t(axis)];
    auto at = [&](double along, double angle) {
        return onAxis(axis, along, base[u] + radius * std::cos(angle), base[v] + radius * std::sin(angle));
    };
    const int first = int(verts.size());
    for (int s = 0; s < segments; s++) {
        const double a = 2 * kPi * s / segments;
        const sVec3 n = onAxis(axis, 0, std::cos(a), std::sin(a));
        addVertex(at(b0, a), n);
        addVertex(at(b0 + length, a), n);
    }
    for (int s = 0; s < segments; s++) {
        const int s1 = (s + 1) % segments;
        addTriangle(first + 2 * s, first + 2 * s1, first + 2 * s1 + 1);
        addTriangle(first + 2 * s, first + 2 * s1 + 1, first + 2 * s + 1);
    }
    if (!caps) return;
    for (int end = 0; end < 2; end++) {
        const double along = end ? b0 + length : b0;
        const double sign = (end ? 1 : -1) * (length >= 0 ? 1 : -1);
        const sVec3 n = onAxis(axis, sign, 0, 0);
        const int centre = addVertex(onAxis(axis, along, base[u], base[v]), n);
        const int ring = int(verts.size());
        for (int s = 0; s < segments; s++) addVertex(at(along, 2 * kPi * s / segments), n);
        for (int s = 0; s < segments; s++) addTriangle(centre, ring + s, ring + (s + 1) % segments);
    }
}

void cModelPart::addCone(sVec3 base, int axis, double radius, double height, int segments) {
    const size_t u = size_t((axis + 1) % 3), v = size_t((axis + 2) % 3);
    const double b0 = base[size_t(axis)];
    const double sign = height >= 0 ? 1 : -1;
    const double slope = radius / std::fabs(height);
    // The tip gets one vertex per segment so each side keeps its own normal.
    const int ring = int(verts.size());
    for (int s = 0; s < segments; s++) {
        const double a = 2 * kPi * s / segments;
        const sVec3 n = onAxis(axis, sign * slope, std::cos(a), std::sin(a));
        addVertex(onAxis(axis, b0, base[u] + radius * std::cos(a), base[v] + radius * std::sin(a)), n);
    }
    for (int s = 0; s < segments; s++) {
        const double a = 2 * kPi * (s + 0.5) / segments;
        addVertex(onAxis(axis, b0 + height, base[u], base[v]), onAxis(axis, sign * slope, std::cos(a), std::sin(a)));
    }
    for (int s = 0; s < segments; s++) addTriangle(ring + s, ring + (s + 1) % segments, ring + segments + s);
    const sVec3 down = onAxis(axis, -sign, 0, 0);
    const int centre = addVertex(base, down);
    const int rim = int(verts.size());
    for (int s = 0; s < segments; s++) addVertex(verts[size_t(ring + s)], down);
    for (int s = 0; s < segments; s++) addTriangle(centre, rim + (s + 1) % segments, rim + s);
}

void cModelPart::addQuad(sVec3 a, sVec3 b, sVec3 c, sVec3 d) {
    const sVec3 n = normalised(cross(sub(b, a), sub(c, a)));
    const int ia = addVertex(a, n), ib = addVertex(b, n), ic = addVertex(c, n), id = addVertex(d, n);
    addTriangle(ia, ib, ic);
    addTriangle(ia, ic, id);
}

void cModelPart::mapTexture(const std::function<std::array<double, 2>(sVec3, sVec3)>& uvOf) {
    texCoords.clear();
    for (size_t i = 0; i < verts.size(); i++) texCoords.push_back(uvOf(verts[i], norms[i]));
}

void cModelPart::animate(const std::function<sPose(int)>& poseOf, int count) {
    frames.clear();
    for (int f = 0; f < count; f++) frames.push_back(poseOf(f));
}
