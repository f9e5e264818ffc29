// Program-wide state owned by the window layer: the controller, window size,
// mouse state, timing mode and the ARB multitexture entry points.
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
#include <cstdint>

class cGame;

// The one controller, created by main and never replaced.
extern cGame* game;
// Client size of the window in pixels; 800 x 600 until the first reshape.
extern int xWin, yWin;
// Mouse lock: passive moves warp the pointer back to the window centre.
extern bool bLockMouse;
// Update and redraw as fast as the display loop runs instead of on the timer.
extern bool bFullPowerMode;
// Buttons held: 1 left, 2 middle, 4 right.
extern uint8_t mouseState;
// Last pointer position seen by any mouse callback (pixels, origin top-left).
extern int xMLast, yMLast;

// Null until resolveMultitexture (platform/multitexture.h) has run.
extern PFNGLACTIVETEXTUREARBPROC orbixActiveTextureARB;
extern PFNGLMULTITEXCOORD2FARBPROC orbixMultiTexCoord2fARB;
extern PFNGLCLIENTACTIVETEXTUREARBPROC orbixClientActiveTextureARB;

#define glActiveTextureARB orbixActiveTextureARB
#define glMultiTexCoord2fARB orbixMultiTexCoord2fARB
#define glClientActiveTextureARB orbixClientActiveTextureARB
