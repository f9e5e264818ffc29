// Bullet flight and the bullet list's own upkeep.
#include "weapons/cBullet.h"

#include "weapons/projectileChain.h"

#include <cmath>

cBullet::cBullet(float x_, float y_, float angle_, float speed_, int type_, cBullet* next_)
    : startX(x_), startY(y_), x(x_), y(y_), fromX(x_), fromY(y_), angle(angle_), speed(speed_), time(0),
      range(kRange), alive(true), type(type_), next(next_) {
    float radians = angle * float(M_PI) / 180.0f;
    sinA = std::sin(radians);
    cosA = std::cos(radians);
}

cBullet::~cBullet() { dispose(); }

void cBullet::dispose() {
    freeChain(next, &cBullet::next);
    next = nullptr;
}

void cBullet::update(int dt) {
    next = visitTailFirst(
        next, &cBullet::next, [dt](cBullet* b) { b->step(dt); },
        [](const cBullet* b) { return !b->alive; });
    step(dt);
}

void cBullet::step(int dt) {
    if (!alive) return;
    time += dt;
    float flown = float(time) * speed / 1000.0f;
    if (flown > range) {
        // Dies where it was last seen, so a hit test never looks past the range.
        alive = false;
        return;
    }
    fromX = x;
    fromY = y;
    x = startX + cosA * flown;
    y = startY + sinA * flown;
}

void cBullet::addBullet(float x_, float y_, float angle_, float speed_, int type_) {
    next = new cBullet(x_, y_, angle_, speed_, type_, next);
}
