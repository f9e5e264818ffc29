// Rocket launch, flight, explosion and the rocket list's own upkeep.
#include "weapons/cRocket.h"

#include "assets/cSound.h"
#include "shell/globals.h"
#include "weapons/projectileChain.h"

#include <cmath>

namespace {
constexpr int kExplosionSound = 7;
}

cRocket::cRocket(float x_, float y_, float targetX_, float targetY_, float /*speed*/,
                 cRocket* next_)
    : startX(x_), startY(y_), x(x_), y(y_), targetX(targetX_), targetY(targetY_),
      speed(kSpeed), time(0), timer(0), snd(nullptr), state(FLYING), next(next_) {
    float radians = getAngle(targetX, targetY, x, y);
    sinA = std::sin(radians);
    cosA = std::cos(radians);
    angle = radians * 180.0f / float(M_PI);
    range = dist(x, y, targetX, targetY);
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
        time += dt;
        float flown = float(time) * speed / 1000.0f;
        if (flown > range) {
            x = startX + cosA * range;
            y = startY + sinA * range;
            state = BLAST_PENDING;
            if (snd) snd->play(kExplosionSound);
        } else {
            x = startX + cosA * flown;
            y = startY + sinA * flown;
        }
        break;
    }
    case BLAST_PENDING:
        timer = 0;
        break;
    case EXPLODING:
        timer += dt;
        if (timer > kFireballTime) state = FINISHED;
        break;
    default:
        break;
    }
}

void cRocket::render() {
    next = visitTailFirst(
        next, &cRocket::next, [](const cRocket* r) { r->draw(); },
        [](const cRocket*) { return false; });
    draw();
}

void cRocket::addRocket(float x_, float y_, float targetX_, float targetY_, float speed_) {
    next = new cRocket(x_, y_, targetX_, targetY_, speed_, next);
    next->setSnd(snd);
}
