// The camera's view transform on the GL model-view matrix.
#include "shell/cCamera.h"

#include <GL/gl.h>

void cCamera::render() const {
    glTranslatef(0, 0, z);
    glRotatef(angleX, 1, 0, 0);
    glRotatef(angleZ, 0, 0, 1);
    glTranslatef(x, y, 0);
}
