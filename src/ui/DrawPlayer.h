// The spinning marker on the ground under the mouse.
#pragma once

// Draws the marker at (x, y) of the caller's 3D frame, turning it by speed
// times half a degree per call; the two integers are unused.
void DrawPlayer(int, int, float x, float y, int speed);
