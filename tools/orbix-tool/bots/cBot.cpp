// The bot's orders and its fixed-step play loop.
#include "bots/cBot.h"

#include <algorithm>
#include <cmath>

#include "level/cLevel.h"
#include "weapons/cBullet.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"
#include "world/segmentCells.h"

const float cBot::fireRange = cBullet::kRange - 3.0f;
const float cBot::safeBlastDistance = cAmmo::kBlastRadius * 2.5f;
const float cBot::groupRadius = cAmmo::kBlastRadius * 1.5f;

float cBot::planar(float ax, float ay, float bx, float by) {
    return std::hypot(ax - bx, ay - by);
}

namespace {
const int launchPause = 1200;
// A march target that moved less than this is not worth a new order.
const float reorderDistance = 2.0f;

bool blocked(int kind) {
    return kind == cMap::kTree || kind == cMap::kOutside;
}

bool blockedCell(cMap& map, int cx, int cy) {
    return blocked(map.getTerrain(static_cast<float>(cx) + 0.5f, static_cast<float>(cy) + 0.5f));
}

// True when a straight walk (or a bullet or rocket) from a to b enters no tree cell.
bool clearWalk(cMap& map, float ax, float ay, float bx, float by) {
    return firstCellOnSegment(ax, ay, bx, by, [&map](int cx, int cy) { return blockedCell(map, cx, cy); }) < 0.0f;
}

int countEnemies(const cEnemy* e, bool alive) {
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

sBotResult cBot::play(cLevel& level, int maxMs, int frameMs) {
    sBotResult r;
    r.outcome = timeout;
    int sinceThought = thinkMs;
    while (level.getLevelTime() < maxMs) {
        if (sinceThought >= thinkMs) {
            think(level);
            // The rest is kept, so a bot looks every thinkMs on average whatever the
            // frame; only a frame longer than that allows fewer looks.
            sinceThought %= thinkMs;
        }
        const int64_t before = level.getLevelTime();
        if (level.update(frameMs) == 3) {
            r.outcome = failed;   // nothing to play: the level was never built
            break;
        }
        const int played = static_cast<int>(level.getLevelTime() - before);
        sinceThought += played;
        if (launchWait > 0)
            launchWait -= played;
        shotCounter.afterTick(level);
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
    r.shots = shots + shotCounter.getShots();
    r.enemiesKilled = countEnemies(level.getEnemies(), false);
    for (const cPlayerBall* s = level.getFallen(); s != nullptr; s = s->getNext())
        r.soldiersLost++;
    return r;
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
    if (best <= fireRange && clearWalk(level.getMap(), lx, ly, tx, ty)) {
        if (marching) {
            level.orderMove(lx, ly);   // halt where we stand
            marching = false;
        }
        if (!squad->isShooting())
            level.orderFire();
        return;
    }
    // Trees stop a walk, so a player clicks his way around them.
    float wx = tx, wy = ty;
    planWay(level.getMap(), lx, ly, tx, ty, wx, wy);
    if (!marching || !squad->isMoving() || planar(marchX, marchY, wx, wy) > reorderDistance) {
        level.orderMove(wx, wy);
        marching = true;
        marchX = wx;
        marchY = wy;
    }
}

bool cBot::planWay(cMap& map, float fx, float fy, float tx, float ty, float& wx, float& wy) {
    const int w = static_cast<int>(map.getX()), h = static_cast<int>(map.getY());
    const int sx = static_cast<int>(fx), sy = static_cast<int>(fy);
    if (w <= 0 || h <= 0 || sx < 0 || sy < 0 || sx >= w || sy >= h)
        return false;
    cameFrom.assign(static_cast<size_t>(w) * h, -1);
    frontier.clear();
    const int start = sy * w + sx;
    cameFrom[start] = start;
    frontier.push_back(start);
    int goal = -1;
    // Breadth first over the cells; a diagonal step may not cut a tree's corner.
    for (size_t head = 0; head < frontier.size() && goal < 0; head++) {
        const int c = frontier[head];
        const int cx = c % w, cy = c / w;
        const float px = static_cast<float>(cx) + 0.5f, py = static_cast<float>(cy) + 0.5f;
        if (planar(px, py, tx, ty) <= fireRange - 1.0f && clearWalk(map, px, py, tx, ty)) {
            goal = c;
            break;
        }
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++) {
                const int nx = cx + dx, ny = cy + dy;
                if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= w || ny >= h)
                    continue;
                const int n = ny * w + nx;
                if (cameFrom[n] >= 0 || blocked(map.getTerrain(nx + 0.5f, ny + 0.5f)))
                    continue;
                if (dx != 0 && dy != 0 &&
                    (blocked(map.getTerrain(cx + dx + 0.5f, cy + 0.5f)) ||
                     blocked(map.getTerrain(cx + 0.5f, cy + dy + 0.5f))))
                    continue;
                cameFrom[n] = c;
                frontier.push_back(n);
            }
    }
    if (goal < 0)
        return false;
    // The way from the start, then the farthest cell of it that a straight walk reaches.
    frontier.clear();
    for (int c = goal; c != start; c = cameFrom[c])
        frontier.push_back(c);
    // The centre of our own cell is always a straight walk away; from there the
    // first cell of the way is too.
    wx = static_cast<float>(sx) + 0.5f;
    wy = static_cast<float>(sy) + 0.5f;
    for (auto it = frontier.rbegin(); it != frontier.rend(); ++it) {
        const float px = static_cast<float>(*it % w) + 0.5f, py = static_cast<float>(*it / w) + 0.5f;
        if (!clearWalk(map, fx, fy, px, py))
            break;
        wx = px;
        wy = py;
    }
    return true;
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
        // Trees set rockets off; grenades fly over them.
        if (rocket && !clearWalk(level.getMap(), squad->getX(), squad->getY(), e->getX(), e->getY()))
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
