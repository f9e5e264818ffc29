// Drawing of every projectile, each kind in its own colour.
#include "weapons/cAmmo.h"

#include "weapons/cBullet.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"

#include <GL/gl.h>

namespace {
void setAmbient(float r, float g, float b) {
    const GLfloat colour[4] = {r, g, b, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, colour);
}
}  // namespace

void cAmmo::render() {
    if (bullets) {
        setAmbient(0.5f, 0.5f, 0.5f);
        bullets->render();
    }
    if (grenades) {
        setAmbient(43 / 255.0f, 247 / 255.0f, 236 / 255.0f);
        grenades->render();
    }
    if (rockets) {
        setAmbient(238 / 255.0f, 46 / 255.0f, 253 / 255.0f);
        rockets->render();
    }
}
