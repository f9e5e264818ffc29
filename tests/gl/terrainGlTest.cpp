// Terrain drawing counted through feedback mode (ground lists near and far, tree buffers, culling) and the forest floor and far ground in pixels.
#define GL_GLEXT_PROTOTYPES
#include "glTestSupport.h"

#include <GL/glext.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "../unit/aseText.h"
#include "../unit/assetsTestFiles.h"
#include "../unit/mapTestUtil.h"
#include "assets/cBitmap.h"
#include "assets/cMeshCont.h"
#include "shell/cCamera.h"
#include "shell/cRender.h"
#include "world/cMap.h"

using namespace maptest;

namespace {

// The polygons draw() sends down the pipeline under the current matrices.
int polygonsFed(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(1 << 18);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    int polygons = 0;
    for (GLint i = 0; i < used; ++i)
        if (buffer[i] == GL_POLYGON_TOKEN) {
            ++polygons;
            i += 1 + static_cast<int>(buffer[i + 1]) * 3;
        }
    return polygons;
}

// The polygons draw() sends down the pipeline under a projection that shows the whole map.
int polygonsDrawn(const cMap& m, const std::function<void()>& draw) {
    projectOrtho(-1.0, m.getX() + 1.0, -1.0, m.getY() + 1.0, -10.0, 10.0);
    return polygonsFed(draw);
}

int terrainPolygons(cMap& m, const cPoint* view = nullptr) {
    return polygonsDrawn(m, [&] { m.renderTerrain(view); });
}

using Terrain = KeepsGlState;

}  // namespace

TEST_F(Terrain, TreesAreBuiltWhenDrawnCulledToTheViewAndFollowRebuildsAndRelease) {
    using namespace aseText;
    const V3 up{0, 0, 1};
    const std::string normals = normalParts({{up, up, up}, {up, up, up}});
    const std::string sway = animation("Sway", {{0, {0, 0, 0}}, {1600, {10, 0, 0}}}, {});
    const std::string tex = texParts({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, squareFaces());
    // A modder's trees: a plain stem, merged into the buffers, and tops drawn as their own
    // meshes: an animated one for the first kind, a textured one without normals for the rest.
    assetsTest::ScratchDir dir;
    const std::string path = dir.file("trees.ASE");
    assetsTest::writeFile(path, scene() + square("Stem", normals) + square("Painted", tex) +
                                    geomObject("Sway", nodeTm("Sway") + meshBlock(squareVerts(), squareFaces(), normals) + sway));
    cMeshCont meshes;
    for (int k = 0; k < cMeshCont::numTreeKinds; ++k) {
        ASSERT_TRUE(meshes.trees[k][0].loadFromASE(path.c_str(), 0, "Stem"));
        ASSERT_TRUE(meshes.trees[k][1].loadFromASE(path.c_str(), 0, k == 0 ? "Sway" : "Painted"));
    }
    const int kPerTree = 4;  // a stem and a top, squares of two triangles each
    cBitmap bmp;
    fillGround(bmp, 20, 20);
    cMap m;
    m.setMeshCont(&meshes);
    ASSERT_TRUE(m.init(bmp));
    EXPECT_EQ(m.getGroundList(), 0u) << "building a map needs no GL";
    const int ground = terrainPolygons(m);
    paintRect(bmp, 0, 0, 19, 19, kTreePx);
    ASSERT_TRUE(m.init(bmp));
    const int many = m.getTreeCount(), frame = meshes.trees[0][1].getCurrentFrame();
    ASSERT_GT(many, 40);
    EXPECT_EQ(m.getTreeBatch().getVertexBuffer(), 0u) << "building a map needs no GL";
    EXPECT_EQ(terrainPolygons(m), ground + many * kPerTree) << "every tree shows its stem and its top";
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE)) << "the trees' face culling ends with them";
    // These trees are open squares: seen from below their backs show, so none is culled.
    ASSERT_FALSE(m.getTreeBatch().cullsBackFaces(cTreeBatch::kStem) || m.getTreeBatch().cullsBackFaces(cTreeBatch::kTop));
    EXPECT_EQ(polygonsDrawn(m,
                            [&] {
                                glTranslatef(0, m.getY(), 0);
                                glRotatef(180, 1, 0, 0);
                                m.renderTerrain(nullptr);
                            }),
              ground + many * kPerTree);
    EXPECT_NE(meshes.trees[0][1].getCurrentFrame(), frame) << "the animated top is drawn through its frames";
    const unsigned list = m.getGroundList(), buffer = m.getTreeBatch().getVertexBuffer();
    EXPECT_TRUE(glIsList(list));
    EXPECT_TRUE(glIsBuffer(buffer));
    // A view shrunk to the second tree's own position still draws it, and it alone.
    const sTree& t = m.getTrees()[1];
    const cPoint exact[2] = {cPoint(t.x, t.y), cPoint(t.x, t.y)};
    EXPECT_EQ(terrainPolygons(m, exact), ground + kPerTree);
    EXPECT_EQ(m.getGroundList(), list) << "compiled once, not per frame";
    // Fewer trees after a rebuild: what the buffer held before must not be drawn.
    fillGround(bmp, 20, 20);
    paintRect(bmp, 0, 0, 19, 1, kTreePx);
    ASSERT_TRUE(m.init(bmp));
    const int few = m.getTreeCount();
    ASSERT_LT(few, many);
    EXPECT_EQ(terrainPolygons(m), ground + few * kPerTree);
    const unsigned lastList = m.getGroundList();
    EXPECT_TRUE(glIsList(lastList));
    for (unsigned name = list; name < lastList; ++name) EXPECT_FALSE(glIsList(name)) << "list " << name << " is released";
    m.releaseGL();
    EXPECT_FALSE(glIsList(lastList));
    EXPECT_FALSE(glIsBuffer(buffer));
    EXPECT_EQ(terrainPolygons(m), ground + few * kPerTree) << "drawing after a release fills new buffers";
    m.releaseGL();
}

