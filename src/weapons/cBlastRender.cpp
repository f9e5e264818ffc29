// Drawing of the fireball that grenades and rockets leave behind.
#include "weapons/cBlast.h"

#include "platform/glutShapes.h"

#include <GL/gl.h>

void cBlast::drawFireball(float height) const {
    glPushMatrix();
    glTranslatef(x, y, height);
    glutShapeSphere(timer / 80.0 + 0.5, 10, 10);
    glPopMatrix();
}
