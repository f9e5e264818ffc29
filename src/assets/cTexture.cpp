// Loading, keying and uploading the texture set.
#include "assets/cTexture.h"

#include "assets/cBitmap.h"

#include <GL/gl.h>

#include <cstdio>

namespace {

const char* const moodNames[cTexture::numMoods] = {"smile", "angry", "laught", "cry", "talk"};

void fileLine(const char* path)
{
    std::fprintf(stderr, "       %s .. ", path);
}

void result(bool ok)
{
    std::fprintf(stderr, "%s\n", ok ? "OK" : "FAILED");
}

} // namespace

cTexture::cTexture() : filter(GL_NEAREST) {}

void cTexture::keyBitmap(cBitmap& bitmap)
{
    bitmap.setAlpha(255);
    bitmap.setAlpha(255, 0, 255, 0);
    bitmap.aa(3);
}

void cTexture::createTex(unsigned* id, cBitmap* bitmap)
{
    if (!id || !bitmap)
        return;
    glGenTextures(1, id);
    glBindTexture(GL_TEXTURE_2D, *id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, bitmap->getWidth(), bitmap->getHeight(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 bitmap->getBitmap());
}

bool cTexture::createTex(unsigned* id, const char* path)
{
    fileLine(path);
    cBitmap bitmap(0, 0);
    bool ok = bitmap.loadFromFile(path);
    if (ok)
        createTex(id, &bitmap);
    result(ok);
    return ok;
}

void cTexture::createKeyedTex(unsigned* id, const char* path, cBitmap& work)
{
    fileLine(path);
    bool ok = work.loadFromFile(path);
    if (ok) {
        keyBitmap(work);
        createTex(id, &work);
    }
    result(ok);
}

bool cTexture::load()
{
    cBitmap work(0, 0);
    std::fprintf(stderr, "cTexture: Loading texture .. \n");
    createTex(&pistol, "textures/pistol.bmp");
    std::fprintf(stderr, "cTexture: Loading texture .. \n");
    createTex(&bazooka, "textures/bazooka.bmp");
    createKeyedTex(&flame, "textures/flame.bmp", work);
    char name[64];
    for (int i = 0; i < numFrames; ++i) {
        std::snprintf(name, sizeof name, "textures/wink%d.bmp", i + 1);
        createKeyedTex(&wink[i], name, work);
    }
    // The smile has one frame, shown for all seven.
    createKeyedTex(&faces[0][0], "textures/smile1.bmp", work);
    for (int f = 1; f < numFrames; ++f)
        faces[0][f] = faces[0][0];
    for (int m = 1; m < numMoods; ++m)
        for (int f = 0; f < numFrames; ++f) {
            std::snprintf(name, sizeof name, "textures/%s%d.bmp", moodNames[m], f + 1);
            createKeyedTex(&faces[m][f], name, work);
        }
    return true;
}
