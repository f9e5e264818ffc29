// Aiming, landing and fireball timing shared by grenades and rockets.
#include "weapons/cBlast.h"

#include "shell/globals.h"
#include "world/cSoundEvents.h"

#include <cmath>

namespace {
constexpr int kExplosionSound = 7;
}

cBlast::cBlast(float x_, float y_, float targetX_, float targetY_)
    : startX(x_), startY(y_), x(x_), y(y_), targetX(targetX_), targetY(targetY_),
      time(0), timer(0), snd(nullptr), state(FLYING) {
    float radians = getAngle(targetX, targetY, x, y);
    sinA = std::sin(radians);
    cosA = std::cos(radians);
    angle = radians * 180.0f / float(M_PI);
    range = dist(x, y, targetX, targetY);
}

void cBlast::land(float atX, float atY) {
    x = atX;
    y = atY;
    state = BLAST_PENDING;
    if (snd) snd->emit(kExplosionSound);
}

void cBlast::stepBlast(int dt) {
    switch (state) {
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
