// Drawing of one bullet.
#include "weapons/cBullet.h"

#include "platform/glutShapes.h"

#include <GL/gl.h>

void cBullet::draw() const {
    if (!alive) return;
    glPushMatrix();
    glTranslatef(x, y, 0.5f);
    glutShapeSphere(0.1, 10, 10);
    glPopMatrix();
}
