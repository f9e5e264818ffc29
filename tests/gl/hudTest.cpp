// HUD widgets, projectiles and life meters against one reference picture; cursor, marker and muzzle flash read back.
#include "glTestSupport.h"

#include "assets/cMeshCont.h"
#include "assets/cTexture.h"
#include "shell/cRender.h"
#include "ui/DrawPlayer.h"
#include "platform/hudGlut.h"
#include "ui/cCursor.h"
#include "ui/cFPS.h"
#include "ui/cUI.h"
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"
#include "weapons/cAmmo.h"
#include "weapons/cBullet.h"
#include "world/cGameSetup.h"

#include "../unit/aseText.h"
#include "../unit/assetsTestFiles.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

const std::array<int, 3> kBlack{0, 0, 0};

// The fixed state the game sets once (smooth lines among others), then flat 2D drawing.
class Hud : public KeepsGlState {
protected:
    void SetUp() override {
        KeepsGlState::SetUp();
        cRender().init();
        projectOrtho(0, 800, 600, 0);  // window pixels, origin top-left, as the HUD draws
        glDisable(GL_DEPTH_TEST);
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

TEST_F(Hud, CardsMetersCounterAndProjectilesLookAsBefore) {
    cUI ui;
    ui.renderGroupUI(10, 0, 100, 7, true);  // a full squad's grenades: three digits
    // They stay inside their box: the text's colour within it, nothing in the gap after it.
    int inBox = 0;
    for (int y = 40; y < 56; y++) {
        for (int x = 26; x < 48; x++) inBox += pixelAt(x, y) == std::array<int, 3>{110, 145, 147};
        for (int x = 49; x < 52; x++) EXPECT_EQ(pixelAt(x, y), kBlack) << x << ", " << y;
    }
    EXPECT_GT(inBox, 10);
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

    // The frame counter at 186: 93 frames in the window that has just closed, so that the
    // frame render counts itself falls into the next one.
    while (hudElapsedMs() < 1200) usleep(10000);
    const int now = hudElapsedMs();
    cFPS fps;
    for (int t = now - 600; t < now - 600 + 93; t++) fps.count(t);
    fps.count(now);
    ASSERT_EQ(fps.getFPS(), 186u);
    fps.resize(800, 600);
    fps.show();
    fps.setOpaque(true);  // digits over dark squares
    fps.render();
    // Across the digits' upper half: the 1, both sides of the 8, the 6's left side, each
    // apart from the next so that the 1 is not read as part of the 8.
    std::vector<int> strokes;  // first column of each yellow run
    int last = -10;
    for (int x = 650; x < 800; x++) {
        if (pixelAt(x, 35) != std::array<int, 3>{255, 255, 0}) continue;
        if (x - last > 1) strokes.push_back(x);
        last = x;
    }
    ASSERT_EQ(strokes.size(), 4u);
    for (size_t i = 1; i < strokes.size(); i++) EXPECT_GE(strokes[i] - strokes[i - 1], 8) << "stroke " << i;
    EXPECT_LT(strokes.back(), 800 - 25) << "the last digit keeps its margin";

    // Looking down on the ground 0..8 x 0..6 in the lower right quarter, lit as in a level.
    glEnable(GL_LIGHTING);
    glViewport(400, 0, 400, 300);
    projectOrtho(0, 8, 0, 6, -10, 10);
    cAmmo ammo;
    ammo.addBullet(1.0f, 1.0f, 0.0f, 40.0f, 0);
    ammo.addBullet(3.0f, 1.0f, 0.0f, 40.0f, 1);
    ammo.addGrenade(5.0f, 3.0f, 7.0f, 3.0f, 15.0f);
    ammo.addRocket(1.5f, 4.5f, 6.5f, 4.5f, 30.0f);
    ammo.getBullets()->kill();  // the one at x = 3
    ammo.render();
    EXPECT_EQ(glInt(GL_MODELVIEW_STACK_DEPTH), 2) << "the projectiles give the matrix stack back";
    expectFrameLooksLike("hud");
}

// Both pulse or spin in real time, so they are read at a few pixels, not in a picture.
TEST_F(Hud, CursorTipSitsAtTheMouseAndTheGroundMarkerOnTheGround) {
    cCursor().render(300, 200, 800, 600);
    EXPECT_EQ(pixelAt(315, 215)[0], 255);
    EXPECT_EQ(pixelAt(340, 240), kBlack);
    EXPECT_EQ(pixelAt(295, 195), kBlack);

    glClear(GL_COLOR_BUFFER_BIT);
    projectOrtho(-2, 2, -2, 2, -10, 10);
    DrawPlayer(0, 0, 0, 0, 5);
    // Seen from above the pyramid covers the centre, apex colour there.
    EXPECT_GT(pixelAt(400, 300)[2], 150);
}

TEST_F(Hud, MuzzleFlashWritesNoDepthAndGivesTheStateBack) {
    assetsTest::ScratchDir dir;
    assetsTest::writeFile(dir.file("flame.ase"), aseText::scene() + aseText::square("BallFlame"));
    cMeshCont meshes;
    ASSERT_TRUE(meshes.flame.loadFromASE(dir.file("flame.ase").c_str(), 0, nullptr));
    cTexture textures;
    textures.flame = oneColourTexture(0, 255, 0);
    cEnemy unit(nullptr);
    unit.setCont(&textures, nullptr, &meshes);
    unit.move(0, 0);

    // Looking down on the unit, whose flash is a unit square and the only part with a mesh.
    glViewport(0, 0, 100, 100);
    projectOrtho(-2, 2, -2, 2);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    unit.fire();
    unit.cBall::render(); // the one unit, not the list
    std::vector<std::array<unsigned char, 3>> rgb(100 * 100);
    std::vector<GLfloat> depth(100 * 100);
    glReadPixels(0, 0, 100, 100, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glReadPixels(0, 0, 100, 100, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    EXPECT_GT(std::count(rgb.begin(), rgb.end(), std::array<unsigned char, 3>{0, 255, 0}), 100)
        << "the flash, turned as the unit faces, is drawn with its texture";
    EXPECT_EQ(*std::min_element(depth.begin(), depth.end()), 1.0f) << "but leaves no depth behind";

    GLboolean writes = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_TRUE(writes && glIsEnabled(GL_BLEND)) << "depth writes and blending are given back";
    glDeleteTextures(1, &textures.flame);
}
