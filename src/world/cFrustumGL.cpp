// Reading the view volume from the current GL matrices.
#include <GL/gl.h>

#include "world/cFrustum.h"

cFrustum cFrustum::current() {
    float projection[16], modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    return cFrustum(projection, modelView);
}
