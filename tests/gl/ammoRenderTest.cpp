// Projectile drawing under a real context: what shows where, the colours, and a clean matrix stack.
#include "weapons/cAmmo.h"

#include "weapons/cBullet.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {
// Looking straight down on the ground from 0..16 x 0..12: 50 pixels a unit.
void topView() {
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 16, 0, 12, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

bool drawnAt(float x, float y) {
    GLfloat depth = 1.0f;
    glReadPixels(int(x * 50), int(y * 50), 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth < 1.0f;
}

void expectAmbient(float r, float g, float b) {
    GLfloat c[4];
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, c);
    EXPECT_NEAR(c[0], r, 1e-3);
    EXPECT_NEAR(c[1], g, 1e-3);
    EXPECT_NEAR(c[2], b, 1e-3);
    glGetMaterialfv(GL_BACK, GL_AMBIENT, c);
    EXPECT_NEAR(c[0], r, 1e-3);
}
}  // namespace

TEST(AmmoRender, DrawsEveryLiveProjectileWhereItIs) {
    cAmmo ammo;
    ammo.addBullet(2.0f, 2.0f, 0.0f, 40.0f, 0);
    ammo.addBullet(4.0f, 2.0f, 0.0f, 40.0f, 1);
    ammo.addGrenade(6.0f, 6.0f, 12.0f, 6.0f, 15.0f);
    ammo.addRocket(3.0f, 9.0f, 13.0f, 9.0f, 30.0f);
    ammo.update(0);
    ammo.getBullets()->kill();  // the newer bullet, at x = 4
    topView();
    GLint depthBefore = 0, depthAfter = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
    ammo.render();
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
    EXPECT_EQ(depthAfter, depthBefore);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    EXPECT_TRUE(drawnAt(2.0f, 2.0f));
    EXPECT_FALSE(drawnAt(4.0f, 2.0f));
    EXPECT_TRUE(drawnAt(6.0f, 6.0f));
    // The rocket's body trails behind its nose, towards its launch point.
    EXPECT_TRUE(drawnAt(2.7f, 9.0f));
    EXPECT_FALSE(drawnAt(8.0f, 9.0f));
    // Rockets are drawn last, in their own colour.
    expectAmbient(238 / 255.0f, 46 / 255.0f, 253 / 255.0f);
}

TEST(AmmoRender, FireballGrowsWithItsTimerAndVanishesWhenFinished) {
    cAmmo ammo;
    ammo.addGrenade(8.0f, 6.0f, 8.0f, 6.0f, 15.0f);
    ammo.update(10);
    ammo.getGrenades()->explode();
    topView();
    ammo.render();
    EXPECT_TRUE(drawnAt(8.0f, 6.0f));
    EXPECT_FALSE(drawnAt(9.2f, 6.0f));  // radius 0.5 at first
    expectAmbient(43 / 255.0f, 247 / 255.0f, 236 / 255.0f);

    for (int i = 0; i < 5; i++) ammo.update(20);
    topView();
    ammo.render();
    EXPECT_TRUE(drawnAt(9.2f, 6.0f));  // radius 1.75 at 100 ms

    ammo.update(20);
    EXPECT_EQ(ammo.getGrenades(), nullptr);
    topView();
    ammo.render();
    EXPECT_FALSE(drawnAt(8.0f, 6.0f));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(AmmoRender, BulletsAloneUseTheGreyMaterial) {
    cAmmo ammo;
    ammo.addBullet(5.0f, 5.0f, 90.0f, 40.0f, 0);
    topView();
    ammo.render();
    expectAmbient(0.5f, 0.5f, 0.5f);
    EXPECT_TRUE(drawnAt(5.0f, 5.0f));
}
