// ARB multitexture lookup through GLUT, with the GL 1.3 core functions as fallback.
#include "platform/multitexture.h"

#include <GL/freeglut.h>

PFNGLACTIVETEXTUREARBPROC orbixActiveTextureARB = nullptr;
PFNGLMULTITEXCOORD2FARBPROC orbixMultiTexCoord2fARB = nullptr;
PFNGLCLIENTACTIVETEXTUREARBPROC orbixClientActiveTextureARB = nullptr;

void resolveMultitexture() {
    orbixActiveTextureARB =
        reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(glutGetProcAddress("glActiveTextureARB"));
    orbixMultiTexCoord2fARB =
        reinterpret_cast<PFNGLMULTITEXCOORD2FARBPROC>(glutGetProcAddress("glMultiTexCoord2fARB"));
    orbixClientActiveTextureARB = reinterpret_cast<PFNGLCLIENTACTIVETEXTUREARBPROC>(
        glutGetProcAddress("glClientActiveTextureARB"));
    if (!orbixActiveTextureARB) orbixActiveTextureARB = &::glActiveTexture;
    if (!orbixMultiTexCoord2fARB) orbixMultiTexCoord2fARB = &::glMultiTexCoord2f;
    if (!orbixClientActiveTextureARB) orbixClientActiveTextureARB = &::glClientActiveTexture;
}
