// Drawing of the terrain: the trees, the ground compiled in tiles and the translucent water.
#include <GL/gl.h>

#include <algorithm>

#include "assets/cMeshCont.h"
#include "world/cFrustum.h"
#include "world/cMap.h"

void cMap::releaseGL() {
    releaseGround();
    treeBatch.releaseGL();
    // Drawing after a release builds the ground again rather than leaving it out.
    groundDirty = isGenerated();
}

void cMap::releaseGround() {
    // Each tile has two lists: its cells as made, then the far ground's.
    if (terrainList != 0) glDeleteLists(terrainList, static_cast<GLsizei>(groundTiles.size() * 2));
    terrainList = 0;
    groundTiles.clear();
}

float cMap::farVertexHeight(int vx, int vy) const {
    // Even vertices keep their height; an odd one lies on the straight line or plane
    // between its even neighbours, which the far ground's two-cell quads follow.
    const bool oddX = vx % 2 == 1 && vx + 1 <= width, oddY = vy % 2 == 1 && vy + 1 <= height;
    const auto h = [this](int x, int y) { return heights[vertexIndex(x, y)]; };
    if (oddX && oddY) return (h(vx - 1, vy - 1) + h(vx + 1, vy - 1) + h(vx - 1, vy + 1) + h(vx + 1, vy + 1)) / 4.0f;
    if (oddX) return (h(vx - 1, vy) + h(vx + 1, vy)) / 2.0f;
    if (oddY) return (h(vx, vy - 1) + h(vx, vy + 1)) / 2.0f;
    return h(vx, vy);
}

void cMap::emitGroundQuad(int c, int r, int step, bool far) {
    glColor4fv(groundDiffuse(terrain[r * width + c]));
    const int corners[4][2] = {{c, r}, {c + step, r}, {c + step, r + step}, {c, r + step}};
    for (const auto& v : corners) {
        const sVector n = getVertexNormal(v[0], v[1]);
        glNormal3f(n.x, n.y, n.z);
        glVertex3f(static_cast<float>(v[0]), static_cast<float>(v[1]),
                   far ? farVertexHeight(v[0], v[1]) : heights[vertexIndex(v[0], v[1])]);
    }
}

void cMap::compileGroundTile(unsigned list, int c0, int c1, int r0, int r1, bool far) {
    glNewList(list, GL_COMPILE);
    // One GL_QUADS run per tile, as every four vertices make a quad of their own: the
    // renderer pays a draw's setup once a tile rather than once a row.
    // The colour is the cell's own, so a wood's floor ends sharply at its edge.
    glBegin(GL_QUADS);
    if (!far) {
        for (int r = r0; r < r1; ++r)
            for (int c = c0; c < c1; ++c) emitGroundQuad(c, r, 1, false);
        glEnd();
        glEndList();
        return;
    }
    // Far away, a square of four cells of one colour is one quad; any other square keeps
    // its four cells, on the same coarse heights, so no crack opens between the two.
    for (int r = r0; r < r1; r += 2) {
        for (int c = c0; c < c1; c += 2) {
            const float* colour = groundDiffuse(terrain[r * width + c]);
            const auto same = [&](int x, int y) { return groundDiffuse(terrain[y * width + x]) == colour; };
            const bool whole = c + 1 < c1 && r + 1 < r1 && same(c + 1, r) && same(c, r + 1) && same(c + 1, r + 1);
            if (whole) {
                emitGroundQuad(c, r, 2, true);
                continue;
            }
            for (int y = r; y < std::min(r + 2, r1); ++y)
                for (int x = c; x < std::min(c + 2, c1); ++x) emitGroundQuad(x, y, 1, true);
        }
    }
    glEnd();
    glEndList();
}

void cMap::compileGround() {
    releaseGround();
    groundDirty = false;
    const int tilesX = (width + kGroundTile - 1) / kGroundTile;
    const int tilesY = (height + kGroundTile - 1) / kGroundTile;
    const int count = tilesX * tilesY;
    terrainList = glGenLists(count * 2);
    if (terrainList == 0) return;
    groundTiles.resize(static_cast<size_t>(count));
    for (int ty = 0; ty < tilesY; ++ty) {
        for (int tx = 0; tx < tilesX; ++tx) {
            const int c0 = tx * kGroundTile, c1 = std::min(c0 + kGroundTile, width);
            const int r0 = ty * kGroundTile, r1 = std::min(r0 + kGroundTile, height);
            sGroundTile& tile = groundTiles[static_cast<size_t>(ty) * tilesX + tx];
            tile = {{static_cast<float>(c0), static_cast<float>(r0), heights[vertexIndex(c0, r0)]},
                    {static_cast<float>(c1), static_cast<float>(r1), heights[vertexIndex(c0, r0)]}};
            for (int r = r0; r <= r1; ++r)
                for (int c = c0; c <= c1; ++c) {
                    tile.low[2] = std::min(tile.low[2], heights[vertexIndex(c, r)]);
                    tile.high[2] = std::max(tile.high[2], heights[vertexIndex(c, r)]);
                }
            const unsigned index = static_cast<unsigned>(ty * tilesX + tx);
            compileGroundTile(terrainList + index, c0, c1, r0, r1, false);
            compileGroundTile(terrainList + static_cast<unsigned>(count) + index, c0, c1, r0, r1, true);
        }
    }
}

void cMap::renderTerrain(const cPoint* view) {
    if (!heights) return;
    if (groundDirty) compileGround();

    glPushMatrix();
    glEnable(GL_LIGHTING);
    treeBatch.render(stemColour, winter ? snowColour : treeColour, view);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, winter ? snowColour : grassColour);
    // The ground's diffuse colour is baked per cell into its lists as the vertex colour.
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    // Tiles wholly outside the view volume would be clipped away entirely: skipping them
    // saves their vertex work and changes no pixel. The far ground is drawn only when every
    // tile in view is far, since a far tile beside a near one would open cracks between them.
    const cFrustum frustum = cFrustum::current();
    bool far = true;
    visibleTiles.clear();
    for (size_t i = 0; i < groundTiles.size(); ++i) {
        const sGroundTile& t = groundTiles[i];
        if (frustum.outside(t.low, t.high)) continue;
        visibleTiles.push_back(static_cast<unsigned>(i));
        far = far && frustum.pixelsPerUnit(t.low, t.high) < kFarGroundPixelsPerUnit;
    }
    const unsigned first = terrainList + (far ? static_cast<unsigned>(groundTiles.size()) : 0u);
    for (unsigned i : visibleTiles) glCallList(first + i);
    glDisable(GL_COLOR_MATERIAL);
    // Whatever is drawn lit after the ground finds the material it always had.
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, openDiffuse);
    glPopMatrix();
}

void cMap::renderWater() {
    if (!waterLevel || !shade || !showWater) return;
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Tiles out of view are left out whatever the view box says: they would only be clipped.
    water.render(waterLevel.get(), cFrustum::current());
    glDisable(GL_BLEND);
}
