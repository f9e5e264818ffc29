// The squad panel: weapon selector with grenade and rocket counts, soldier cards, weapon-box hit test.
#pragma once

#include "assets/cBitmap.h"

class cUI {
public:
    enum { hitGrenade = 0, hitRocket = 1, hitNothing = 2 };

    // Loads both icons; answers the second load (callers ignore it).
    bool init();
    void dispose();
    // The selector with its top at y; the second argument is unused (the panel's
    // left edge is always x = 0).
    void renderGroupUI(int y, int, int grenades, int rockets, bool rocketSelected);
    // One soldier card 100 x 40 with its top at y; life in 0..100.
    void renderSoldierUI(int y, const char* name, float life, bool highlight);
    // Which weapon box of a panel drawn at y = 10 holds window pixel (x, y).
    static int testMouseHit(int x, int y);

    // Text of a count as the panel writes it: clamped to 0..999, at least two wide.
    static void formatCount(int n, char (&out)[4]);
    // Length of a card's life bar in pixels; 0 or less marks a fallen soldier.
    static int lifeBar(float life);

private:
    cBitmap grenadeIcon;
    cBitmap rocketIcon;
};
