// Cursor drawing with a one-second pulse each way, shared by every cursor.
#include "ui/cCursor.h"

#include <GL/gl.h>

#include "platform/hudGlut.h"

namespace {
float c1 = 0.0f;  // pulse level
int c1dir = 1;    // 1 rising, 0 falling
}

float cCursor::pulse(int t) {
    now = t;
    const int dt = now - last;
    last = now;
    const float s = static_cast<float>(dt) * 0.001f;
    if (c1dir == 1) {
        c1 += s;
        if (c1 > 1.0f) {
            c1dir = 0;
            c1 = 1.0f;
        }
    } else {
        c1 -= s;
        if (c1 < 0.0f) {
            c1dir = 1;
            c1 = 0.0f;
        }
    }
    return c1;
}

void cCursor::render(int x, int y, int w, int h) {
    const float level = pulse(hudElapsedMs());
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glScalef(1, -1, 1);
    glTranslatef(0, static_cast<float>(-h), 0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    if (visible) {
        glTranslatef(static_cast<float>(x), static_cast<float>(y), 0);
        // The gradient needs smooth shading; the console's shade model must
        // still hold for everything else.
        glPushAttrib(GL_LIGHTING_BIT);
        glShadeModel(GL_SMOOTH);
        glBegin(GL_TRIANGLES);
        glColor3f(1, level, level);
        glVertex2i(0, 0);
        glColor3f(1, 1, 1);
        glVertex2i(35, 20);
        glVertex2i(20, 35);
        glEnd();
        glPopAttrib();
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
