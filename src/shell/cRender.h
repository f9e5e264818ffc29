// The fixed graphics state set once at start-up: alignment, clear values,
// depth test, shading, one light and the default material.
#pragma once

class cRender {
public:
    // Needs a current GL context; runs before any texture or mesh is built.
    void init();
};
