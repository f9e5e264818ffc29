// The bot's orders and its fixed-step play loop.
#include "level/cBot.h"

#include <algorithm>
#include <cmath>

#include "level/cLevel.h"
#include "weapons/cBullet.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"

namespace {
// Inside a bullet's reach with some margin, so shots arrive.
const float fireRange = cBullet::kRange - 3.0f;
// Nearer than this a blast would catch our own file too.
const float safeBlastDistance = cAmmo::kBlastRadius * 2.5f;
const float groupRadius = cAmmo::kBlastRadius * 1.5f;
const int launchPause = 1200;
// A march target that moved less than this is not worth a new order.
const float reorderDistance = 2.0f;

float planar(float ax, float ay, float bx, float by) {
    return std::hypot(ax - bx, ay - by);
}

// True when no tree stands between the two points (trees stop bullets).
bool clearLine(cMap& map, float ax, float ay, float bx, float by) {
    const float d = planar(ax, ay, bx, by);
    const int steps = static_cast<int>(d * 2.0f);
    for (int i = 1; i < steps; i++) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        if (map.getTerrain(ax + (bx - ax) * t, ay + (by - ay) * t) == cAmmo::kTreeTerrain)
            return false;
    }
    return true;
}

int countLiving(const cEnemy* e, bool alive) {
    int n = 0;
    for (; e != nullptr; e = e->getNext())
        if (e->isAlive() == alive)
            n++;
    return n;
}
}

const char* cBot::outcomeName(int outcome) {
    switch (outcome) {
    case won:
        return "won";
    case failed:
        return "failed";
    default:
        return "timeout";
    }
}

sBotResult cBot::play(cLevel& level, int maxMs) {
    sBotResult r;
    r.outcome = timeout;
    int sinceThought = thinkMs;
    while (level.getLevelTime() < maxMs) {
        level.endIntroIfDue();
        if (sinceThought >= thinkMs) {
            think(level);
            sinceThought = 0;
        }
        if (level.update(stepMs) == 3) {
            r.outcome = failed;   // nothing to play: the level was never built
            break;
        }
        sinceThought += stepMs;
        launchWait -= stepMs;
        countNewBullets(level);
        if (level.getState() == cLevel::stateWon) {
            r.outcome = won;
            break;
        }
        if (level.getState() == cLevel::stateFailed) {
            r.outcome = failed;
            break;
        }
    }
    r.timeMs = level.getLevelTime();
    r.shots = shots;
    r.enemiesKilled = countLiving(level.getEnemies(), false);
    for (const cPlayerBall* s = level.getFallen(); s != nullptr; s = s->getNext())
        r.soldiersLost++;
    return r;
}

void cBot::countNewBullets(cLevel& level) {
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

void cBot::think(cLevel& level) {
    cPlayerBall* squad = level.getSquad();
    if (squad == nullptr || level.getState() != cLevel::statePlaying)
        return;
    const float lx = squad->getX(), ly = squad->getY();
    const cEnemy* target = nullptr;
    float best = 0;
    for (const cEnemy* e = level.getEnemies(); e != nullptr; e = e->getNext()) {
        const float d = planar(lx, ly, e->getX(), e->getY());
        if (e->isAlive() && (target == nullptr || d < best)) {
            target = e;
            best = d;
        }
    }
    if (target == nullptr)
        return;
    launchAtGroup(level);

    const float tx = target->getX(), ty = target->getY();
    level.aimAt(tx, ty);
    if (best <= fireRange && clearLine(level.getMap(), lx, ly, tx, ty)) {
        if (marching) {
            level.orderMove(lx, ly);   // halt where we stand
            marching = false;
        }
        if (!squad->isShooting())
            level.orderFire();
        return;
    }
    if (!marching || !squad->isMoving() || planar(marchX, marchY, tx, ty) > reorderDistance) {
        level.orderMove(tx, ty);
        marching = true;
        marchX = tx;
        marchY = ty;
    }
}

void cBot::launchAtGroup(cLevel& level) {
    cPlayerBall* squad = level.getSquad();
    const bool rocket = squad->getRocketsCount() > 0;
    if (launchWait > 0 || (!rocket && squad->getGrenadesCount() <= 0))
        return;
    const float reach = rocket ? cRocket::kMaxRange : cGrenade::kMaxRange;
    const cEnemy* aim = nullptr;
    int bestGroup = 1;
    for (const cEnemy* e = level.getEnemies(); e != nullptr; e = e->getNext()) {
        if (!e->isAlive())
            continue;
        bool safe = true;
        for (const cPlayerBall* s = squad; s != nullptr; s = s->getNext())
            safe = safe && planar(s->getX(), s->getY(), e->getX(), e->getY()) > safeBlastDistance;
        if (!safe || planar(squad->getX(), squad->getY(), e->getX(), e->getY()) > reach)
            continue;
        int group = 0;
        for (const cEnemy* o = level.getEnemies(); o != nullptr; o = o->getNext())
            if (o->isAlive() && planar(o->getX(), o->getY(), e->getX(), e->getY()) <= groupRadius)
                group++;
        if (group > bestGroup) {
            bestGroup = group;
            aim = e;
        }
    }
    if (aim == nullptr)
        return;
    level.selectRocket(rocket);
    const int before = squad->getRocketsCount() + squad->getGrenadesCount();
    level.orderLaunch(aim->getX(), aim->getY());
    shots += before - squad->getRocketsCount() - squad->getGrenadesCount();
    launchWait = launchPause;
}
