// Drawing of the bullet list.
#include "weapons/cBullet.h"

#include "weapons/projectileChain.h"

#include "platform/glutShapes.h"

#include <GL/gl.h>

void cBullet::draw() const {
    if (!alive) return;
    glPushMatrix();
    glTranslatef(x, y, 0.5f);
    glutShapeSphere(0.1, 10, 10);
    glPopMatrix();
}

void cBullet::render() {
    next = visitTailFirst(
        next, &cBullet::next, [](const cBullet* b) { b->draw(); },
        [](const cBullet*) { return false; });
    draw();
}
