// A hand grenade: a ballistic throw launched at 45 degrees that explodes where it lands; also the list of grenades behind it.
#pragma once

#include "weapons/cBlast.h"

class cGrenade : public cBlast {
public:
    // The farthest throw, world units; a farther target is pulled in along the same direction.
    static constexpr float kMaxRange = 20.0f;
    // World units per second squared.
    static constexpr float kGravity = 9.81f;
    // Thrown from (x, y) at (targetX, targetY). The launch speed is whatever
    // reaches the target, so the passed speed is ignored. Owns next.
    cGrenade(float x, float y, float targetX, float targetY, float speed, cGrenade* next);
    ~cGrenade();
    cGrenade(const cGrenade&) = delete;
    cGrenade& operator=(const cGrenade&) = delete;

    // Advances the grenades behind this one (oldest first), frees those among
    // them that are finished, then advances this one by dt ms. Landing plays
    // the explosion sound and leaves the grenade waiting for its blast.
    void update(int dt);
    // Draws the grenades behind this one, oldest first, then this one.
    void render();
    // Frees every grenade behind this one.
    void dispose();

    float getZ() const { return z; }
    cGrenade* getNext() const { return next; }
    // Forgets the rest of the list without freeing it; the caller takes it over.
    void removeNext() { next = nullptr; }
    // Inserts a new grenade directly behind this one, with this one's sound set.
    void addGrenade(float x, float y, float targetX, float targetY, float speed);

private:
    void step(int dt);
    void draw() const;

    float z;                 // current height, world units
    float speed;             // launch speed, world units per second
    cGrenade* next;          // owned
};
