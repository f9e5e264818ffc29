// A pistol bullet: a point flying straight over the ground plane for a fixed distance; also the list of bullets behind it.
#pragma once

class cBullet {
public:
    // Every bullet flies this far (world units) before it dies.
    static constexpr float kRange = 18.0f;

    // Fired from (x, y) along angle (degrees from +x towards +y) at speed
    // (world units per second); type 0 is the squad's, 1 an enemy's. The new
    // bullet owns next and everything behind it.
    cBullet(float x, float y, float angle, float speed, int type, cBullet* next);
    ~cBullet();
    cBullet(const cBullet&) = delete;
    cBullet& operator=(const cBullet&) = delete;

    // Advances the bullets behind this one (oldest first), frees the ones
    // among them that are no longer alive, then advances this one by dt ms.
    // The caller that holds this bullet decides what happens to it when it dies.
    void update(int dt);
    // Draws the live bullets behind this one, oldest first, then this one.
    void render();
    // Frees every bullet behind this one.
    void dispose();

    void kill() { alive = false; }
    // Stops it at (atX, atY), where it struck something on its latest step.
    void dieAt(float atX, float atY) {
        x = atX;
        y = atY;
        alive = false;
    }
    bool isAlive() const { return alive; }
    float getX() const { return x; }
    float getY() const { return y; }
    // Where its latest step began: the step's whole path is tested, not only its end.
    float getFromX() const { return fromX; }
    float getFromY() const { return fromY; }
    int getType() const { return type; }
    cBullet* getNext() const { return next; }
    // Forgets the rest of the list without freeing it; the caller takes it over.
    void removeNext() { next = nullptr; }
    // Inserts a new bullet directly behind this one.
    void addBullet(float x, float y, float angle, float speed, int type);

private:
    void step(int dt);
    void draw() const;

    float startX, startY;  // where it was fired
    float x, y;            // current position, world units
    float fromX, fromY;    // position before the latest step
    float angle;           // degrees
    float sinA, cosA;
    float speed;           // world units per second
    int time;              // ms since firing
    float range;           // world units
    bool alive;
    int type;              // 0 squad, 1 enemy
    cBullet* next;         // owned
};
