// The level's view context: minimap copies, the 64 x 64 resample and its texture upload.
#include "world/cGameSetup.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

void copyPixels(const cBitmap& from, cBitmap& to)
{
    to.resize(from.getWidth(), from.getHeight());
    const sRGBA* src = from.getBitmapS();
    std::copy(src, src + static_cast<size_t>(from.getWidth()) * from.getHeight(), to.getBitmapS());
}

} // namespace

cGameSetup::cGameSetup() : miniMapSaved(0, 0), miniMap(0, 0) {}

void cGameSetup::init()
{
    glGenTextures(1, &miniMapTex);
    glBindTexture(GL_TEXTURE_2D, miniMapTex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

void cGameSetup::saveMiniMap()
{
    copyPixels(miniMap, miniMapSaved);
}

void cGameSetup::initMiniMap()
{
    // Same size by contract; copying with the size keeps a mismatch from writing out of bounds.
    if (miniMap.getWidth() == miniMapSaved.getWidth() && miniMap.getHeight() == miniMapSaved.getHeight()) {
        const sRGBA* src = miniMapSaved.getBitmapS();
        std::copy(src, src + static_cast<size_t>(miniMap.getWidth()) * miniMap.getHeight(), miniMap.getBitmapS());
    } else {
        copyPixels(miniMapSaved, miniMap);
    }
}

void cGameSetup::shrinkMiniMap(cBitmap& out) const
{
    copyPixels(miniMap, out);
    out.stretch(miniMapTexSize);
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
