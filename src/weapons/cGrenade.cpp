// Grenade throw, flight, landing and the grenade list's own upkeep.
#include "weapons/cGrenade.h"

#include "weapons/projectileChain.h"

#include <cmath>

cGrenade::cGrenade(float x_, float y_, float targetX_, float targetY_, float /*speed*/,
                   cGrenade* next_)
    : cBlast(x_, y_, targetX_, targetY_), z(0.5f), next(next_) {
    if (range > kMaxRange) {
        range = kMaxRange;
        targetX = x + cosA * kMaxRange;
        targetY = y + sinA * kMaxRange;
    }
    // The 45-degree launch speed that comes down at distance range.
    speed = std::sqrt(range * kGravity / std::sin(float(M_PI) / 2.0f));
}

cGrenade::~cGrenade() { dispose(); }

void cGrenade::dispose() {
    freeChain(next, &cGrenade::next);
    next = nullptr;
}

void cGrenade::update(int dt) {
    next = visitTailFirst(
        next, &cGrenade::next, [dt](cGrenade* g) { g->step(dt); },
        [](const cGrenade* g) { return g->state == FINISHED; });
    step(dt);
}

void cGrenade::step(int dt) {
    switch (state) {
    case FLYING: {
        time += dt;
        float t = float(time) / 1000.0f;
        float along = std::cos(float(M_PI) / 4.0f) * speed * t;
        z = 0.5f + std::sin(float(M_PI) / 4.0f) * speed * t - kGravity * t * t / 2.0f;
        // A throw at the thrower's own feet has no flight to wait for: with
        // range 0 nothing is ever flown past it, and it would sink for ever.
        if (along > range || range <= 0.0f) {
            land(targetX, targetY);
        } else {
            x = startX + cosA * along;
            y = startY + sinA * along;
        }
        break;
    }
    default:
        stepBlast(dt);
        break;
    }
}

void cGrenade::addGrenade(float x_, float y_, float targetX_, float targetY_, float speed_) {
    next = new cGrenade(x_, y_, targetX_, targetY_, speed_, next);
    next->setSnd(snd);
}
