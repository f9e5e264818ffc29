// A soldier of the player's squad; the head of the list is the leader and every call runs down the file.
#pragma once

#include "units/cBall.h"

class cMap;
class cAmmo;
class cEnemy;
class cColision;

class cPlayerBall : public cBall {
public:
    // gs as for cBall; the name comes from its run state.
    explicit cPlayerBall(bool isLeader, cGameSetup* gs = nullptr);
    // Does not touch `next`: whoever holds a list frees every member.
    ~cPlayerBall() = default;
    cPlayerBall(const cPlayerBall&) = delete;
    cPlayerBall& operator=(const cPlayerBall&) = delete;

    // Appends a new soldier behind the last one, walking one unit to its -x.
    void addSoldier();
    // Frees the last soldier; a file of one is left alone.
    void removeSoldier();
    // Appends p (not copied; the list holder keeps ownership duties).
    void insert(cPlayerBall* p);
    bool hasNextSoldier() const { return next != nullptr; }
    cPlayerBall* getNext() const { return next; }
    void setNext(cPlayerBall* p) { next = p; }
    const char* getName() const { return name; }
    void setLeader() { leader = true; }
    void setJob(int j) { job = j; }
    int getJob() const { return job; }
    // On this soldier and every one behind it.
    void setMoving(bool m);

    // Only this soldier gets the target; the file follows through update.
    void moveTo(float tx, float ty);
    // A walking file looks ahead along itself, a standing or firing one at (px, py).
    void rotateTo(float px, float py);
    // Every soldier fires along his own heading; the point is not used.
    void shoot(float px, float py);
    void shootStop();
    // Uses one of the count when there is any; the level then launches it.
    bool shootRocket();
    bool shootGrenade();
    using cBall::hurt;
    // Hurts the soldier of the file with this unit id; false when none has it.
    bool hurt(int unitId, float damage);
    void beHappy();

    // One tick of this soldier and every soldier behind it; enemies may be null.
    void update(int ms, cMap* map, cAmmo* ammo, cEnemy* enemies, cColision* grid);
    // Minimap marks and drawing of the whole file (needs a GL context).
    void render();

    // The soldier-name table: 40 names, then the end entry "_".
    static const char* const names[];

protected:
    void updateCelebrating(cMap* map);
    void updateAlive(int ms, cMap* map, cAmmo* ammo, cEnemy* enemies, cColision* grid);
    void keepFormation();
    void senseEnemies(cEnemy* enemies);

    cPlayerBall* next;
    const char* name; // an entry of names, not owned
    float jumpSpeed;  // upward speed of the victory hop, units per second
    int job;          // 2 fighting, 0 celebrating
};
