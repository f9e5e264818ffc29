// Looks up the ARB multitexture entry points through GLUT (needs a GL context).
#pragma once

// Fills the three pointers of shell/appGlobals.h; where GLUT answers null the
// GL 1.3 core entry point of the same function is taken instead.
void resolveMultitexture();
