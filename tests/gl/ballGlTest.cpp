// Unit drawing under a real GL context: the muzzle flash, a unit with empty content.
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"

#include "assets/cMeshCont.h"
#include "assets/cTexture.h"
#include "world/cGameSetup.h"

#include "../unit/aseText.h"
#include "../unit/assetsTestFiles.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// Every test leaves the GL state and matrices as it found them.
class BallGl : public ::testing::Test {
protected:
    void SetUp() override {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
    }
    void TearDown() override {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib();
    }
};

TEST_F(BallGl, DrawingWithEmptyContentKeepsTheMatrixStack) {
    cMeshCont meshes; // nothing loaded
    cTexture textures;
    cGameSetup gs;
    gs.miniMap.resize(16, 16);
    gs.showMiniMap = true;
    cPlayerBall squad(true);
    squad.setCont(&textures, nullptr, &meshes);
    squad.setGS(&gs);
    squad.move(5.5f, 5.5f);
    squad.addSoldier();
    squad.fire();
    GLint before = 0, after = 0;
    glMatrixMode(GL_MODELVIEW);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &before);
    for (int i = 0; i < 10; i++) {
        squad.lodInc();
        squad.render();
    }
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
    EXPECT_EQ(before, after);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_TRUE(gs.miniMap.getBitmapS()[5 * 16 + 5] == sRGBA(0, 255, 30, 255));
    squad.removeSoldier();
}

TEST_F(BallGl, MuzzleFlashWritesNoDepthAndGivesTheStateBack) {
    assetsTest::ScratchDir dir;
    assetsTest::writeFile(dir.file("flame.ase"), aseText::scene() + aseText::square("BallFlame"));
    cMeshCont meshes;
    ASSERT_TRUE(meshes.flame.loadFromASE(dir.file("flame.ase").c_str(), 0, nullptr));
    cTexture textures;
    cEnemy unit(nullptr);
    unit.setCont(&textures, nullptr, &meshes);
    unit.move(0, 0);

    // Looking down on the unit, whose flash is a unit square and the only part with a mesh.
    glViewport(0, 0, 100, 100);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2, 2, -2, 2, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    unit.fire();
    unit.cBall::render(); // the one unit, not the list
    glFinish();
    std::vector<unsigned char> colour(100 * 100 * 4);
    std::vector<GLfloat> depth(100 * 100);
    glReadPixels(0, 0, 100, 100, GL_RGBA, GL_UNSIGNED_BYTE, colour.data());
    glReadPixels(0, 0, 100, 100, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    int lit = 0, deep = 0;
    for (int i = 0; i < 100 * 100; i++) {
        lit += colour[4 * i] > 100;
        deep += depth[i] < 1.0f;
    }
    EXPECT_GT(lit, 100) << "the flash is drawn";
    EXPECT_EQ(deep, 0) << "but leaves no depth behind";

    GLboolean writes = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_EQ(writes, GL_TRUE);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint src = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    EXPECT_EQ(src, GL_ONE);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

} // namespace
