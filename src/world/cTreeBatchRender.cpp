// Drawing the merged trees: a view volume test per tile, then one call per run of neighbouring trees.
#include <GL/gl.h>

#include <cmath>

#include "world/cTreeBatch.h"

namespace {

// The six planes of the current view volume, each (a, b, c, d) with a point inside when
// a x + b y + c z + d >= 0.
struct sFrustum {
    float plane[6][4];

    sFrustum() {
        float p[16], m[16];
        glGetFloatv(GL_PROJECTION_MATRIX, p);
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        float row[4][4];  // rows of projection x modelview
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) {
                row[i][j] = 0.0f;
                for (int k = 0; k < 4; ++k) row[i][j] += p[k * 4 + i] * m[j * 4 + k];
            }
        for (int axis = 0; axis < 3; ++axis)
            for (int j = 0; j < 4; ++j) {
                plane[axis * 2][j] = row[3][j] + row[axis][j];
                plane[axis * 2 + 1][j] = row[3][j] - row[axis][j];
            }
    }

    // True only when the box lies wholly on the outer side of one plane; a small margin
    // keeps rounding from dropping a box that touches the edge.
    bool outside(const float* low, const float* high) const {
        for (const auto& q : plane) {
            const float x = q[0] >= 0.0f ? high[0] : low[0];
            const float y = q[1] >= 0.0f ? high[1] : low[1];
            const float z = q[2] >= 0.0f ? high[2] : low[2];
            const float margin = 1e-3f * (std::fabs(q[0] * x) + std::fabs(q[1] * y) + std::fabs(q[2] * z) +
                                          std::fabs(q[3]) + 1.0f);
            if (q[0] * x + q[1] * y + q[2] * z + q[3] < -margin) return true;
        }
        return false;
    }
};

bool inBox(double x, double y, const cPoint* view) {
    return !(x < view[0].x || x > view[1].x || y < view[0].y || y > view[1].y);
}

}  // namespace

void cTreeBatch::addRun(int first, int end) {
    if (!runs.empty() && runs.back().end == first)
        runs.back().end = end;
    else
        runs.push_back({first, end});
}

void cTreeBatch::drawRuns(int part) {
    for (const sRun& r : runs) {
        const unsigned first = indexStart[part][r.first];
        const unsigned count = indexStart[part][r.end] - first;
        if (count == 0) continue;
        glDrawRangeElements(GL_TRIANGLES, vertexStart[part][r.first], vertexStart[part][r.end] - 1,
                            static_cast<GLsizei>(count), GL_UNSIGNED_INT, indices.data() + first);
    }
}

void cTreeBatch::render(const float* stemColour, const float* topColour, const cPoint* view) {
    if (places.empty()) return;
    const sFrustum frustum;
    runs.clear();
    for (const sTile& t : tiles) {
        if (frustum.outside(t.low, t.high)) continue;
        if (!view || (inBox(t.placeLow[0], t.placeLow[1], view) && inBox(t.placeHigh[0], t.placeHigh[1], view))) {
            addRun(t.firstTree, t.endTree);
            continue;
        }
        for (int i = t.firstTree; i < t.endTree; ++i)
            if (inBox(places[i].x, places[i].y, view)) addRun(i, i + 1);
    }
    if (runs.empty()) return;

    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions.data());
    if (!normals.empty()) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, normals.data());
    }
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, stemColour);
    drawRuns(kStem);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, topColour);
    drawRuns(kTop);
    if (!normals.empty()) glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
