// Drawing of the grenade list: each thrown teapot, then its fireball.
#include "weapons/cGrenade.h"

#include "weapons/projectileChain.h"

#include "platform/glutShapes.h"

#include <GL/gl.h>

void cGrenade::draw() const {
    if (state == FLYING || state == BLAST_PENDING) {
        glPushMatrix();
        glTranslatef(x, y, z);
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        glutShapeTeapot(0.25);
        glPopMatrix();
    } else if (state == EXPLODING) {
        drawFireball(z);
    }
}

void cGrenade::render() {
    next = visitTailFirst(
        next, &cGrenade::next, [](const cGrenade* g) { g->draw(); },
        [](const cGrenade*) { return false; });
    draw();
}
