// Rocket launch, flight, explosion and the rocket list's own upkeep.
#include "weapons/cRocket.h"

#include "weapons/projectileChain.h"

cRocket::cRocket(float x_, float y_, float targetX_, float targetY_, float /*speed*/,
                 cRocket* next_)
    : cBlast(x_, y_, targetX_, targetY_), speed(kSpeed), fromX(x_), fromY(y_), next(next_) {
    if (range > kMaxRange) range = kMaxRange;
}

cRocket::~cRocket() { dispose(); }

void cRocket::dispose() {
    freeChain(next, &cRocket::next);
    next = nullptr;
}

void cRocket::update(int dt) {
    next = visitTailFirst(
        next, &cRocket::next, [dt](cRocket* r) { r->step(dt); },
        [](const cRocket* r) { return r->state == FINISHED; });
    step(dt);
}

void cRocket::step(int dt) {
    switch (state) {
    case FLYING: {
        fromX = x;
        fromY = y;
        time += dt;
        float flown = float(time) * speed / 1000.0f;
        if (flown > range) {
            land(startX + cosA * range, startY + sinA * range);
        } else {
            x = startX + cosA * flown;
            y = startY + sinA * flown;
        }
        break;
    }
    default:
        stepBlast(dt);
        break;
    }
}

void cRocket::addRocket(float x_, float y_, float targetX_, float targetY_, float speed_) {
    next = new cRocket(x_, y_, targetX_, targetY_, speed_, next);
    next->setSnd(snd);
}
