// Main menu resources and drawing: the background picture and the item texts in the three-colour font.
#include "ui/cMenu.h"

#include <GL/gl.h>

#include <cstring>

namespace {

void uploadRGBA(cBitmap& bmp) {
    glTexImage2D(GL_TEXTURE_2D, 0, 4, bmp.getWidth(), bmp.getHeight(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 bmp.getBitmap());
}

void linearFilters() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

} // namespace

void cMenu::init(iMenu* newOwner) {
    releaseGL();
    owner = newOwner;
    // A missing picture leaves the 1 x 1 bitmap: the menu still works, only plainer.
    background.loadFromFile("graphics/cornpoppy.bmp");

    glGenTextures(3, fontTex);
    cBitmap font(0, 0);
    font.loadFromFile("graphics/fonta.bmp");
    font.setAlpha(0, 0, 0, 0);
    font.swap();
    const unsigned char colours[3][3] = {{255, 0, 0}, {255, 255, 255}, {0, 255, 0}};
    for (int i = 0; i < 3; ++i) {
        glBindTexture(GL_TEXTURE_2D, fontTex[i]);
        linearFilters();
        font.setColorWhereAlpha(colours[i][0], colours[i][1], colours[i][2], 255);
        uploadRGBA(font);
    }

    fontBase = glGenLists(256);
    const float cell = 1.0f / 16;
    for (int c = 0; fontBase != 0 && c < 256; ++c) {
        float u = (c % 16) / 16.0f;
        float v = (c / 16) / 16.0f;
        glNewList(fontBase + c, GL_COMPILE);
        glBegin(GL_QUADS);
        glTexCoord2f(u, v);
        glVertex2i(0, 0);
        glTexCoord2f(u + cell, v);
        glVertex2i(20, 0);
        glTexCoord2f(u + cell, v + cell);
        glVertex2i(20, 20);
        glTexCoord2f(u, v + cell);
        glVertex2i(0, 20);
        glEnd();
        glTranslatef(23, 0, 0);
        glEndList();
    }

    bkgList = glGenLists(1);
    if (bkgList != 0) {
        glNewList(bkgList, GL_COMPILE);
        glBegin(GL_QUADS);
        glTexCoord2i(0, 0);
        glVertex2i(0, 0);
        glTexCoord2i(512, 0);
        glVertex2i(512, 0);
        glTexCoord2i(512, 512);
        glVertex2i(512, 512);
        glTexCoord2i(0, 512);
        glVertex2i(0, 512);
        glEnd();
        glEndList();
    }

    // Rows are turned so that the picture's top row comes first, at texture
    // coordinate 0, matching the quad's y-down corners.
    background.swap();
    glGenTextures(1, &bkgTex);
    glBindTexture(GL_TEXTURE_2D, bkgTex);
    linearFilters();
    uploadRGBA(background);
    background.swap();
}

void cMenu::releaseGL() {
    if (fontBase != 0) {
        glDeleteTextures(3, fontTex);
        glDeleteLists(fontBase, 256);
        fontBase = 0;
    }
    if (bkgList != 0) {
        glDeleteLists(bkgList, 1);
        bkgList = 0;
    }
    if (bkgTex != 0) {
        glDeleteTextures(1, &bkgTex);
        bkgTex = 0;
    }
}

namespace {

// The menu's own drawing state; the caller pops it.
void beginMenuDrawing() {
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_LIST_BIT | GL_TEXTURE_BIT | GL_TRANSFORM_BIT |
                 GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    glMatrixMode(GL_MODELVIEW);
}

} // namespace

void cMenu::drawBackground(float cx, float cy, float scale) const {
    if (bkgList == 0 || bkgTex == 0) return;
    beginMenuDrawing();
    // The quad's texel coordinates are brought back to 0..1 by the texture matrix.
    glBindTexture(GL_TEXTURE_2D, bkgTex);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glScalef(1.0f / 512, 1.0f / 512, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(cx - 256 * scale, cy - 256 * scale, 0);
    glScalef(scale, scale, 1);
    glCallList(bkgList);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

void cMenu::drawText(const char* text, float left, float top, float scale, int colour) const {
    if (fontBase == 0 || colour < 0 || colour > 2) return;
    beginMenuDrawing();
    // One picture serves the level and the menu: cell i holds character i + 32.
    glListBase(fontBase - 32);
    const GLsizei length = GLsizei(std::strlen(text));
    // A dark shadow keeps the letters readable on a bright picture.
    glBindTexture(GL_TEXTURE_2D, fontTex[1]);
    glColor4f(0, 0, 0, 0.8f);
    glPushMatrix();
    glTranslatef(left + 2, top + 2, 0);
    glScalef(scale, scale, 1);
    glCallLists(length, GL_UNSIGNED_BYTE, text);
    glPopMatrix();
    glBindTexture(GL_TEXTURE_2D, fontTex[colour]);
    glColor4f(1, 1, 1, 1);
    glPushMatrix();
    glTranslatef(left, top, 0);
    glScalef(scale, scale, 1);
    glCallLists(length, GL_UNSIGNED_BYTE, text);
    glPopMatrix();
    glPopAttrib();
}

void cMenu::render() {
    if (fontBase == 0 || x < 0 || x >= width || y < 0 || y >= height) return;
    // The picture centred on the item block, which spans 230 x 173 pixels from 100 left
    // of and above the anchor.
    drawBackground(float(x - 100 + 115), float(y - 100 + 86), 1);
    for (int i = 0; i < 4; ++i) {
        const int box = i + 1;
        drawText(items[i], float(x - itemDX), float(y - itemDY + itemSpacing * rowOfHover(box)), 1,
                 box == hover ? 2 : 1);
    }
}
