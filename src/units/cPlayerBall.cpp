// Squad soldiers: the file's orders, formation, firing, celebrating, death and enemy sensing.
#include "units/cPlayerBall.h"

#include "units/cEnemy.h"
#include "weapons/cAmmo.h"
#include "world/cMap.h"
#include "world/cRunState.h"

const char* const cPlayerBall::names[] = {
    "Ada",  "Bo",   "Cyrus", "Dana", "Elio", "Fenna", "Gus", "Hana", "Ivo",  "Jules",
    "Kit",  "Lena", "Milo",  "Nia",  "Otto", "Pia",   "Quinn", "Rosa", "Sami", "Tove",
    "Uma",  "Vito", "Wren",  "Xena", "Yuri", "Zora",  "Abel", "Bea",  "Cal",  "Dora",
    "Emil", "Faye", "Gil",   "Ines", "Jonas", "Kaia", "Leo",  "Mara", "Nils", "Olga",
    "_"};

namespace {
// With the closing "_"; a run state read from a file may hold any index.
constexpr int kNameSlots = int(sizeof(cPlayerBall::names) / sizeof(cPlayerBall::names[0]));
constexpr float kSightRange = 20.0f;
constexpr float kBulletSpeed = 40.0f;
constexpr float kGravity = 9.81f;
}

cPlayerBall::cPlayerBall(bool isLeader, cGameSetup* gs) : cBall(gs), next(nullptr), jumpSpeed(0), job(2) {
    int& nameInd = run().nameIndex;
    if (nameInd < 0 || nameInd >= kNameSlots || names[nameInd][0] == '_') nameInd = 0;
    name = names[nameInd++];
    if (names[nameInd][0] == '_') nameInd = 0;

    teamColour[0] = 0;
    teamColour[1] = 0.7f;
    teamColour[2] = 0;
    blindColour[0] = 0.1f;
    blindColour[1] = 0.45f;
    blindColour[2] = 1.0f;
    groundSpeed = 4.12f;
    waterSpeed = 3.12f;
    fireInterval = 100 + gameDraws().below(200);
    fireTimer = fireInterval;
    rockets = grenades = 100;
    leader = isLeader;
    terrainKind = cellKind::ground;
    clock = 0;
}

void cPlayerBall::addSoldier() {
    cPlayerBall* last = this;
    while (last->next) last = last->next;
    cPlayerBall* s = new cPlayerBall(false, gameSetup);
    last->next = s;
    s->move(last->x, last->y);
    s->cBall::rotateTo(last->x, last->y);
    s->cBall::moveTo(last->targetX - 1.0f, last->targetY);
    s->setInitPosition(last->x, last->y);
    s->setCont(last->textures, last->sound, last->meshCont);
    s->setGS(last->gameSetup);
}

void cPlayerBall::removeSoldier() {
    if (!next) return;
    cPlayerBall* before = this;
    while (before->next->next) before = before->next;
    delete before->next;
    before->next = nullptr;
}

void cPlayerBall::insert(cPlayerBall* p) {
    if (!p || p == this) return;
    cPlayerBall* last = this;
    while (last->next) {
        if (last->next == p) return; // already in the file: appending again would make a loop
        last = last->next;
    }
    last->next = p;
}

void cPlayerBall::setMoving(bool m) {
    for (cPlayerBall* s = this; s; s = s->next) s->moving = m;
}

void cPlayerBall::moveTo(float tx, float ty) { cBall::moveTo(tx, ty); }

void cPlayerBall::rotateTo(float px, float py) {
    // Each soldier behind a walking one looks at it; the rest look at the point handed down.
    for (cPlayerBall* s = this; s; s = s->next) {
        bool walking = s->moving && !s->shooting;
        if (s->leader && walking)
            s->cBall::rotateTo(s->targetX, s->targetY);
        else
            s->cBall::rotateTo(px, py);
        if (walking) {
            px = s->x;
            py = s->y;
        }
    }
}

void cPlayerBall::shoot(float, float) {
    for (cPlayerBall* s = this; s; s = s->next) s->shooting = true;
}

