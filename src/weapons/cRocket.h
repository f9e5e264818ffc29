// A bazooka rocket: flies straight at a fixed height and speed and explodes at its range; also the list of rockets behind it.
#pragma once

#include "weapons/cBlast.h"

class cRocket : public cBlast {
public:
    // Every rocket flies at this speed, world units per second, whatever it is launched with.
    static constexpr float kSpeed = 20.0f;
    // The farthest flight, world units.
    static constexpr float kMaxRange = 40.0f;
    // The rocket's flying height, world units.
    static constexpr float kHeight = 0.5f;
    // Launched from (x, y) towards (targetX, targetY); the passed speed is
    // ignored. Owns next.
    cRocket(float x, float y, float targetX, float targetY, float speed, cRocket* next);
    ~cRocket();
    cRocket(const cRocket&) = delete;
    cRocket& operator=(const cRocket&) = delete;

    // Advances the rockets behind this one (oldest first), frees those among
    // them that are finished, then advances this one by dt ms. Reaching its
    // range plays the explosion sound and leaves the rocket waiting for its blast.
    void update(int dt);
    // Draws the rockets behind this one, oldest first, then this one.
    void render();
    // Frees every rocket behind this one.
    void dispose();

    cRocket* getNext() const { return next; }
    // Forgets the rest of the list without freeing it; the caller takes it over.
    void removeNext() { next = nullptr; }
    // Sets it off at (atX, atY), silently: it struck something on its latest step.
    void strikeAt(float atX, float atY) {
        x = atX;
        y = atY;
        state = BLAST_PENDING;
    }
    // Where its latest flight step began: the step's whole path is tested, not only its end.
    float getFromX() const { return fromX; }
    float getFromY() const { return fromY; }
    // Inserts a new rocket directly behind this one, with this one's sound set.
    void addRocket(float x, float y, float targetX, float targetY, float speed);

private:
    void step(int dt);
    void draw() const;

    float speed;             // world units per second
    float fromX, fromY;      // position before the latest flight step
    cRocket* next;           // owned
};
