// Whether a triangle mesh is a closed surface wound counter-clockwise seen from outside: then
// its back faces are always hidden behind its front ones and the renderer may skip them.
#pragma once

// corners: faces x 3 corners x (x, y, z). True when every edge of every triangle is met by
// another triangle running along it the other way (corners match by their exact bits) and
// the surface encloses a positive volume, which an inside-out one does not.
bool isClosedSurface(const float* corners, int faces);
