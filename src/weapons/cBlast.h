// What a grenade and a rocket share: the flight's aim, the explosion sound, the wait for the blast and the fireball.
#pragma once

class cSoundEvents;

class cBlast {
public:
    // The fireball grows for this many ms once the blast has been applied.
    static constexpr int kFireballTime = 100;

    // Flight states.
    enum { FLYING = 0, BLAST_PENDING = 1, EXPLODING = 2, FINISHED = 3 };

    // Not owned; may be null (silent).
    void setSnd(cSoundEvents* s) { snd = s; }
    int getState() const { return state; }
    float getX() const { return x; }
    float getY() const { return y; }
    // ms since the fireball began.
    int getTimer() const { return timer; }
    // The blast has been applied: the fireball starts.
    void explode() { state = EXPLODING; }

protected:
    // Aimed from (x, y) at (targetX, targetY); range is the whole distance.
    cBlast(float x, float y, float targetX, float targetY);

    // The flight is over at (atX, atY): asks for the explosion sound and waits for the blast.
    void land(float atX, float atY);
    // Advances the states after the flight by dt ms.
    void stepBlast(int dt);
    // Draws the growing fireball at the given height (needs a GL context).
    void drawFireball(float height) const;

    float startX, startY;    // launch point
    float x, y;              // current position, world units
    float targetX, targetY;  // the point aimed at
    float angle;             // direction of flight, degrees
    float sinA, cosA;
    float range;             // flight distance, world units
    int time;                // ms since launch
    int timer;               // ms since the fireball began
    cSoundEvents* snd;       // not owned
    int state;
};
