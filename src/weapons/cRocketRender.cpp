// Drawing of the rocket list: each flying cone, then its fireball.
#include "weapons/cRocket.h"

#include "weapons/projectileChain.h"

#include "platform/glutShapes.h"

#include <GL/gl.h>
#include <GL/glu.h>

void cRocket::draw() const {
    if (state == FLYING || state == BLAST_PENDING) {
        // One quadric serves every rocket for the whole run.
        static GLUquadric* qobj = gluNewQuadric();
        if (!qobj) return;
        glPushMatrix();
        glTranslatef(x, y, kHeight);
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
        glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
        gluCylinder(qobj, 0.08, 0.15, 0.7, 3, 2);
        glPopMatrix();
    } else if (state == EXPLODING) {
        drawFireball(kHeight);
    }
}

void cRocket::render() {
    next = visitTailFirst(
        next, &cRocket::next, [](const cRocket* r) { r->draw(); },
        [](const cRocket*) { return false; });
    draw();
}
