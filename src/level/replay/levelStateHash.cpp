// What a checkpoint covers; the pieces a tick changes that the drawing alone reads stay out.
#include "level/replay/levelStateHash.h"

#include "level/cLevel.h"
#include "level/replay/cStateHash.h"
#include "weapons/cBullet.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"

namespace {

// Unit ids are only ever compared with each other, so they stay out. So do the walk
// frame and the mood: they follow the models and the looks stream, not the game.
void addBall(cStateHash& h, const cBall& b) {
    h.add(b.getX());
    h.add(b.getY());
    h.add(b.getZ());
    h.add(b.getAngle());
    h.add(b.getTargetX());
    h.add(b.getTargetY());
    h.add(b.getLife());
    h.add(b.getDeadState());
    h.add(b.isMoving());
    h.add(b.isShooting());
    h.add(b.isLeader());
    h.add(b.getRocketsCount());
    h.add(b.getGrenadesCount());
}

void addBlast(cStateHash& h, const cBlast& b) {
    h.add(b.getX());
    h.add(b.getY());
    h.add(b.getState());
    h.add(b.getTimer());
}

}  // namespace

uint64_t levelStateHash(cLevel& level) {
    cStateHash h;
    h.add(level.getLevelTime());
    h.add(level.getState());
    h.add(level.getGodMode());
    h.add(level.isRocketSelected());
    h.add(level.getGrenadesCount());
    h.add(level.getRocketsCount());
    for (const cPlayerBall* s : {level.getSquad(), level.getFallen()}) {
        h.add(-1);
        for (; s != nullptr; s = s->getNext()) {
            addBall(h, *s);
            h.add(s->getJob());
        }
    }
    h.add(-2);
    for (const cEnemy* e = level.getEnemies(); e != nullptr; e = e->getNext()) {
        addBall(h, *e);
        h.add(e->isPlayerClose());
        h.add(e->getBehaviour());
    }
    h.add(-3);
    for (const cBullet* b = level.getAmmo().getBullets(); b != nullptr; b = b->getNext()) {
        h.add(b->getX());
        h.add(b->getY());
        h.add(b->getType());
    }
    h.add(-4);
    for (const cRocket* r = level.getAmmo().getRockets(); r != nullptr; r = r->getNext())
        addBlast(h, *r);
    h.add(-5);
    for (const cGrenade* g = level.getAmmo().getGrenades(); g != nullptr; g = g->getNext()) {
        addBlast(h, *g);
        h.add(g->getZ());
    }
    return h.get();
}
