// An enemy ball and the enemy list it heads: sensing the squad's leader, the four ways to fight, idling.
#pragma once

#include "units/cBall.h"

class cMap;
class cAmmo;
class cColision;

class cEnemy : public cBall {
public:
    // Linked in front of `next`, which this enemy then owns; gs as for cBall.
    explicit cEnemy(cEnemy* next, cGameSetup* gs = nullptr);
    ~cEnemy();
    cEnemy(const cEnemy&) = delete;
    cEnemy& operator=(const cEnemy&) = delete;

    // Destroys every enemy behind this one; may run again safely.
    void dispose();
    // A new enemy directly behind this one, placed at (px, py) with this one's content.
    void addEnemy(float px, float py);
    // Destroys the last enemy; a list of one is left alone.
    void removeLastEnemy();
    // Fresh random counts of 0 to 9 each.
    void resetAmmo();
    using cBall::hurt;
    // Hurts the enemy with this unit id; false when none has it.
    bool hurt(int unitId, float damage);
    void setPlayerPos(float px, float py);
    // With all, the same for every enemy behind this one.
    void setPlayerClose(bool close, bool all);
    bool isPlayerClose() const { return playerClose; }
    int getBehaviour() const { return behaviour; }
    cEnemy* getNext() const { return next; }
    bool hasNext() const { return next != nullptr; }

    // One tick of this enemy and every enemy behind it.
    void update(int ms, cMap* map, cAmmo* ammo, cColision* grid);
    // Minimap marks and drawing of the living enemies inside the view (null: everywhere).
    void render(cPoint* view);

protected:
    void updateOne(int ms, cMap* map, cAmmo* ammo, cColision* grid);
    void decide(cAmmo* ammo);
    void act(int ms, cAmmo* ammo);
    void fireAtLeader(int ms, cAmmo* ammo, int reload);
    void idle(int ms);

    cEnemy* next;      // owned
    bool playerClose;  // the squad's leader is within sight
    float playerX, playerY; // the leader's last reported position
    int behaviour;     // 0 watch, 1 assault, 2 stand and fire, 3 reposition
};
