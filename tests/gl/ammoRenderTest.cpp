// Projectile drawing under a real context: what shows where, the colours, and a clean matrix stack.
#include "weapons/cAmmo.h"

#include "weapons/cBullet.h"

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
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

bool drawnAt(float x, float y) {
    GLfloat depth = 1.0f;
    glReadPixels(int(x * 50), int(y * 50), 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth < 1.0f;
}
}  // namespace

TEST(AmmoRender, DrawsEveryLiveProjectileWhereItIs) {
    cAmmo ammo;
    ammo.addBullet(2.0f, 2.0f, 0.0f, 40.0f, 0);
    ammo.addBullet(4.0f, 2.0f, 0.0f, 40.0f, 1);
    ammo.addGrenade(6.0f, 6.0f, 12.0f, 6.0f, 15.0f);
    ammo.addRocket(3.0f, 9.0f, 13.0f, 9.0f, 30.0f);
    ammo.getBullets()->kill();  // the one at x = 4
    topView();
    GLint before = 0, after = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &before);
    ammo.render();
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_TRUE(drawnAt(2.0f, 2.0f));
    EXPECT_FALSE(drawnAt(4.0f, 2.0f));
    EXPECT_TRUE(drawnAt(6.0f, 6.0f));
    EXPECT_TRUE(drawnAt(2.7f, 9.0f));  // the body trails behind the nose
    // Rockets are drawn last, in their own colour.
    GLfloat c[4];
    glGetMaterialfv(GL_BACK, GL_AMBIENT, c);
    EXPECT_NEAR(c[1], 46 / 255.0f, 1e-3);
}

