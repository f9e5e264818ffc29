// The level's message font: building and releasing its lists and textures.
#include "level/cLevelFont.h"

#include <GL/gl.h>

#include <cstdio>

#include "assets/cBitmap.h"

namespace {
const char* const fontFile = "graphics/fonta.bmp";
}

cLevelFont::~cLevelFont() {
    if (base != 0) {
        glDeleteLists(base, 256);
        glDeleteTextures(3, tex);
    }
}

void cLevelFont::build() {
    glGenTextures(3, tex);
    cBitmap font(0, 0);
    if (!font.loadFromFile(fontFile))
        std::fprintf(stderr, "cLevel: cannot read the font \"%s\"; messages stay invisible.\n", fontFile);
    font.swap();
    font.setAlpha(0, 0, 0, 0);
    static const unsigned char colours[3][3] = {{255, 0, 0}, {255, 255, 0}, {255, 255, 255}};
    for (int i = 0; i < 3; i++) {
        glBindTexture(GL_TEXTURE_2D, tex[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        font.setColorWhereAlpha(colours[i][0], colours[i][1], colours[i][2], 255);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, font.getWidth(), font.getHeight(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     font.getBitmap());
    }
    base = glGenLists(256);
    for (int i = 0; i < 256; i++) {
        const float u = static_cast<float>(i % 16) / 16.0f;
        const float v = static_cast<float>(i / 16) / 16.0f;
        glNewList(base + i, GL_COMPILE);
        glBegin(GL_QUADS);
        glTexCoord2f(u, v);
        glVertex2i(0, 0);
        glTexCoord2f(u + 0.0625f, v);
        glVertex2i(20, 0);
        glTexCoord2f(u + 0.0625f, v + 0.0625f);
        glVertex2i(20, 20);
        glTexCoord2f(u, v + 0.0625f);
        glVertex2i(0, 20);
        glEnd();
        glTranslatef(23, 0, 0);
        glEndList();
    }
}
