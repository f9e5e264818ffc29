// How projectiles hurt units: bullet hits by side, and the blasts of grenades and rockets.
#include "weapons/cAmmo.h"

#include "shell/globals.h"
#include "units/cBall.h"
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"
#include "weapons/cBullet.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"
#include "world/cColision.h"
#include "world/cMap.h"
#include "world/segmentCells.h"

#include <cmath>

namespace {
// The grid cell of a world coordinate, truncated toward zero; a value no grid
// can reach (or not a number) gives -1, which every grid answers as outside.
int cellOf(float v) { return std::fabs(v) < 1.0e9f ? static_cast<int>(v) : -1; }

// Where a step from (fromX, fromY) to (toX, toY) first enters a tree cell; false when it
// enters none. A whole step is walked, so no frame length carries a projectile past a hedge.
bool treeOnPath(const cMap& map, float fromX, float fromY, float toX, float toY, float& atX,
                float& atY) {
    const float t = firstCellOnSegment(fromX, fromY, toX, toY, [&map](int cx, int cy) {
        return map.getTerrain(static_cast<float>(cx) + 0.5f, static_cast<float>(cy) + 0.5f) ==
               cAmmo::kTreeTerrain;
    });
    if (t < 0.0f) return false;
    atX = fromX + (toX - fromX) * t;
    atY = fromY + (toY - fromY) * t;
    return true;
}

void blast(float x, float y, cPlayerBall* squad, cEnemy* enemies, bool godMode, float squadScale) {
    if (!godMode) {
        for (cPlayerBall* s = squad; s; s = s->getNext()) {
            if (dist(x, y, s->getX(), s->getY()) <= cAmmo::kBlastRadius)
                static_cast<cBall*>(s)->hurt(cAmmo::kBlastDamageToSoldier * squadScale);
        }
    }
    for (cEnemy* e = enemies; e; e = e->getNext()) {
        // The dead are not killed again.
        if (e->isAlive() && dist(x, y, e->getX(), e->getY()) <= cAmmo::kBlastRadius)
            static_cast<cBall*>(e)->hurt(cAmmo::kBlastDamageToEnemy);
    }
}

// Each explosion hurts in the one tick that leaves it pending, then becomes a harmless fireball.
template <class T>
void blastIfPending(T* p, cPlayerBall* squad, cEnemy* enemies, bool godMode, float squadScale) {
    if (p->getState() != T::BLAST_PENDING) return;
    blast(p->getX(), p->getY(), squad, enemies, godMode, squadScale);
    p->explode();
}
}  // namespace

void cAmmo::applyBulletHits(cMap* map, cColision* grid, cPlayerBall* squad, cEnemy* enemies,
                            bool godMode, std::vector<cPoint>* treeHits) {
    for (cBullet* b = bullets; b; b = b->getNext()) {
        if (!b->isAlive()) continue;
        float atX = 0, atY = 0;
        if (map && treeOnPath(*map, b->getFromX(), b->getFromY(), b->getX(), b->getY(), atX, atY)) {
            b->dieAt(atX, atY);
            if (treeHits) treeHits->push_back(cPoint(atX, atY));
            continue;
        }
        if (!grid) continue;
        int object = grid->getObject(cellOf(b->getX()), cellOf(b->getY()));
        if (object <= 0) continue;
        // Each side looks the id up only among the other side, so a bullet
        // flies on through its own side's units.
        bool hit = false;
        if (b->getType() == 1)
            hit = squad && !godMode && squad->hurt(object, kEnemyBulletDamage * squadDamageScale);
        else if (b->getType() == 0)
            hit = enemies && enemies->hurt(object, kSquadBulletDamage);
        if (hit) b->kill();
    }
}

void cAmmo::applyBlasts(cMap* map, cPlayerBall* squad, cEnemy* enemies, bool godMode) {
    for (cRocket* r = rockets; r; r = r->getNext()) {
        // A rocket that reached its range this step still flew the step's path.
        float atX = 0, atY = 0;
        if ((r->getState() == cRocket::FLYING || r->getState() == cRocket::BLAST_PENDING) && map &&
            treeOnPath(*map, r->getFromX(), r->getFromY(), r->getX(), r->getY(), atX, atY))
            r->strikeAt(atX, atY);
        blastIfPending(r, squad, enemies, godMode, squadDamageScale);
    }
    for (cGrenade* g = grenades; g; g = g->getNext()) blastIfPending(g, squad, enemies, godMode, squadDamageScale);
}