TEST_F(Terrain, WaterCoversTheCellsWithEveryCornerWetAndLeavesOutTilesOutOfView) {
    // Two ponds of 4 x 4 cells, in tiles far apart.
    cBitmap bmp;
    fillGround(bmp, 40, 40);
    paintRect(bmp, 1, 1, 4, 4, kWaterPx);
    paintRect(bmp, 25, 25, 28, 28, kWaterPx);
    cMap m;
    ASSERT_TRUE(m.init(bmp));
    m.update(10);
    const auto water = [&](double seen) {
        return polygonsDrawn(m, [&] {
            projectOrtho(-1.0, seen, -1.0, seen, -10.0, 10.0);
            m.renderWater();
        });
    };
    glEnable(GL_LIGHTING);
    const int perCell = water(41.0) / 32;  // quads may reach feedback split in two
    ASSERT_GE(perCell, 1);
    EXPECT_EQ(water(41.0), 32 * perCell);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(water(10.0), 16 * perCell) << "the far pond's tile is out of view";
    m.setShowWater(false);
    EXPECT_EQ(water(41.0), 0) << "hidden water draws nothing";
}

TEST_F(Terrain, EveryTreeCellShowsAForestFloorThatStandsOutFromOpenGroundInSummerAndWinter) {
    // The left half all trees, none of them drawn (no models): only the floor tells them.
    cBitmap bmp;
    fillGround(bmp, 20, 20);
    paintRect(bmp, 0, 0, 9, 19, kTreePx);
    for (bool winter : {false, true}) {
        SCOPED_TRACE(winter ? "winter" : "summer");
        paint(bmp, 0, 19, winter ? kWhitePx : kTreePx);  // the season's pixel
        cMap m;
        ASSERT_TRUE(m.init(bmp));
        ASSERT_EQ(m.isWinter(), winter);
        // The game's light, projection and untouched camera, the map centred as a level does.
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        cRender().init();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 800.0 / 600.0, 1.0, 1000.0);
        glMatrixMode(GL_MODELVIEW);
        cCamera().render();
        glTranslatef(-10.0f, -10.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_LIGHTING);
        m.renderTerrain(nullptr);
        EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL)) << "later drawing keeps its own materials";

        GLdouble model[16], projection[16];
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        const auto colourAt = [&](double x, double y) {
            GLdouble wx = 0, wy = 0, wz = 0;
            gluProject(x, y, m.getHeight(static_cast<float>(x), static_cast<float>(y)), model, projection, viewport, &wx,
                       &wy, &wz);
            return pixelAt(static_cast<int>(wx), 599 - static_cast<int>(wy));  // GL counts rows from the bottom
        };
        // Cells on either side of the wood's edge, and one deep inside each part.
        for (double y : {8.5, 11.5}) {
            for (auto [wood, open] : {std::pair{9.5, 10.5}, {6.5, 13.5}}) {
                const auto floor = colourAt(wood, y), ground = colourAt(open, y);
                int most = 0;
                for (int c = 0; c < 3; ++c) most = std::max(most, ground[c] - floor[c]);
                EXPECT_GE(most, 30) << "at y " << y << ": floor " << floor[0] << "," << floor[1] << "," << floor[2]
                                    << " ground " << ground[0] << "," << ground[1] << "," << ground[2];
                EXPECT_GT(floor[0] + floor[1] + floor[2], 0) << "the floor is lit, not a hole";
            }
        }
        m.releaseGL();
    }
}

TEST_F(Terrain, FromFarAwayTheGroundIsDrawnInSquaresOfFourCellsWithoutCracks) {
    // Rows of trees along columns 1, 5, 9, 13 and 17: every other column of squares mixes two kinds.
    cBitmap bmp;
    fillGround(bmp, 20, 20);
    for (int c = 1; c < 20; c += 4) paintRect(bmp, c, 0, c, 19, kTreePx);
    cMap m;
    ASSERT_TRUE(m.init(bmp));
    // The game's projection, the map seen slanted from the given distance: at 165 a cell
    // spans under five pixels everywhere, at 40 well over.
    const auto look = [&](float distance) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 800.0 / 600.0, 1.0, 1000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(0, 0, -distance);
        glRotatef(-60, 1, 0, 0);
        glTranslatef(-10, -10, 0);
    };
    look(40);
    m.renderTerrain(nullptr);  // compiles the lists outside feedback mode
    const int near = polygonsFed([&] { m.renderTerrain(nullptr); });
    const int perQuad = near / 400;  // a renderer may feed a quad back as two triangles
    EXPECT_EQ(near, perQuad * 400);
    look(165);
    EXPECT_EQ(polygonsFed([&] { m.renderTerrain(nullptr); }), perQuad * (50 + 50 * 4))
        << "mixed squares keep their four cells";

    // No background shows through anywhere inside the field, though the heights are rough.
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    m.renderTerrain(nullptr);
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::vector<unsigned char> frame(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    int holes = 0;
    for (double y = 1.0; y <= 19.0; y += 0.05)
        for (double x = 1.0; x <= 19.0; x += 0.05) {
            GLdouble wx = 0, wy = 0, wz = 0;
            gluProject(x, y, m.getHeight(static_cast<float>(x), static_cast<float>(y)), model, projection, viewport,
                       &wx, &wy, &wz);
            const unsigned char* p = &frame[(static_cast<size_t>(wy) * 800 + static_cast<size_t>(wx)) * 4];
            if (p[0] == 255 && p[1] == 0 && p[2] == 255) ++holes;
        }
    EXPECT_EQ(holes, 0);
}
