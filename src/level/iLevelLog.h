// Points from a level to whatever records it: every input that changes the simulation, and every tick.
#pragma once

#include <cstdint>

class cLevel;

// One input to a level, as cLevel::apply takes it back.
struct sLevelInput {
    enum eKind : uint8_t {
        aim = 1,       // x, y: the ground point the squad turns to
        move,          // x, y
        fire,
        launch,        // x, y
        selectRocket,  // value 1 rocket, 0 grenade
        keyUp,         // value: the folded key code
        god,           // value 0 or 1
        water,         // value 0 or 1
        // 9 was the intro's end, which the tick now decides; the number stays unused so
        // that the other kinds keep theirs.
        holdFire = 10,
        grenades,      // value: the carried count
        rockets,       // value: the carried count
        withdrawMove,  // the last walk order is taken back (the campaign's launch chord)
        lastKind = withdrawMove
    };
    eKind kind = aim;
    int value = 0;
    float x = 0, y = 0;  // world units
};

class iLevelLog {
public:
    virtual ~iLevelLog() = default;
    // Before the input acts.
    virtual void input(const sLevelInput& in) = 0;
    // After each update, with its elapsed milliseconds.
    virtual void ticked(cLevel& level, int ms) = 0;
};
