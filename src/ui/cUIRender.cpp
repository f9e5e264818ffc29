// Squad panel drawing in window pixels (origin top-left, y down).
#include "ui/cUI.h"

#include <GL/gl.h>

#include "platform/hudGlut.h"

namespace {
void quad(int x0, int y0, int x1, int y1) {
    glVertex2i(x0, y0);
    glVertex2i(x1, y0);
    glVertex2i(x1, y1);
    glVertex2i(x0, y1);
}

void rgb(unsigned char r, unsigned char g, unsigned char b) {
    glColor3ub(r, g, b);
}

void drawIcon(cBitmap& icon, int x, int y) {
    glRasterPos2i(x, y);
    glDrawPixels(icon.getWidth(), icon.getHeight(), GL_RGBA, GL_UNSIGNED_BYTE, icon.getBitmap());
}
}

void cUI::renderGroupUI(int y, int, int grenades, int rockets, bool rocketSelected) {
    // The panel's gradients need smooth shading; the console's shade model holds elsewhere.
    glPushAttrib(GL_LIGHTING_BIT);
    glShadeModel(GL_SMOOTH);
    glBegin(GL_QUADS);
    rgb(220, 181, 37);
    quad(0, y, 100, y + 20);
    rgb(147, 108, 37);
    quad(1, y + 1, 100, y + 20);
    const int boxX[2] = {6, 52};
    for (int i = 0; i < 2; i++) {
        const bool selected = (i == 1) == rocketSelected;
        if (selected)
            rgb(184, 217, 220);
        else
            rgb(73, 108, 110);
        quad(boxX[i], y + 20, boxX[i] + 42, y + 50);
        if (selected)
            rgb(110, 145, 147);
        else
            rgb(37, 72, 73);
        quad(boxX[i] + 1, y + 21, boxX[i] + 42, y + 50);
    }
    glEnd();
    glPopAttrib();

    drawIcon(grenadeIcon, 8, y + 48);
    drawIcon(rocketIcon, 54, y + 49);

    char text[4];
    const int counts[2] = {grenades, rockets};
    const int textX[2] = {27, 73};
    for (int i = 0; i < 2; i++) {
        formatCount(counts[i], text);
        // Three large digits would reach into the next box: a full squad carries 100.
        const eHudFont font = text[2] != '\0' ? eHudFont::helvetica12 : eHudFont::helvetica18;
        rgb(0, 0, 0);
        glRasterPos2i(textX[i], y + 43);
        hudBitmapText(font, text);
        if ((i == 1) == rocketSelected)
            rgb(255, 255, 255);
        else
            rgb(110, 145, 147);
        glRasterPos2i(textX[i] - 1, y + 42);
        hudBitmapText(font, text);
    }
}

void cUI::renderSoldierUI(int y, const char* name, float life, bool highlight) {
    const int b = lifeBar(life);
    glPushAttrib(GL_LIGHTING_BIT);
    glShadeModel(GL_SMOOTH);
    glBegin(GL_QUADS);
    if (b <= 0) {
        rgb(192, 192, 192);
        quad(0, y, 100, y + 40);
        rgb(255, 255, 255);
        quad(87, y + 6, 89, y + 28);
        quad(82, y + 12, 94, y + 14);
    } else {
        rgb(184, 255, 159);
        quad(0, y, b - 3, y + 40);
        rgb(192, 192, 192);
        quad(b + 3, y, 100, y + 40);
        rgb(184, 255, 159);
        glVertex2i(b - 3, y);
        rgb(192, 192, 192);
        glVertex2i(b + 3, y);
        glVertex2i(b + 3, y + 40);
        rgb(184, 255, 159);
        glVertex2i(b - 3, y + 40);
    }
    glEnd();
    glPopAttrib();

    glLineWidth(3);
    if (highlight)
        rgb(255, 0, 0);
    else
        rgb(125, 125, 125);
    glBegin(GL_LINES);
    glVertex2i(0, y);
    glVertex2i(100, y);
    glVertex2i(0, y + 40);
    glVertex2i(100, y + 40);
    glVertex2i(100, y);
    glVertex2i(100, y + 40);
    glEnd();

    rgb(0, 0, 0);
    glRasterPos2i(6, y + 30);
    hudBitmapText(eHudFont::timesRoman24, name != nullptr ? name : "");
}
