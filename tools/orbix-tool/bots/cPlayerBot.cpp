// The player-like bot's look at the screen, its clicks and its way of getting round trees.
#include "bots/cPlayerBot.h"

#include <cmath>

#include "level/cLevel.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"

namespace {
// A leader that moved less than this since the last look is standing.
const float stillDistance = 0.2f;
// A target that moved this far from the last click is worth a new one.
const float reclickDistance = 2.0f;

// Whether a straight line from a to b crosses a tree, looked at cell by cell as a person sees it.
bool treeBetween(cMap& map, float ax, float ay, float bx, float by) {
    const float d = std::hypot(ax - bx, ay - by);
    const int steps = static_cast<int>(d * 4.0f) + 1;
    for (int i = 1; i < steps; i++) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        if (map.getTerrain(ax + (bx - ax) * t, ay + (by - ay) * t) == cMap::kTree)
            return true;
    }
    return false;
}
}

cPlayerBot::cPlayerBot(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}

float cPlayerBot::uniform(float lo, float hi) {
    // splitmix64: the bot's own numbers, so the game's other random draws stay as they were.
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return lo + (hi - lo) * static_cast<float>(static_cast<double>(z >> 11) / 9007199254740992.0);
}

bool cPlayerBot::onScreen(cLevel& level, float x, float y) {
    // The level's model-view (camera, then the map centred on the origin) and the
    // game's perspective, applied to the point as the pick unprojects a pixel.
    const cCamera& cam = level.getCamera();
    const double px = x - level.getMap().getX() / 2 + cam.getX();
    const double py = y - level.getMap().getY() / 2 + cam.getY();
    const double turn = cam.getAngleZ() * M_PI / 180.0, tilt = cam.getAngleX() * M_PI / 180.0;
    const double rx = std::cos(turn) * px - std::sin(turn) * py;
    const double ry = std::sin(turn) * px + std::cos(turn) * py;
    const double vy = std::cos(tilt) * ry;
    const double vz = std::sin(tilt) * ry + cam.getZ();
    const double depth = -vz;
    if (depth <= 1.0)
        return false;
    const double f = 1.0 / std::tan(cCamera::fieldOfView * M_PI / 360.0);
    const double aspect = static_cast<double>(viewWidth) / viewHeight;
    return std::fabs(f / aspect * rx / depth) <= 1.0 && std::fabs(f * vy / depth) <= 1.0;
}

const cEnemy* cPlayerBot::pickTarget(cLevel& level) const {
    const cPlayerBall* leader = level.getSquad();
    const cEnemy* seen = nullptr;
    const cEnemy* any = nullptr;
    float bestSeen = 0, bestAny = 0;
    for (const cEnemy* e = level.getEnemies(); e != nullptr; e = e->getNext()) {
        if (!e->isAlive())
            continue;
        const float d = planar(leader->getX(), leader->getY(), e->getX(), e->getY());
        if (any == nullptr || d < bestAny)
            any = e, bestAny = d;
        if (onScreen(level, e->getX(), e->getY()) && (seen == nullptr || d < bestSeen))
            seen = e, bestSeen = d;
    }
    return seen != nullptr ? seen : any;
}

void cPlayerBot::think(cLevel& level) {
    cPlayerBall* leader = level.getSquad();
    if (leader == nullptr || level.getState() != cLevel::statePlaying)
        return;
    const int now = level.getLevelTime();
    const float lx = leader->getX(), ly = leader->getY();
    if (planar(lx, ly, stillX, stillY) > stillDistance) {
        stillX = lx;
        stillY = ly;
        stillSince = now;
    }
    const cEnemy* target = pickTarget(level);
    if (target == nullptr)
        return;
    launchAtGroup(level, now);

    // Any enemy in reach draws fire, on screen or not: his shots give him away.
    const cEnemy* near = nullptr;
    for (const cEnemy* e = level.getEnemies(); e != nullptr; e = e->getNext())
        if (e->isAlive() && planar(lx, ly, e->getX(), e->getY()) <= fireRange &&
            (near == nullptr || planar(lx, ly, e->getX(), e->getY()) < planar(lx, ly, near->getX(), near->getY())))
            near = e;
    if (near != nullptr) {
        const float nx = near->getX(), ny = near->getY();
        level.aimAt(nx + uniform(-aimError, aimError), ny + uniform(-aimError, aimError));
        if (!leader->isShooting())
            level.orderFire();
        // With a clear view of the enemy a person stands and shoots; with a tree
        // in between he keeps walking.
        if (!treeBetween(level.getMap(), lx, ly, nx, ny)) {
            if (walking && now - lastOrder >= orderGapMs) {
                click(level, lx, ly, now);
                walking = sideStepping = false;
            }
            stillSince = now;
            return;
        }
        target = near;
    }
    walkTowards(level, *target, now);
}

