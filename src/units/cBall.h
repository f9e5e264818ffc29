// The ball-shaped unit that soldiers and enemies share: walking, life, ammunition, face and drawing.
#pragma once

#include "shell/globals.h"
#include "world/cRandomStream.h"

#include <cstdint>

class cTexture;
class cSoundEvents;
class cMeshCont;
class cGameSetup;
class cMap;
class cColision;
class cRunState;

class cBall {
public:
    // A unit of the level whose context gs is (its random streams and run state);
    // without one it draws from a generator of its own and the detached run state.
    explicit cBall(cGameSetup* gs = nullptr);

    // Sets every field to its start value and takes a fresh id; always true.
    bool load();
    // Content sets and the level's sound events are not owned. Picks a random
    // starting frame of the walk cycle from the animated head of the finest model
    // set (a looks draw).
    void setCont(cTexture* textures, cSoundEvents* sounds, cMeshCont* meshCont);
    void setGS(cGameSetup* gameSetup);
    // The walk-cycle frame range; an empty range (last <= first) means a head
    // without animation, and the cycle then stays on frame `first`.
    void setWalkCycle(int first, int last);

    // m outside 0..4 is the smile; frames < 1 picks 10 to 29 frames.
    void setMood(int m, int frames);
    // Tuning aid: animRate += v, echoed on standard output.
    void setValue(float v);

    // Advances the unit's clock, eye blink and mood by ms milliseconds.
    void update(int ms);
    void moveTo(float tx, float ty);
    // Puts back the walk a later moveTo replaced: its target, and whether it was still walking.
    void resumeWalk(float tx, float ty, bool wasMoving);
    void rotateTo(float tx, float ty);
    // Puts the unit at (px, py) standing still.
    void move(float px, float py);
    // One step of the walk towards the target; terrainKind must already hold the
    // kind of the unit's cell. Does not look at the map itself.
    void stepTo(int ms);
    void hurt(float damage);
    void heal();
    // Starts the muzzle flash and asks for the unit's pistol sound.
    void fire();

    void setInitPosition(float px, float py);
    void resetPosition();
    void lodInc();
    void lodDec();

    void setRockets(int n) { rockets = n; }
    void setGrenades(int n) { grenades = n; }
    int getRocketsCount() const { return rockets; }
    int getGrenadesCount() const { return grenades; }
    float getX() const { return x; }
    float getY() const { return y; }
    float getZ() const { return z; }
    void setZ(float nz) { z = nz; }
    float getLife() const { return life; }
    // The life bar's colour: the side's own, or its colour-blind one when the level asks for it.
    const float* lifeBarColour() const;
    int getID() const { return id; }
    bool isAlive() const { return deadState == 0; }

    // Read access for the level, the HUD and tests.
    float getAngle() const { return angle; }
    float getTargetX() const { return targetX; }
    float getTargetY() const { return targetY; }
    bool isMoving() const { return moving; }
    bool isShooting() const { return shooting; }
    bool isLeader() const { return leader; }
    int getDeadState() const { return deadState; }
    int getAnimFrame() const { return animFrame; }
    int getBlinkFrame() const { return blinkFrame; }
    int getMood() const { return mood; }
    int getMoodFrame() const { return moodFrame; }
    int getLod() const { return lod; }

    // Drawing (needs a GL context). render draws the unit at its place,
    // renderLM its life meter in window pixels counted from the top.
    void render();
    void renderLM();

protected:
    // The streams and run state of the unit's level, or its own stand-ins without one.
    cRandomStream& gameDraws();
    cRandomStream& looksDraws();
    cRunState& run();
    // clock = 0, keeping the blink and mood timers where they were relative to it.
    void restartClock();
    // Adds the walk-cycle frames earned by walking `step` world units.
    void advanceWalkCycle(float step);
    // Paints the unit's plus-sign mark into the working minimap when it is shown.
    void markMiniMap(const sRGBA& colour);
    // Steps the muzzle-flash counter once per draw; true when this draw shows the flash.
    bool advanceFlash();
    // Pixels of the 56-pixel life bar for the current life.
    int lifeBarWidth() const;
    // One step of the walk over the map (either may be null): a step onto trees or
    // off the map slides along them (see slide) or, when it cannot, stops; then
    // the unit is entered in the grid and set on the ground.
    void walkOver(int ms, cMap* map, cColision* grid);
    // Trees and the map's edge: no unit may stand there.
    static bool blocksWalk(int kind);
    // After a step (from oldX, oldY) that ended where no unit may stand: keeps its x
    // part alone, else its y part alone, when that part is free and not a mere
    // sliver of the step. False, and the position untouched, when both are blocked.
    bool slide(const cMap& map, float oldX, float oldY);
    // Truncated cell coordinate; -1 for values no map can reach (also NaN).
    static int cellCoord(float v);

    float animRate;        // walk-cycle frames per world unit walked
    float animCarry;       // fraction of a frame earned but not yet shown, 0..1
    int shotSound;         // sound id fire() emits: 4, 5 or 6
    int id;                // unique, at least 1, never reused
    int deadState;         // 0 alive, 1 dying, 2 dead
    float initX, initY;    // start position, for resetPosition
    float x, y;            // position, world units
    float z;               // height of the unit's origin
    float angle;           // heading, degrees from +x towards +y
    int terrainKind;       // kind of the unit's cell; chooses the speed
    float targetX, targetY;
    float moveAngle;       // direction of the current walk, degrees
    float life;            // 100 full, 0 dead
    float groundSpeed;     // world units per second off water
    float waterSpeed;      // world units per second in water
    bool moving;
    bool shooting;
    int fireInterval;      // ms between two shots
    int fireTimer;         // ms until the next shot
    int idleTimer;         // ms until the next idle decision
    // The unit's own time, ms, and the times below that are read against it: 64
    // bits, so a unit that is never hurt (never restarts its clock) still blinks
    // after weeks of play.
    int64_t clock;
    int rockets, grenades;
    bool leader;
    cMeshCont* meshCont;   // not owned
    cTexture* textures;    // not owned
    cSoundEvents* sound;   // not owned; null: silent
    cGameSetup* gameSetup; // not owned
    int blinkFrame;        // 0 (eyes open) to 6
    int64_t nextBlink;     // clock value of the next blink step
    int blinkDir;          // 1 closing, 0 opening
    int blinkStep;         // ms per blink frame
    int animFrame;         // walk-cycle frame of the models
    int walkFirst, walkLast; // walk-cycle frame range
    int mood;              // 0 smile, 1 angry, 2 laught, 3 cry, 4 talk
    int moodFrame;
    int64_t moodNext;      // clock value of the next mood frame
    int moodStep;          // ms per mood frame
    int moodLen;           // frames the current mood lasts
    int64_t nextRandomMood; // clock value of the next random mood, -1 none
    float bodyColour[4];
    float lightColour[4];
    float teamColour[3];   // life-bar colour
    float blindColour[3];  // life-bar colour for a red-green colour-blind player
    int flash;             // muzzle-flash counter, -1 idle
    int lod;               // model set drawn, 0 (finest) to 3
    cRandomStream ownDraws; // both streams of a unit without a level
};
