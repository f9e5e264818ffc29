// The level's projectile lists: launching, advancing and freeing.
#include "weapons/cAmmo.h"

#include "weapons/cBullet.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"

cAmmo::cAmmo() : bullets(nullptr), rockets(nullptr), grenades(nullptr), snd(nullptr) {}

cAmmo::~cAmmo() { dispose(); }

void cAmmo::addBullet(float x, float y, float angle, float speed, int type) {
    bullets = new cBullet(x, y, angle, speed, type, bullets);
}

void cAmmo::addGrenade(float x, float y, float targetX, float targetY, float speed) {
    grenades = new cGrenade(x, y, targetX, targetY, speed, grenades);
    grenades->setSnd(snd);
}

void cAmmo::addRocket(float x, float y, float targetX, float targetY, float speed) {
    rockets = new cRocket(x, y, targetX, targetY, speed, rockets);
    rockets->setSnd(snd);
}

namespace {
// Advances a whole list through its head and drops the head while it is spent.
template <class T, class Spent>
T* updateList(T* head, int dt, Spent spent) {
    if (!head) return nullptr;
    head->update(dt);
    if (spent(head)) {
        T* rest = head->getNext();
        head->removeNext();
        delete head;
        return rest;
    }
    return head;
}
}  // namespace

void cAmmo::update(int dt) {
    bullets = updateList(bullets, dt, [](const cBullet* b) { return !b->isAlive(); });
    rockets = updateList(rockets, dt,
                         [](const cRocket* r) { return r->getState() == cRocket::FINISHED; });
    grenades = updateList(grenades, dt,
                          [](const cGrenade* g) { return g->getState() == cGrenade::FINISHED; });
}

void cAmmo::dispose() {
    delete bullets;
    bullets = nullptr;
    delete rockets;
    rockets = nullptr;
    delete grenades;
    grenades = nullptr;
}
