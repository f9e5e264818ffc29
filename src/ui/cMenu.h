// Main menu between levels: slides in from the left and out again, four hit boxes, messages to its owner.
#pragma once

#include "assets/cBitmap.h"
#include "ui/iMenu.h"

#include <cstdint>

class cMenu {
public:
    // Menu states.
    enum { SHOWN = 0, SLIDING_OUT = 1, SLIDING_IN = 2, HIDDEN = 3 };

    cMenu();
    ~cMenu();
    cMenu(const cMenu&) = delete;
    cMenu& operator=(const cMenu&) = delete;

    // Stores the owner and loads the pictures and font (needs a GL context).
    void init(iMenu* newOwner);
    // The owner alone, for use without a display.
    void setOwner(iMenu* newOwner) { owner = newOwner; }

    void show() { state = SLIDING_IN; }
    void hide() { state = SLIDING_OUT; }
    // Window size; the anchor goes back off-screen until the next update.
    void resize(int w, int h);
    // Slide animation; sends message 0 when the slide-out ends.
    void update(int ms);
    // Background and the four item texts, whenever the anchor is inside the window.
    void render();

    // The campaign's pages draw with the menu's own picture and font (both need init):
    // the 512-pixel background centred on (cx, cy) at scale times its size, and a line of
    // text from (left, top), 23 pixels a character at scale 1, in colour 0 red, 1 white or
    // 2 green, over a dark shadow.
    bool isReady() const { return fontBase != 0; }
    void drawBackground(float cx, float cy, float scale) const;
    void drawText(const char* text, float left, float top, float scale, int colour) const;

    void onPassiveMotion(uint8_t mask, int mx, int my, int dx, int dy);
    // Acts on the hit box under (mx, my); the mask is not looked at.
    void onMouseClick(uint8_t mask, int mx, int my);

    int getState() const { return state; }
    int getX() const { return x; }
    int getY() const { return y; }
    int getHover() const { return hover; }

private:
    void releaseGL();
    // Hit box at window pixel (mx, my): 0 none, otherwise 1 to 4.
    int boxAt(int mx, int my) const;
    // Row of a hit box's text, counted from the top of the item block.
    static int rowOfHover(int h);

    cBitmap background;
    int width = 800, height = 600; // window size, pixels
    int x = -150, y = 300;         // anchor, window pixels, y down
    int speed = 1;                 // pixels per millisecond
    int state = HIDDEN;
    iMenu* owner = nullptr;        // not owned
    unsigned int fontBase = 0;     // first of 256 glyph lists, 0 until init
    unsigned int fontTex[3] = {};  // the font in red, white and green
    const char* items[4];
    int16_t itemDX = 100, itemDY = 100; // first hit box to the left of / above the anchor
    int16_t itemSpacing = 50;
    int16_t hover = 0;             // 0 none, otherwise the hit box 1 to 4
    unsigned int bkgList = 0;      // a 512 x 512 textured quad
    unsigned int bkgTex = 0;       // the background picture as a texture
};
