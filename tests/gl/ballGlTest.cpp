// Unit drawing under a real GL context: the life meter's pixels, the muzzle flash, a unit with empty content.
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

constexpr int kW = 800, kH = 600;

// Draws the meter of a unit at the window's centre and returns one pixel row through it.
std::vector<unsigned char> meterRow(cBall& unit, cGameSetup& gs, int winHeight) {
    for (int i = 0; i < 16; i++) gs.modelview[i] = gs.projection[i] = (i % 5 == 0) ? 1.0 : 0.0;
    gs.viewport[0] = gs.viewport[1] = 0;
    gs.viewport[2] = kW;
    gs.viewport[3] = kH;
    gs.pWinHeight = &winHeight;
    gs.showLifeMeters = true;
    unit.setGS(&gs);
    unit.move(0, 0);
    unit.setZ(-4.0f); // the meter floats 4 units above: the projected point is the window's centre

    glViewport(0, 0, kW, kH);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kW, kH, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    unit.renderLM();
    glFinish();
    std::vector<unsigned char> row(kW * 4);
    glReadPixels(0, kH / 2, kW, 1, GL_RGBA, GL_UNSIGNED_BYTE, row.data());
    return row;
}

void countColours(const std::vector<unsigned char>& row, int& white, int& bar, int& red) {
    white = bar = red = 0;
    for (int x = 0; x < kW; x++) {
        const unsigned char* p = &row[x * 4];
        if (p[0] > 200 && p[1] > 200 && p[2] > 200) white++;
        else if (p[1] > 150 && p[0] < 40) bar++;
        else if (p[0] > 150 && p[1] < 40) red++;
    }
}

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

TEST_F(BallGl, LifeMeterShrinksWithLife) {
    cGameSetup gs;
    cPlayerBall soldier(true);
    soldier.hurt(50.0f);
    int white, green, red;
    countColours(meterRow(soldier, gs, kH), white, green, red);
    EXPECT_EQ(green, 28);
    EXPECT_EQ(white, 60 - 28);

    cEnemy enemy(nullptr);
    countColours(meterRow(enemy, gs, kH), white, green, red);
    EXPECT_EQ(red, 56);

    enemy.hurt(99.0f); // life 1: a bar of no pixels
    countColours(meterRow(enemy, gs, kH), white, green, red);
    EXPECT_EQ(red, 0);
    EXPECT_EQ(white, 60);

    enemy.hurt(5.0f);
    countColours(meterRow(enemy, gs, kH), white, green, red);
    EXPECT_EQ(white, 0); // a dying unit shows no meter
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

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
