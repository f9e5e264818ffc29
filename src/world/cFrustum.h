// The view volume as six planes, for leaving out boxes that cannot reach the screen.
#pragma once

class cFrustum {
public:
    // From column-major projection and model-view matrices, as OpenGL stores them.
    cFrustum(const float* projection, const float* modelView);
    // The view volume of the current GL matrices; needs a GL context.
    static cFrustum current();

    // True only when the axis-aligned box low..high lies wholly beyond one plane, so
    // nothing in it can be drawn; a small margin keeps rounding from dropping a box
    // that touches an edge.
    bool outside(const float* low, const float* high) const;

private:
    float plane[6][4];  // (a, b, c, d): a point is inside when a x + b y + c z + d >= 0
};
