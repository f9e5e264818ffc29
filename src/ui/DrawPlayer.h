// The spinning marker on the ground under the mouse.
#pragma once

// Draws the marker at (x, y) of the caller's 3D frame, turning it by speed
// times half a degree per call; the two integers are unused.
void DrawPlayer(int, int, float x, float y, int speed);

// The marker's angle after one more call: angle plus speed half-degrees, kept
// within [0, 360) so that it turns for as long as the game runs.
float nextMarkerAngle(float angle, int speed);
