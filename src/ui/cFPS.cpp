// Frame-rate counter: half-second measuring windows and digits drawn as line strips.
#include "ui/cFPS.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "platform/hudGlut.h"

namespace {
// Digits are half a cell wide; a 1 sits on its right edge, so with less room between
// them it reads as part of the next digit (186 as 86).
constexpr float kAdvance = 0.85f;

struct sDigit {
    int n;
    float p[7][2];
};

// Points of each digit's strip, x to the right, y downwards.
const sDigit digits[10] = {
    {5, {{0, 1}, {0.5f, 1}, {0.5f, 0}, {0, 0}, {0, 1}}},
    {2, {{0.5f, 1}, {0.5f, 0}}},
    {6, {{0.5f, 1}, {0, 1}, {0, 0.5f}, {0.5f, 0.5f}, {0.5f, 0}, {0, 0}}},
    {7, {{0, 1}, {0.5f, 1}, {0.5f, 0.5f}, {0, 0.5f}, {0.5f, 0.5f}, {0.5f, 0}, {0, 0}}},
    {4, {{0.5f, 1}, {0.5f, 0.5f}, {0, 0.5f}, {0, 0}}},
    {6, {{0, 1}, {0.5f, 1}, {0.5f, 0.5f}, {0, 0.5f}, {0, 0}, {0.5f, 0}}},
    {6, {{0.5f, 0}, {0, 0}, {0, 1}, {0.5f, 1}, {0.5f, 0.5f}, {0, 0.5f}}},
    {3, {{0.5f, 1}, {0.5f, 0}, {0, 0}}},
    {7, {{0.5f, 0.5f}, {0, 0.5f}, {0, 1}, {0.5f, 1}, {0.5f, 0}, {0, 0}, {0, 0.5f}}},
    {6, {{0, 1}, {0.5f, 1}, {0.5f, 0}, {0, 0}, {0, 0.5f}, {0.5f, 0.5f}}},
};
}

void cFPS::resize(int w, int h) {
    width = w;
    height = h;
}

void cFPS::count(int t) {
    frames++;
    now = t;
    if (now - windowStart > 499) {
        windowStart = now;
        fps = frames * 2;
        frames = 0;
    }
}

void cFPS::renderNumber(unsigned char c) {
    const sDigit& d = c >= '1' && c <= '9' ? digits[c - '0'] : digits[0];
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < d.n; i++)
        glVertex3f(d.p[i][0], d.p[i][1], 0);
    glEnd();
}

void cFPS::render() {
    count(hudElapsedMs());
    if (!shown)
        return;
    char text[16];
    std::snprintf(text, sizeof(text), "%u", fps);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glScalef(1, -1, 1);
    glTranslatef(0, static_cast<float>(-height), 0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // Right-aligned, so a third digit grows the counter leftwards rather than off the window.
    const float digitsWide = (static_cast<float>(std::strlen(text)) - 1) * kAdvance + 0.5f;
    glTranslatef(static_cast<float>(width - rightMargin) - 30 * digitsWide, static_cast<float>(top), 0);
    glScalef(30, 30, 1);
    if (opaque) {
        glPushMatrix();
        glColor3f(0, 0, 0);
        for (const char* c = text; *c != '\0'; c++) {
            glBegin(GL_QUADS);
            glVertex2f(-0.2f, -0.2f);
            glVertex2f(0.7f, -0.2f);
            glVertex2f(0.7f, 1.2f);
            glVertex2f(-0.2f, 1.2f);
            glEnd();
            glTranslatef(kAdvance, 0, 0);
        }
        glPopMatrix();
    }
    glLineWidth(2);
    if (isGood())
        glColor3f(1, 1, 0);
    else
        glColor3f(1, 0, 0);
    for (const char* c = text; *c != '\0'; c++) {
        renderNumber(static_cast<unsigned char>(*c));
        glTranslatef(kAdvance, 0, 0);
    }

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
