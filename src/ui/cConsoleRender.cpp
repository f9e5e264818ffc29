// Console drawing: the font texture built from GLUT's 9x15 font, the panel, the text and the cursor.
#include "ui/cConsole.h"

#include "platform/hudGlut.h"

#include <GL/gl.h>

#include <cstdio>

namespace {

// Window pixels from the top-left corner, y downwards.
void pixelProjection(int w, int h) {
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glScalef(1, -1, 1);
    glTranslatef(0, float(-h), 0);
}

void bitmapText(int px, int py, const char* text) {
    glRasterPos2i(px, py);
    hudBitmapText(eHudFont::fixed9x15, text);
}

} // namespace

void cConsole::createFont() {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glClear(GL_COLOR_BUFFER_BIT);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    pixelProjection(winWidth, winHeight);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor3f(1, 1, 1);

    // A 16-column sheet of 16x16 cells, each glyph's baseline on its cell's bottom line.
    for (int c = 32; c <= 126; ++c) {
        int k = c - 32;
        const char glyph[2] = {char(c), '\0'};
        bitmapText(16 * (k % 16), 16 * (1 + k / 16), glyph);
    }

    glEnable(GL_TEXTURE_2D);
    glGenTextures(1, &fontTexture);
    glBindTexture(GL_TEXTURE_2D, fontTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // The region's top edge lies 3 pixels below the window's top, so a cell spans
    // 13 pixels above a baseline and 3 below it.
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, winHeight - 259, 256, 256, 0);

    fontBase = glGenLists(95);
    const float cell = 1.0f / 16;
    for (int k = 0; fontBase != 0 && k < 95; ++k) {
        float u = (k % 16) / 16.0f;
        float v = (k / 16) / 16.0f;
        glNewList(fontBase + k, GL_COMPILE);
        glBegin(GL_QUADS);
        glTexCoord2f(u, 1 - v - cell);
        glVertex2i(0, 16);
        glTexCoord2f(u + cell, 1 - v - cell);
        glVertex2i(16, 16);
        glTexCoord2f(u + cell, 1 - v);
        glVertex2i(16, 0);
        glTexCoord2f(u, 1 - v);
        glVertex2i(0, 0);
        glEnd();
        glTranslatef(9, 0, 0);
        glEndList();
    }

    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
    bFontCreated = true;
}

void cConsole::destroyFont() {
    if (fontBase != 0) glDeleteLists(fontBase, 95);
    glDeleteTextures(1, &fontTexture);
    fontBase = 0;
    fontTexture = 0;
    bFontCreated = false;
}

bool cConsole::render() {
    if (!bFontCreated) {
        createFont();
        return false;
    }
    timeAct = hudElapsedMs();
    update(timeAct - timeLast);
    timeLast = timeAct;
    if (state == HIDDEN) return true;

    // Whatever the 3D pass left on (lighting, a second texture unit's state) must
    // not tint the panel, so the enables are saved and restored around it.
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_LIST_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    pixelProjection(winWidth, winHeight);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    if (lines.empty()) renderNoBuffer();
    else renderText();

    glPopAttrib();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    return true;
}

void cConsole::callRow(const std::string& row) const {
    // Codes without a glyph draw nothing and do not advance; they must never
    // reach glCallLists, where they would select lists that are not ours.
    // Blanks only advance: a software renderer pays for every list call, and
    // most of a console is blank.
    char glyphs[512];
    size_t n = 0;
    int skip = 0; // pixels of blanks not yet advanced over
    auto flush = [&] {
        glCallLists(GLsizei(n), GL_UNSIGNED_BYTE, glyphs);
        n = 0;
    };
    for (char c : row) {
        unsigned char u = (unsigned char)c;
        if (u == ' ') {
            skip += 9;
        } else if (u > 32 && u <= 126) {
            if (skip > 0) {
                flush();
                glTranslatef(float(skip), 0, 0);
                skip = 0;
            }
            glyphs[n++] = c;
            if (n == sizeof glyphs) flush();
        }
    }
    flush();
}

void cConsole::renderText() {
    glColor4ub(bkgColor[0], bkgColor[1], bkgColor[2], bkgColor[3]);
    glBegin(GL_QUADS);
    glVertex2i(x, y);
    glVertex2i(x + width, y);
    glVertex2i(x + width, y + height);
    glVertex2i(x, y + height);
    glEnd();
    if (fontBase == 0) return;

    glEnable(GL_TEXTURE_2D);
    glListBase(fontBase - 32);
    glBindTexture(GL_TEXTURE_2D, fontTexture);
    // First a shadow one pixel down and right, darkening what lies under each glyph (the
    // glyph sheet has no alpha: the black around the glyphs keeps what is there): life
    // meters and snow shine through the translucent panel and would swallow the letters.
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    renderRows(1);
    // Then the text itself, additive: the black around each glyph adds nothing.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(textColor[0], textColor[1], textColor[2], 1.0f);
    renderRows(0);
}

void cConsole::renderRows(int offset) const {
    // Oldest line at the top, the line being written at the bottom.
    glLoadIdentity();
    glTranslatef(float(x + 15 + offset), float(y + 15 + offset), 0);
    int i = curLine;
    for (int n = 1; n < rows; ++n) {
        i = i + 1 > rows - 1 ? 1 : i + 1;
        glPushMatrix();
        callRow(lines[i]);
        glPopMatrix();
        glTranslatef(0, 16, 0);
    }

    int yc = y + 16 * rows - 1 + offset;
    glLoadIdentity();
    glTranslatef(float(x + 15 + offset), float(yc), 0);
    callRow(lines[0]);
    glLoadIdentity();
    glTranslatef(float(x + 6 + offset), float(yc), 0);
    glCallList(fontBase + ('>' - 32));
    if (blinkTime % 1000 < 500) {
        glLoadIdentity();
        glTranslatef(float(x + 15 + 9 * cmdPos + offset), float(yc), 0);
        glCallList(fontBase + ('_' - 32));
    }
}

void cConsole::renderNoBuffer() {
    glColor4ub(245, 142, 137, 200);
    glBegin(GL_QUADS);
    glVertex2i(x, y);
    glVertex2i(x + 320, y);
    glVertex2i(x + 320, y + 70);
    glVertex2i(x, y + 70);
    glEnd();
    if (blinkTime % 1000 >= 500) return;

    char hint[64];
    std::snprintf(hint, sizeof hint, "Press [%c] or [%c] to close.", toggleKeys[0], toggleKeys[1]);
    glColor3f(1, 1, 1);
    // The write column belongs to the text that was lost, so the lines start at the margin.
    bitmapText(x + 15, y + 30, "ERROR: Can't create text buffer.");
    bitmapText(x + 15, y + 46, hint);
}
