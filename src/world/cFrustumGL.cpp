// Reading the view volume from the current GL matrices and viewport.
#include <GL/gl.h>

#include "world/cFrustum.h"

cFrustum cFrustum::current() {
    float projection[16], modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return cFrustum(projection, modelView, viewport[3]);
}
