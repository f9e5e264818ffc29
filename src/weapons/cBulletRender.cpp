// Drawing of one bullet.
#include "weapons/cBullet.h"

#include <GL/gl.h>
#include <GL/glut.h>

void cBullet::draw() const {
    if (!alive) return;
    glPushMatrix();
    glTranslatef(x, y, 0.5f);
    glutSolidSphere(0.1, 10, 10);
    glPopMatrix();
}
