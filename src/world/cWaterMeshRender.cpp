// Drawing the water tiles in view.
#include "world/cWaterMesh.h"

#include <GL/gl.h>

#include "world/cFrustum.h"

void cWaterMesh::render(const float* level, const cFrustum& frustum) {
    // Neighbouring tiles in view lie next to each other in indices: one begin-end pair
    // draws the run. Quads sent through a vertex array would be split along the other
    // diagonal by Mesa, which moves the shore's pixels where the waves meet the ground.
    size_t runFirst = 0, runCount = 0;
    const auto flush = [&] {
        if (runCount == 0) return;
        glBegin(GL_QUADS);
        for (size_t k = runFirst; k < runFirst + runCount; ++k) {
            const unsigned v = indices[k];
            glColor4fv(&rgba[v * 4]);
            glVertex3f(xy[v * 2], xy[v * 2 + 1], level[source[v]]);
        }
        glEnd();
        runCount = 0;
    };
    for (const sTile& t : tiles) {
        if (frustum.outside(t.low, t.high)) {
            flush();
            continue;
        }
        if (runCount == 0) runFirst = t.first;
        runCount += t.count;
    }
    flush();
}