void cPlayerBall::shootStop() {
    for (cPlayerBall* s = this; s; s = s->next) s->shooting = false;
}

bool cPlayerBall::shootRocket() {
    if (rockets <= 0) return false;
    rockets--;
    return true;
}

bool cPlayerBall::shootGrenade() {
    if (grenades <= 0) return false;
    grenades--;
    return true;
}

bool cPlayerBall::hurt(int unitId, float damage) {
    for (cPlayerBall* s = this; s; s = s->next) {
        if (s->id == unitId) {
            s->cBall::hurt(damage);
            return true;
        }
    }
    return false;
}

void cPlayerBall::beHappy() {
    for (cPlayerBall* s = this; s; s = s->next) {
        if (s->looksDraws().below(2) != 0) s->setMood(2, 150);
        s->job = 0;
        s->jumpSpeed = float(s->gameDraws().range(5.0, 7.0));
        // The hop is timed from 0; the face's times move with the clock, so the
        // laugh runs and the eyes keep blinking.
        s->restartClock();
    }
}

void cPlayerBall::update(int ms, cMap* map, cAmmo* ammo, cEnemy* enemies, cColision* grid) {
    cBall::update(ms);

    // A soldier struck down while celebrating dies like any other, instead of hopping on.
    if (job == 0 && deadState == 0) {
        updateCelebrating(map);
        if (next) next->update(ms, map, ammo, enemies, grid);
        return;
    }

    if (deadState == 1) {
        if (leader) {
            // Leadership and the heavy weapons pass to the soldier behind.
            if (next) {
                next->setLeader();
                next->rockets = rockets;
                next->grenades = grenades;
            }
            leader = false;
        }
        if (map) map->getTerrainInfo(x, y, terrainKind, z);
        z -= 1.0f + float(clock) * 0.0005f;
        if (clock > 2000) deadState = 2;
        if (next) next->update(ms, map, ammo, enemies, grid);
    } else if (deadState == 2) {
        if (map) map->getTerrainInfo(x, y, terrainKind, z);
        if (next) next->update(ms, map, ammo, enemies, grid);
    } else {
        updateAlive(ms, map, ammo, enemies, grid);
    }

    senseEnemies(enemies);
}

void cPlayerBall::updateCelebrating(cMap* map) {
    if (!map || map->getTerrain(x, y) == cellKind::water) return;
    float ground = map->getHeight(x, y);
    if (z < ground) {
        z = ground;
        restartClock();
        jumpSpeed = float(gameDraws().range(5.0, 7.0));
    } else {
        float t = float(clock) / 1000.0f;
        z = ground + jumpSpeed * t - kGravity * t * t / 2.0f;
    }
}

void cPlayerBall::updateAlive(int ms, cMap* map, cAmmo* ammo, cEnemy* enemies, cColision* grid) {
    if (shooting) {
        fireTimer -= ms;
        if (fireTimer <= 0) {
            fire();
            setMood(1, -1);
            if (ammo) ammo->addBullet(x, y, angle, kBulletSpeed, 0);
            fireTimer = fireInterval;
        }
    } else {
        fireTimer = 0;
    }

    walkOver(ms, map, grid);

    if (next) {
        keepFormation();
        next->update(ms, map, ammo, enemies, grid);
        setMoving(moving);
    }
}

void cPlayerBall::keepFormation() {
    float d = dist(x, y, next->x, next->y);
    if (d < 0.75f)
        next->cBall::moveTo(x - 1.5f, y);
    else if (d > 3.0f)
        next->cBall::moveTo(x - 1.5f * (x - next->x) / d, y - 1.5f * (y - next->y) / d);
}

void cPlayerBall::senseEnemies(cEnemy* enemies) {
    if (!leader) return;
    // Only the leader is ever seen, and only his position is reported.
    for (cEnemy* e = enemies; e; e = e->getNext()) {
        if (!e->isAlive()) continue;
        if (dist(x, y, e->getX(), e->getY()) <= kSightRange) {
            e->setPlayerClose(true, false);
            e->setPlayerPos(x, y);
        } else {
            e->setPlayerClose(false, false);
        }
    }
}
