// GLUT clock and bitmap fonts behind the narrow interface of hudGlut.h.
#include "platform/hudGlut.h"

#include <GL/freeglut.h>

int hudElapsedMs() {
    return glutGet(GLUT_ELAPSED_TIME);
}

void hudBitmapText(eHudFont font, const char* text) {
    void* f = font == eHudFont::helvetica12    ? GLUT_BITMAP_HELVETICA_12
              : font == eHudFont::helvetica18  ? GLUT_BITMAP_HELVETICA_18
              : font == eHudFont::timesRoman24 ? GLUT_BITMAP_TIMES_ROMAN_24
                                               : GLUT_BITMAP_9_BY_15;
    for (const char* c = text; *c != '\0'; c++)
        glutBitmapCharacter(f, static_cast<unsigned char>(*c));
}
