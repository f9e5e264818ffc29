// Main menu behaviour: the slide, the hit boxes and the messages to the owner.
#include "ui/cMenu.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

const char* const strMenu[4] = {" New Game ", " Settings ", "  Score!  ", "  Quit    "};

int clampInt(long long v) {
    return int(std::clamp(v, (long long)INT_MIN, (long long)INT_MAX));
}

} // namespace

cMenu::cMenu() : background(0, 0), y(height / 2) {
    std::copy(std::begin(strMenu), std::end(strMenu), items);
}

cMenu::~cMenu() {
    releaseGL();
}

void cMenu::resize(int w, int h) {
    width = w;
    height = h;
    x = -150;
    y = height / 2;
}

void cMenu::update(int ms) {
    long long step = (long long)speed * ms;
    switch (state) {
    case SHOWN:
        x = width / 2;
        y = height / 2;
        break;
    case SLIDING_OUT:
        x = clampInt(x - step);
        if (x < -150) {
            state = HIDDEN;
            if (owner) owner->msgMenu(0);
        }
        break;
    case SLIDING_IN:
        // Turning to the slide-out first is what makes the menu a short pass
        // between levels unless one tick carries it all the way in.
        state = SLIDING_OUT;
        x = clampInt(x + step);
        if (x > width / 2) {
            x = width / 2;
            state = SHOWN;
        }
        break;
    default:
        x = -150;
        y = height / 2;
        break;
    }
}

void cMenu::onPassiveMotion(uint8_t, int mx, int my, int, int) {
    hover = int16_t(boxAt(mx, my));
}

int cMenu::boxAt(int mx, int my) const {
    double a = double(x) - itemDX;
    double b = double(y) - itemDY;
    double len = 23.0 * double(std::strlen(items[0]));
    double px = mx, py = my;
    auto inside = [&](double x0, double x1, double y1) {
        return px >= x0 && px <= x1 && py >= b && py <= y1;
    };
    if (inside(a, a + len, b + 23)) return 1;
    if (inside(a, a + len, b + 23 + itemSpacing)) return 4;
    if (inside(a + 23, a - 23 + len, b + 23 + 2 * itemSpacing)) return 3;
    if (inside(a + 46, a - 46 + len, b + 23 + 3 * itemSpacing)) return 2;
    return 0;
}

void cMenu::onMouseClick(uint8_t, int mx, int my) {
    if (!owner) return;
    // The box under the click itself: the hover may be stale (the pointer last
    // crossed "Quit" while the menu slid out), and a stale one must not quit.
    const int box = boxAt(mx, my);
    if (box == 1) owner->msgMenu(2);
    else if (box == 4) owner->msgMenu(1);
}

int cMenu::rowOfHover(int h) {
    // The boxes are nested bands tested top down: " New Game " (1) owns the top
    // row, then "Quit" (4), "Score!" (3) and "Settings" (2).
    return h == 1 ? 0 : 5 - h;
}