void cPlayerBot::walkTowards(cLevel& level, const cEnemy& target, int now) {
    const cPlayerBall* leader = level.getSquad();
    const float lx = leader->getX(), ly = leader->getY(), tx = target.getX(), ty = target.getY();
    if (now - lastOrder < orderGapMs)
        return;
    if (now - stillSince >= stuckMs) {
        // Stuck: try a few cells to one side, as a person trying to get round.
        const float d = std::max(planar(lx, ly, tx, ty), 0.001f);
        const float step = (uniform(0, 1) < 0.5f ? -1.0f : 1.0f) * uniform(sideStepMin, sideStepMax);
        // A little back, too: straight along a wood's edge the leader would snag on
        // the first step of its staircase of cells.
        const float ux = (tx - lx) / d, uy = (ty - ly) / d;
        click(level, lx - uy * step - ux * sideStepBack, ly + ux * step - uy * sideStepBack, now);
        sideStepping = true;
        stillSince = now;
        return;
    }
    if (sideStepping && leader->isMoving())
        return;
    if (!walking || sideStepping || !leader->isMoving() || planar(walkX, walkY, tx, ty) > reclickDistance) {
        click(level, tx + uniform(-aimError, aimError), ty + uniform(-aimError, aimError), now);
        sideStepping = false;
    }
}

void cPlayerBot::click(cLevel& level, float x, float y, int now) {
    level.aimAt(x, y);
    level.orderMove(x, y);
    walking = true;
    walkX = x;
    walkY = y;
    lastOrder = now;
}

void cPlayerBot::launchAtGroup(cLevel& level, int now) {
    cPlayerBall* squad = level.getSquad();
    if (now - lastLaunch < launchGapMs || (squad->getRocketsCount() <= 0 && squad->getGrenadesCount() <= 0))
        return;
    for (const cEnemy* e = level.getEnemies(); e != nullptr; e = e->getNext()) {
        if (!e->isAlive() || !onScreen(level, e->getX(), e->getY()))
            continue;
        int group = 0;
        for (const cEnemy* o = level.getEnemies(); o != nullptr; o = o->getNext())
            group += o->isAlive() && planar(o->getX(), o->getY(), e->getX(), e->getY()) <= groupRadius;
        bool safe = true;
        for (const cPlayerBall* s = squad; s != nullptr; s = s->getNext())
            safe = safe && planar(s->getX(), s->getY(), e->getX(), e->getY()) > safeBlastDistance;
        if (group < groupSize || !safe)
            continue;
        const float d = planar(squad->getX(), squad->getY(), e->getX(), e->getY());
        // Trees set rockets off; grenades fly over them.
        const bool rocket = squad->getRocketsCount() > 0 && d <= cRocket::kMaxRange &&
                            !treeBetween(level.getMap(), squad->getX(), squad->getY(), e->getX(), e->getY());
        if (!rocket && (squad->getGrenadesCount() <= 0 || d > cGrenade::kMaxRange))
            continue;
        level.selectRocket(rocket);
        const int before = squad->getRocketsCount() + squad->getGrenadesCount();
        level.orderLaunch(e->getX() + uniform(-aimError, aimError), e->getY() + uniform(-aimError, aimError));
        shots += before - squad->getRocketsCount() - squad->getGrenadesCount();
        lastLaunch = now;
        return;
    }
}
