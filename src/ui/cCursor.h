// The drawn mouse pointer: a triangle whose tip pulses between red and white.
#pragma once

#include <cstdint>

class cCursor {
public:
    // The pointer at window pixel (x, y) of a w x h window.
    void render(int x, int y, int w, int h);
    // Advances the shared pulse to time t (ms); answers its level, 0 red to 1 white.
    float pulse(int t);

private:
    int32_t visible = 1;
    int32_t now = 0;   // ms since GLUT started
    int32_t last = 0;  // ms
};
