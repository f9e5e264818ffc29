// Terrain drawing: the ground's display list over rebuilds, the ground material and the water cells drawn.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../unit/aseText.h"
#include "../unit/assetsTestFiles.h"
#include "assets/cBitmap.h"
#include "assets/cMeshCont.h"
#include "world/cMap.h"

namespace {

void fillMap(cBitmap& bmp, int w, int h) {
    bmp.resize(w, h);
    for (int i = 0; i < w * h; ++i) bmp.getBitmapS()[i] = sRGBA(120, 90, 60, 255);
}

// Counts the polygons that draw() sends down the pipeline, through feedback mode
// under a projection that shows the whole map.
template <typename Draw>
int polygonsDrawn(const cMap& m, Draw draw) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1.0, m.getX() + 1.0, -1.0, m.getY() + 1.0, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    int polygons = 0;
    for (GLint i = 0; i < used;) {
        if (buffer[i] == GL_POLYGON_TOKEN) {
            const int corners = static_cast<int>(buffer[i + 1]);
            ++polygons;
            i += 2 + corners * 3;
        } else {
            ++i;
        }
    }
    return polygons;
}

int waterPolygons(const cMap& m, const cPoint* view) {
    return polygonsDrawn(m, [&] { m.renderWater(view); });
}

// Drawing leaves lighting, blending and materials as the game expects them; the
// tests that follow ours must find the state they started with.
class MapRender : public testing::Test {
protected:
    void SetUp() override { glPushAttrib(GL_ALL_ATTRIB_BITS); }
    void TearDown() override { glPopAttrib(); }
};

}  // namespace

TEST_F(MapRender, GroundListIsBuiltWhenDrawnAndReplacedOnRebuild) {
    std::srand(1);
    cBitmap bmp;
    fillMap(bmp, 8, 8);
    cMap m;
    ASSERT_TRUE(m.init(bmp));
    EXPECT_EQ(m.getGroundList(), 0u) << "building a map needs no GL";
    m.renderTerrain(nullptr);
    const unsigned first = m.getGroundList();
    ASSERT_NE(first, 0u);
    EXPECT_TRUE(glIsList(first));
    m.renderTerrain(nullptr);
    EXPECT_EQ(m.getGroundList(), first) << "compiled once, not per frame";

    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(m.init(bmp));
        m.renderTerrain(nullptr);
    }
    const unsigned last = m.getGroundList();
    EXPECT_TRUE(glIsList(last));
    for (unsigned name = first; name < last; ++name) EXPECT_FALSE(glIsList(name)) << name;

    m.releaseGL();
    EXPECT_FALSE(glIsList(last));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MapRender, GroundTakesSnowOnWinterMapsAndGrassOtherwise) {
    cBitmap bmp;
    fillMap(bmp, 4, 4);
    cMap m;
    GLfloat ambient[4];
    ASSERT_TRUE(m.init(bmp));
    m.renderTerrain(nullptr);
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    EXPECT_FLOAT_EQ(ambient[0], 138 / 255.0f);
    EXPECT_FLOAT_EQ(ambient[1], 198 / 255.0f);

    bmp.getBitmapS()[4 * 3] = sRGBA(255, 255, 255, 255);
    ASSERT_TRUE(m.init(bmp));
    m.renderTerrain(nullptr);
    glGetMaterialfv(GL_BACK, GL_AMBIENT, ambient);
    EXPECT_FLOAT_EQ(ambient[0], 232 / 255.0f);
    EXPECT_FLOAT_EQ(ambient[2], 1.0f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    m.releaseGL();
}

TEST_F(MapRender, WaterCoversTheCellsWithEveryCornerWetWithinTheView) {
    std::srand(2);
    cBitmap bmp;
    fillMap(bmp, 6, 6);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 4; ++c) bmp.getBitmapS()[r * 6 + c] = sRGBA(0, 0, 255, 255);
    cMap m;
    ASSERT_TRUE(m.init(bmp));
    m.update(10);

    const int perCell = waterPolygons(m, nullptr) / 16;  // quads may reach feedback split in two
    ASSERT_GE(perCell, 1);
    EXPECT_EQ(waterPolygons(m, nullptr), 16 * perCell);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    const cPoint low[2] = {cPoint(-5.0, -5.0), cPoint(1.5, 1.5)};  // rows and columns 0 and 1
    EXPECT_EQ(waterPolygons(m, low), 1 * perCell);
    const cPoint high[2] = {cPoint(3.2, 3.2), cPoint(100.0, 100.0)};  // 3 to the last
    EXPECT_EQ(waterPolygons(m, high), 4 * perCell);
    const cPoint beyond[2] = {cPoint(1e30, -1e30), cPoint(-1e30, 1e30)};
    EXPECT_EQ(waterPolygons(m, beyond), 0);

    // Hidden water draws nothing and touches no state.
    m.setShowWater(false);
    glEnable(GL_LIGHTING);
    glBlendFunc(GL_ONE, GL_ZERO);
    EXPECT_EQ(waterPolygons(m, nullptr), 0);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    GLint src = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    EXPECT_EQ(src, GL_ONE);
}

TEST_F(MapRender, TreesAreCulledToTheViewWithItsEdgesIncluded) {
    assetsTest::ScratchDir dir;
    const std::string path = dir.file("tree.ASE");
    assetsTest::writeFile(path, aseText::scene() + aseText::square("Part"));
    cMeshCont meshes;
    for (auto& kind : meshes.trees)
        for (cMesh& part : kind) ASSERT_TRUE(part.loadFromASE(path.c_str(), 0, nullptr));

    std::srand(3);
    cBitmap bmp;
    fillMap(bmp, 8, 8);
    for (int i = 0; i < 64; ++i) bmp.getBitmapS()[i] = sRGBA(0, 0, 0, 255);
    cMap m;
    m.setMeshCont(&meshes);
    ASSERT_TRUE(m.init(bmp));
    ASSERT_GT(m.getTreeCount(), 2);
    const auto drawn = [&](const cPoint* view) { return polygonsDrawn(m, [&] { m.renderTerrain(view); }); };

    const cPoint nowhere[2] = {cPoint(50.0, 50.0), cPoint(60.0, 60.0)};
    const int ground = drawn(nowhere);
    ASSERT_GT(ground, 0);
    const int perTree = (drawn(nullptr) - ground) / m.getTreeCount();
    ASSERT_GT(perTree, 0) << "every tree draws its stem and top";

    // A view shrunk to the second tree's own position still draws it, and it alone.
    const sTree& t = m.getTrees()[1];
    const cPoint exact[2] = {cPoint(t.x, t.y), cPoint(t.x, t.y)};
    EXPECT_EQ(drawn(exact) - ground, perTree);

    const cPoint lowHalf[2] = {cPoint(-1.0, -1.0), cPoint(7.0, 3.0)};
    int inLowHalf = 0;
    for (int i = 0; i < m.getTreeCount(); ++i) inLowHalf += m.getTrees()[i].y <= 3.0f ? 1 : 0;
    EXPECT_EQ(drawn(lowHalf) - ground, inLowHalf * perTree);
    m.releaseGL();
}
