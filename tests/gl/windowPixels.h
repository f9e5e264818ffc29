// The projection the HUD and the menus draw under, shared by the drawing tests.
#pragma once

#include <GL/gl.h>

// Window pixels of the 800 x 600 game window with the origin at the top left; model-view reset.
inline void projectWindowPixels() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 800, 0, 600, -1, 1);
    glScalef(1, -1, 1);
    glTranslatef(0, -600, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
