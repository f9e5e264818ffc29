// Unit drawing under a real GL context: the life meter's pixels and a unit drawn with empty content.
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"

#include "assets/cMeshCont.h"
#include "assets/cTexture.h"
#include "world/cGameSetup.h"

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

    gs.showLifeMeters = false;
    enemy.renderLM();
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

} // namespace
