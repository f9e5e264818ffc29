// The view context's minimap texture: its name and the upload of the 64 x 64 resample.
#include "world/cGameSetup.h"

#include <GL/gl.h>

void cGameSetup::init()
{
    glGenTextures(1, &miniMapTex);
    glBindTexture(GL_TEXTURE_2D, miniMapTex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void cGameSetup::createMiniMapTex()
{
    cBitmap small(0, 0);
    shrinkMiniMap(small);
    glBindTexture(GL_TEXTURE_2D, miniMapTex);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, miniMapTexSize, miniMapTexSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 small.getBitmap());
}
