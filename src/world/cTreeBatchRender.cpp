// Drawing the merged trees: a view volume and distance test per tile, then one call per run of neighbouring trees.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <cstdio>

#include "assets/cMeshCont.h"
#include "world/cFrustum.h"
#include "world/cTreeBatch.h"

namespace {

bool inBox(double x, double y, const cPoint* view) {
    return !(x < view[0].x || x > view[1].x || y < view[0].y || y > view[1].y);
}

// Buffer objects came with GL 1.5; an older context draws from client memory.
bool hasBuffers() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0, minor = 0;
    if (!version || std::sscanf(version, "%d.%d", &major, &minor) != 2) return false;
    return major > 1 || (major == 1 && minor >= 5);
}

}  // namespace

void cTreeBatch::releaseGL() {
    if (buffers[0] != 0) glDeleteBuffers(2, buffers);
    buffers[0] = buffers[1] = 0;
    uploaded = false;
}

void cTreeBatch::upload() {
    uploaded = true;
    if (buffers[0] == 0) {
        if (!hasBuffers()) return;
        glGenBuffers(2, buffers);
    }
    const auto bytes = [](const auto& v) { return static_cast<GLsizeiptr>(v.size() * sizeof(v[0])); };
    glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    glBufferData(GL_ARRAY_BUFFER, bytes(positions) + bytes(normals), nullptr, GL_STATIC_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, bytes(positions), positions.data());
    glBufferSubData(GL_ARRAY_BUFFER, bytes(positions), bytes(normals), normals.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, bytes(indices), indices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void cTreeBatch::addRun(int level, int first, int end) {
    std::vector<sRun>& list = runs[level];
    if (!list.empty() && list.back().end == first)
        list.back().end = end;
    else
        list.push_back({first, end});
}

void cTreeBatch::drawRuns(int part, std::uintptr_t indexBase) {
    for (int level = 0; level < 2; ++level)
        for (const sRun& r : runs[level]) {
            const unsigned first = indexStart[level][part][r.first];
            const unsigned count = indexStart[level][part][r.end] - first;
            if (count == 0) continue;
            glDrawRangeElements(GL_TRIANGLES, vertexStart[level][part][r.first], vertexStart[level][part][r.end] - 1,
                                static_cast<GLsizei>(count), GL_UNSIGNED_INT,
                                reinterpret_cast<const void*>(indexBase + first * sizeof(unsigned)));
        }
}

void cTreeBatch::render(const float* stemColour, const float* topColour, const cPoint* view) {
    if (places.empty()) return;
    const cFrustum frustum = cFrustum::current();
    runs[kNear].clear();
    runs[kFar].clear();
    for (const sTile& t : tiles) {
        if (frustum.outside(t.low, t.high)) continue;
        const int level = frustum.pixelsPerUnit(t.low, t.high) < kFarPixelsPerUnit ? kFar : kNear;
        if (!view || (inBox(t.placeLow[0], t.placeLow[1], view) && inBox(t.placeHigh[0], t.placeHigh[1], view))) {
            addRun(level, t.firstTree, t.endTree);
            continue;
        }
        for (int i = t.firstTree; i < t.endTree; ++i)
            if (inBox(places[i].x, places[i].y, view)) addRun(level, i, i + 1);
    }
    if (runs[kNear].empty() && runs[kFar].empty()) return;

    if (!positions.empty() && !uploaded) upload();
    // With buffers bound the pointers are offsets into them.
    const bool buffered = buffers[0] != 0;
    const std::uintptr_t positionBase = buffered ? 0 : reinterpret_cast<std::uintptr_t>(positions.data());
    const std::uintptr_t normalBase =
        buffered ? positions.size() * sizeof(float) : reinterpret_cast<std::uintptr_t>(normals.data());
    const std::uintptr_t indexBase = buffered ? 0 : reinterpret_cast<std::uintptr_t>(indices.data());
    if (buffered) {
        glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, reinterpret_cast<const void*>(positionBase));
    if (!normals.empty()) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, 0, reinterpret_cast<const void*>(normalBase));
    }
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, stemColour);
    cullBackFaces(kStem);
    drawRuns(kStem, indexBase);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, topColour);
    cullBackFaces(kTop);
    drawRuns(kTop, indexBase);
    if (!normals.empty()) glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    if (buffered) {
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    }
    glDisable(GL_CULL_FACE);
    // A part drawn mesh by mesh culls its back faces by itself when it is closed.
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, stemColour);
    drawSingleParts(kStem);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, topColour);
    drawSingleParts(kTop);
}

void cTreeBatch::cullBackFaces(int part) const {
    if (closed[part]) glEnable(GL_CULL_FACE);
    else glDisable(GL_CULL_FACE);
}

void cTreeBatch::drawSingleParts(int part) {
    if (!meshes) return;
    for (const auto& list : runs)
        for (const sRun& r : list)
            for (int i = r.first; i < r.end; ++i) {
                const sPlace& p = places[i];
                if (!single[p.kind][part]) continue;
                glPushMatrix();
                glTranslatef(p.x, p.y, 0);
                meshes->trees[p.kind][part].render(-1);
                glPopMatrix();
            }
}
