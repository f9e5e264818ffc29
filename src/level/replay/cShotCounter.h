// Counts the squad's shots over a level's ticks, for the outcome lines of bot play and replays.
#pragma once

#include <vector>

class cBullet;
class cLevel;
struct sLevelInput;

class cShotCounter {
public:
    // Call after each tick: counts the squad's new bullets.
    void afterTick(cLevel& level);
    // Call around an input: counts a rocket or grenade a launch order sent off.
    void beforeInput(cLevel& level);
    void afterInput(cLevel& level, const sLevelInput& in);
    int getShots() const { return shots; }

private:
    std::vector<const cBullet*> seen;  // squad bullets in flight after the last tick
    std::vector<const cBullet*> now;
    int shots = 0;
    int carried = 0;  // the squad's rockets and grenades before the input
};
