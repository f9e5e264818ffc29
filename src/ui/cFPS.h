// Frame-rate counter drawn with line-segment digits in the top-right corner.
#pragma once

#include <cstdint>

class cFPS {
public:
    void resize(int w, int h);
    // Counts the frame and draws the counter when shown.
    void render();
    // Counts one frame drawn at time now (ms); every window of at least half a
    // second sets the value shown to its frame count doubled.
    void count(int now);
    void show() { shown = true; }
    void hide() { shown = false; }
    bool isShown() const { return shown; }
    void setOpaque(bool on) { opaque = on; }
    bool getOpaque() const { return opaque; }
    unsigned getFPS() const { return fps; }
    // Whether the value is drawn in yellow (at or above the threshold) or red.
    bool isGood() const { return fps >= threshold; }
    // One digit as a line strip in a 0.5 x 1 cell of the current matrix.
    static void renderNumber(unsigned char c);

private:
    int32_t rightMargin = 25;  // pixels from the last digit to the window's right edge
    int32_t top = 25;          // pixels
    int32_t width = 800;
    int32_t height = 600;
    bool shown = false;
    int32_t now = 0;           // ms since GLUT started
    int32_t windowStart = 0;   // ms
    uint32_t frames = 0;
    uint32_t fps = 0;
    bool opaque = false;
    uint32_t threshold = 10;
};
