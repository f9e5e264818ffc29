// HUD widgets, projectiles and life meters drawn into the test window: one reference
// picture, and the two widgets that move on their own (cursor pulse, marker spin) read back.
#include "referenceImage.h"
#include "windowPixels.h"

#include "shell/cRender.h"
#include "ui/DrawPlayer.h"
#include "ui/cCursor.h"
#include "ui/cUI.h"
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"
#include "weapons/cAmmo.h"
#include "weapons/cBullet.h"
#include "world/cGameSetup.h"

#include <GL/gl.h>

#include <array>

namespace {

// Every test starts on black and gives the GL state back.
class Hud : public ReferenceTest {
protected:
    void SetUp() override {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        cRender().init();  // the fixed state the game sets once: smooth lines among others
        glViewport(0, 0, 800, 600);
        projectWindowPixels();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override { glPopAttrib(); }
    // Red, green and blue at window position (x, y), origin top-left.
    static std::array<int, 3> at(int x, int y) {
        unsigned char p[4] = {0, 0, 0, 0};
        glReadPixels(x, 599 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return {p[0], p[1], p[2]};
    }
};

class HudPicture : public Hud {
    void SetUp() override {
        ReferenceTest::SetUp();
        if (!IsSkipped()) Hud::SetUp();
    }
};

// The life meter of a unit at window x, y (y upwards) under identity matrices.
void drawMeter(cBall& unit, cGameSetup& gs, float x, float y) {
    unit.setGS(&gs);
    unit.move(x / 400.0f - 1.0f, y / 300.0f - 1.0f);
    unit.setZ(-4.0f);  // the meter floats 4 units above the unit
    unit.renderLM();
}

}  // namespace

TEST_F(HudPicture, CardsMetersAndProjectilesLookAsBefore) {
    cUI ui;
    ui.renderGroupUI(10, 0, 5, 7, true);
    ui.renderSoldierUI(100, "Ann", 50, false);
    ui.renderSoldierUI(150, "Bob", 0.5f, true);  // fallen: a cross over the card

    static int winHeight = 600;
    cGameSetup gs;
    for (int i = 0; i < 16; i++) gs.modelview[i] = gs.projection[i] = (i % 5 == 0) ? 1.0 : 0.0;
    gs.viewport[2] = 800;
    gs.viewport[3] = 600;
    gs.pWinHeight = &winHeight;
    gs.showLifeMeters = true;
    cPlayerBall soldier(true);
    soldier.hurt(50.0f);
    drawMeter(soldier, gs, 300, 500);
    cEnemy enemy(nullptr), weak(nullptr), dying(nullptr);
    drawMeter(enemy, gs, 400, 500);
    weak.hurt(99.0f);  // life 1: no bar at all
    drawMeter(weak, gs, 500, 500);
    dying.hurt(104.0f);  // no meter
    drawMeter(dying, gs, 600, 500);

    // Looking down on the ground 0..16 x 0..12 in the lower right quarter, lit as in a level.
    glEnable(GL_LIGHTING);
    glViewport(400, 0, 400, 300);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 16, 0, 12, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    cAmmo ammo;
    ammo.addBullet(2.0f, 2.0f, 0.0f, 40.0f, 0);
    ammo.addBullet(4.0f, 2.0f, 0.0f, 40.0f, 1);
    ammo.addGrenade(6.0f, 6.0f, 12.0f, 6.0f, 15.0f);
    ammo.addRocket(3.0f, 9.0f, 13.0f, 9.0f, 30.0f);
    ammo.getBullets()->kill();  // the one at x = 4
    GLint before = 0, after = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &before);
    ammo.render();
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    expectFrameLooksLike("hud");
}

TEST_F(Hud, CursorTipSitsAtTheMouseAndRestoresTheMatrices) {
    cCursor cursor;
    glTranslatef(5, 5, 0);
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    cursor.render(300, 200, 800, 600);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; i++) EXPECT_EQ(before[i], after[i]);
    EXPECT_EQ(at(315, 215)[0], 255);
    EXPECT_EQ(at(340, 240), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(at(295, 195), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(Hud, GroundMarkerTouchesTheGroundWithItsPoint) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2, 2, -2, 2, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    DrawPlayer(0, 0, 0, 0, 5);
    // Seen from above the pyramid covers the centre, apex colour there.
    EXPECT_GT(at(400, 300)[2], 150);
    EXPECT_EQ(at(20, 20), (std::array<int, 3>{0, 0, 0}));
}
