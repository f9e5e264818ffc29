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
    if (terrainList != 0) glDeleteLists(terrainList, static_cast<GLsizei>(groundTiles.size()));
    terrainList = 0;
    groundTiles.clear();
}

void cMap::compileGround() {
    releaseGround();
    groundDirty = false;
    const int tilesX = (width + kGroundTile - 1) / kGroundTile;
    const int tilesY = (height + kGroundTile - 1) / kGroundTile;
    terrainList = glGenLists(tilesX * tilesY);
    if (terrainList == 0) return;
    groundTiles.resize(static_cast<size_t>(tilesX) * tilesY);
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
            glNewList(terrainList + static_cast<unsigned>(ty * tilesX + tx), GL_COMPILE);
            // One GL_QUADS run per row: every four vertices still make a quad of their own.
            // The colour is the cell's own, so a wood's floor ends sharply at its edge.
            for (int r = r0; r < r1; ++r) {
                glBegin(GL_QUADS);
                for (int c = c0; c < c1; ++c) {
                    glColor4fv(groundDiffuse(terrain[r * width + c]));
                    const int corners[4][2] = {{c, r}, {c + 1, r}, {c + 1, r + 1}, {c, r + 1}};
                    for (const auto& v : corners) {
                        const sVector n = getVertexNormal(v[0], v[1]);
                        glNormal3f(n.x, n.y, n.z);
                        glVertex3f(static_cast<float>(v[0]), static_cast<float>(v[1]),
                                   heights[vertexIndex(v[0], v[1])]);
                    }
                }
                glEnd();
            }
            glEndList();
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
    // saves their vertex work and changes no pixel.
    const cFrustum frustum = cFrustum::current();
    for (size_t i = 0; i < groundTiles.size(); ++i)
        if (!frustum.outside(groundTiles[i].low, groundTiles[i].high))
            glCallList(terrainList + static_cast<unsigned>(i));
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
