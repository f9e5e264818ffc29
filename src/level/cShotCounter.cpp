// Telling new squad bullets from those already in flight.
#include "level/cShotCounter.h"

#include "level/cLevel.h"
#include "weapons/cBullet.h"

#include <algorithm>

void cShotCounter::afterTick(cLevel& level) {
    // A bullet freed in one tick cannot hand its address to a bullet fired in the
    // next before that tick's own freeing, so a pointer seen last tick is that bullet.
    now.clear();
    for (const cBullet* b = level.getAmmo().getBullets(); b != nullptr; b = b->getNext())
        if (b->getType() == 0)
            now.push_back(b);
    std::sort(now.begin(), now.end());
    for (const cBullet* b : now)
        if (!std::binary_search(seen.begin(), seen.end(), b))
            shots++;
    seen.swap(now);
}

namespace {
int launchable(cLevel& level) {
    const cPlayerBall* s = level.getSquad();
    return s != nullptr ? s->getRocketsCount() + s->getGrenadesCount() : 0;
}
}  // namespace

void cShotCounter::beforeInput(cLevel& level) {
    carried = launchable(level);
}

void cShotCounter::afterInput(cLevel& level) {
    // Only a launch takes one away; the carried counts a level starts with only add.
    if (launchable(level) == carried - 1)
        shots++;
}
