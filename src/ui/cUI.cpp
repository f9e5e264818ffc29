// The squad panel's icons, counts, life bars and weapon-box hit test; the drawing is in cUIRender.cpp.
#include "ui/cUI.h"

#include <cstdio>

bool cUI::init() {
    grenadeIcon.loadFromFile("graphics/grenade.bmp");
    return rocketIcon.loadFromFile("graphics/rocket.bmp");
}

void cUI::dispose() {
    grenadeIcon.resize(0, 0);
    rocketIcon.resize(0, 0);
}

void cUI::formatCount(int n, char (&out)[4]) {
    std::snprintf(out, sizeof(out), "%2d", n < 0 ? 0 : (n > 999 ? 999 : n));
}

int cUI::lifeBar(float life) {
    if (life < 0)
        life = 0;
    if (life > 100)
        life = 100;
    return static_cast<int>(life * 100.0f / 100.0f);
}

int cUI::testMouseHit(int x, int y) {
    if (y < 30 || y >= 61)
        return hitNothing;
    if (x >= 6 && x < 49)
        return hitGrenade;
    if (x >= 52 && x < 95)
        return hitRocket;
    return hitNothing;
}
