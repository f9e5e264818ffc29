// The view volume as six planes, for leaving out boxes that cannot reach the screen.
#pragma once

class cFrustum {
public:
    // From column-major projection and model-view matrices, as OpenGL stores them, and
    // the viewport's height in pixels (0 when unknown: no size on screen is then known).
    cFrustum(const float* projection, const float* modelView, int viewportHeight = 0);
    // The view volume of the current GL matrices and viewport; needs a GL context.
    static cFrustum current();

    // True only when the axis-aligned box low..high lies wholly beyond one plane, so
    // nothing in it can be drawn; a small margin keeps rounding from dropping a box
    // that touches an edge.
    bool outside(const float* low, const float* high) const;

    // Pixels one world unit spans on screen at the point of the box nearest the eye, under
    // a perspective projection such as the game's: the most detail anything in the box can
    // show. Infinite when the box reaches the eye's plane or the viewport is unknown, so that
    // nothing is ever drawn with less detail than it might need.
    float pixelsPerUnit(const float* low, const float* high) const;

private:
    float plane[6][4];  // (a, b, c, d): a point is inside when a x + b y + c z + d >= 0
    float depth[4];     // a point's distance in front of the eye is depth . (x, y, z, 1)
    float unitPixels;   // pixels a unit spans at distance one
};
