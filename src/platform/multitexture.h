// The ARB multitexture entry points, looked up through GLUT (needs a GL context).
//
// libGL exports functions named glActiveTextureARB, glMultiTexCoord2fARB and
// glClientActiveTextureARB, and <GL/gl.h> declares them. Our pointers therefore
// carry their own symbol names (orbixActiveTextureARB, ...), and the macros at
// the end of this header make the usual names, in every file that includes it,
// call through the pointers resolved at start-up. The header pulls in <GL/gl.h>
// first, so a later include of any GL header cannot re-declare those names.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

// Null until resolveMultitexture has run.
extern PFNGLACTIVETEXTUREARBPROC orbixActiveTextureARB;
extern PFNGLMULTITEXCOORD2FARBPROC orbixMultiTexCoord2fARB;
extern PFNGLCLIENTACTIVETEXTUREARBPROC orbixClientActiveTextureARB;

// Fills the three pointers; where GLUT answers null the GL 1.3 core entry point
// of the same function is taken instead.
void resolveMultitexture();

#define glActiveTextureARB orbixActiveTextureARB
#define glMultiTexCoord2fARB orbixMultiTexCoord2fARB
#define glClientActiveTextureARB orbixClientActiveTextureARB
