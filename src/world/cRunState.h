// What lasts the whole program rather than one level: the water's wave, unit ids, soldier names, difficulty.
#pragma once

#include "level/difficulty.h"

#include <cstdint>

// The game owns one and hands it to every level it starts; a recording stores it at each
// level start and a replay restores it, so a level plays the same whatever came before.
class cRunState {
public:
    // Water wave phase, radians in [0, 2 pi).
    float waveAngle = 0.0f;
    // Last unit id handed out; ids start at 1 and are never reused.
    int lastUnitId = 0;
    // Index of the next soldier's name.
    int nameIndex = 0;
    // The difficulty the level plays, as the controller chose it; kept here so that a
    // recording stores it with the rest and a replay plays the same step.
    eDifficulty difficulty = eDifficulty::veteran;

    int takeUnitId() { return ++lastUnitId; }
    // Stands in for the game's state where a unit or a map is used outside any level (tools, tests).
    static cRunState& detached();
    bool operator==(const cRunState&) const = default;
};
