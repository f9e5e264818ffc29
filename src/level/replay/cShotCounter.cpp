// Telling new squad bullets from those already in flight.
#include "level/replay/cShotCounter.h"

#include "level/cLevel.h"
#include "level/iLevelLog.h"
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

void cShotCounter::afterInput(cLevel& level, const sLevelInput& in) {
    // A new level's squad holds 100 of each until the last level's count comes in, and
    // 99 carried over is one fewer: only a launch order may count.
    if (in.kind == sLevelInput::launch && launchable(level) == carried - 1)
        shots++;
}
