// Program-wide state owned by the window layer: the controller, window size,
// mouse state and timing mode; the multitexture entry points come with it.
#pragma once

// First, so that every GL header after it sees the multitexture names as our pointers.
#include "platform/multitexture.h"

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
