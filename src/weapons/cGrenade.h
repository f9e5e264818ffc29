// A hand grenade: a ballistic throw launched at 45 degrees that explodes where it lands; also the list of grenades behind it.
#pragma once

class cSound;

class cGrenade {
public:
    // The farthest throw, world units; a farther target is pulled in along the same direction.
    static constexpr float kMaxRange = 20.0f;
    // World units per second squared.
    static constexpr float kGravity = 9.81f;
    // The fireball grows for this many ms once the blast has been applied.
    static constexpr int kFireballTime = 100;

    // Flight states.
    enum { FLYING = 0, BLAST_PENDING = 1, EXPLODING = 2, FINISHED = 3 };

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

    // Not owned; may be null (silent).
    void setSnd(cSound* s) { snd = s; }
    int getState() const { return state; }
    float getX() const { return x; }
    float getY() const { return y; }
    float getZ() const { return z; }
    // ms since the fireball began.
    int getTimer() const { return timer; }
    cGrenade* getNext() const { return next; }
    // Forgets the rest of the list without freeing it; the caller takes it over.
    void removeNext() { next = nullptr; }
    // The blast has been applied: the fireball starts.
    void explode() { state = EXPLODING; }
    // Inserts a new grenade directly behind this one, with this one's sound set.
    void addGrenade(float x, float y, float targetX, float targetY, float speed);

private:
    void step(int dt);
    void draw() const;

    float startX, startY;    // launch point
    float x, y, z;           // current position, world units
    float targetX, targetY;  // landing point
    float angle;             // direction of flight, degrees
    float sinA, cosA;
    float speed;             // launch speed, world units per second
    int time;                // ms since launch
    int timer;               // ms since the fireball began
    float range;             // horizontal distance from launch to landing point
    cSound* snd;             // not owned
    int state;
    cGrenade* next;          // owned
};
