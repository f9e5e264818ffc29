// Enemy list: construction, list handling, sensing, the four ways to fight and idling.
#include "units/cEnemy.h"

#include "weapons/cAmmo.h"

namespace {
constexpr float kBulletSpeed = 40.0f;
constexpr float kHeavySpeed = 30.0f;
constexpr int kDecisionPeriod = 5000; // ms of the enemy's clock between decision windows
constexpr int kDecisionWindow = 500;  // ms at the start of each period in which it decides
}

cEnemy::cEnemy(cEnemy* nextEnemy, cGameSetup* gs) : cBall(gs), next(nextEnemy), playerClose(false), playerX(0), playerY(0), behaviour(0) {
    animRate = 35.0f;
    teamColour[0] = 0.7f;
    teamColour[1] = 0;
    teamColour[2] = 0;
    blindColour[0] = 1.0f;
    blindColour[1] = 0.55f;
    blindColour[2] = 0;
    bodyColour[0] = 94 / 255.0f;
    bodyColour[1] = 194 / 255.0f;
    bodyColour[2] = 242 / 255.0f;
    bodyColour[3] = 1.0f;
    groundSpeed = 2.06f;
    waterSpeed = 1.56f;
    fireInterval = 100 + gameDraws().below(200);
    fireTimer = fireInterval;
    idleTimer = 1000 + gameDraws().below(1000);
    resetAmmo();
}

cEnemy::~cEnemy() { dispose(); }

void cEnemy::dispose() {
    // Iterative, so that a map with a great many enemies cannot exhaust the stack.
    cEnemy* e = next;
    next = nullptr;
    while (e) {
        cEnemy* after = e->next;
        e->next = nullptr;
        delete e;
        e = after;
    }
}

void cEnemy::addEnemy(float px, float py) {
    cEnemy* e = new cEnemy(next, gameSetup);
    next = e;
    e->move(px, py);
    e->setInitPosition(px, py);
    e->setCont(textures, sound, meshCont);
    e->setGS(gameSetup);
}

void cEnemy::removeLastEnemy() {
    if (!next) return;
    cEnemy* before = this;
    while (before->next->next) before = before->next;
    delete before->next;
    before->next = nullptr;
}

void cEnemy::resetAmmo() {
    rockets = gameDraws().below(10);
    grenades = gameDraws().below(10);
}

bool cEnemy::hurt(int unitId, float damage) {
    for (cEnemy* e = this; e; e = e->next) {
        if (e->id == unitId) {
            e->cBall::hurt(damage);
            return true;
        }
    }
    return false;
}

void cEnemy::setPlayerPos(float px, float py) {
    playerX = px;
    playerY = py;
}

void cEnemy::setPlayerClose(bool close, bool all) {
    playerClose = close;
    if (!all) return;
    for (cEnemy* e = next; e; e = e->next) e->playerClose = close;
}

void cEnemy::update(int ms, cMap* map, cAmmo* ammo, cColision* grid) {
    for (cEnemy* e = this; e; e = e->next) e->updateOne(ms, map, ammo, grid);
}

void cEnemy::updateOne(int ms, cMap* map, cAmmo* ammo, cColision* grid) {
    cBall::update(ms);
    if (!isAlive()) return;

    if (playerClose) {
        if (clock % kDecisionPeriod <= kDecisionWindow) decide(ammo);
        act(ms, ammo);
    } else {
        // The first shot after the leader comes close goes off at once.
        fireTimer = 0;
    }

    walkOver(ms, map, grid);

    idle(ms);
}

void cEnemy::decide(cAmmo* ammo) {
    // Heavy weapons need no ammunition of the enemy's own.
    if (gameDraws().below(80) == 0) {
        bool rocket = gameDraws().below(2) == 0;
        float tx = playerX + float(gameDraws().range(-2, 2));
        float ty = playerY + float(gameDraws().range(-2, 2));
        if (ammo) {
            if (rocket)
                ammo->addRocket(x, y, tx, ty, kHeavySpeed);
            else
                ammo->addGrenade(x, y, tx, ty, kHeavySpeed);
        }
    }
    if (gameDraws().below(15) == 0)
        behaviour = 1;
    else if (gameDraws().below(4) == 0)
        behaviour = 2;
    else if (gameDraws().below(2) == 0)
        behaviour = 3;
    else
        behaviour = 0;
}

void cEnemy::act(int ms, cAmmo* ammo) {
    switch (behaviour) {
    case 1: // assault
        cBall::rotateTo(playerX + float(gameDraws().range(-1, 1)), playerY + float(gameDraws().range(-1, 1)));
        cBall::moveTo(playerX, playerY);
        fireAtLeader(ms, ammo, fireInterval);
        break;
    case 2: // stand and fire, slower
        cBall::rotateTo(playerX + float(gameDraws().range(-1, 1)), playerY + float(gameDraws().range(-1, 1)));
        fireAtLeader(ms, ammo, 4 * fireInterval);
        break;
    case 3: // reposition near the leader
        cBall::rotateTo(playerX, playerY);
        cBall::moveTo(playerX + float(gameDraws().range(-3, 3)), playerY + float(gameDraws().range(-3, 3)));
        break;
    default: // watch
        cBall::rotateTo(playerX, playerY);
        break;
    }
}

void cEnemy::fireAtLeader(int ms, cAmmo* ammo, int reload) {
    fireTimer -= ms;
    if (fireTimer > 0) return;
    fire();
    if (ammo) ammo->addBullet(x, y, angle, kBulletSpeed, 1);
    fireTimer = reload;
}

void cEnemy::idle(int ms) {
    if (moving) {
        idleTimer = 1000 + gameDraws().below(1000);
        return;
    }
    idleTimer -= ms;
    if (idleTimer > 0) return;
    if (gameDraws().below(8) == 0)
        cBall::moveTo(x + float(gameDraws().range(-5, 5)), y + float(gameDraws().range(-5, 5)));
    else
        cBall::rotateTo(float(gameDraws().range(0, 100)), float(gameDraws().range(0, 100)));
    idleTimer = 1000 + gameDraws().below(1000);
}
