// A simple headless player: plays one level at a fixed step, giving the squad the orders a player would.
#pragma once

#include "level/cLevel.h"
#include "level/replay/cShotCounter.h"

#include <vector>

class cBullet;
class cMap;

struct sBotResult {
    int outcome = 0;        // cBot::won, failed or timeout
    int timeMs = 0;         // level time played
    int soldiersLost = 0;
    int enemiesKilled = 0;
    int shots = 0;          // squad bullets, rockets and grenades
};

class cBot {
public:
    virtual ~cBot() = default;
    enum { won = 0, failed = 1, timeout = 2 };
    static constexpr int thinkMs = 100;  // a player's reaction time between orders, in level time

    // Plays an initialised level until it is won or lost, or maxMs of level time pass,
    // handing the level's update frames of frameMs as the game's timer would.
    sBotResult play(cLevel& level, int maxMs, int frameMs = cLevel::stepMs);
    // One look at the level and the orders it calls for.
    virtual void think(cLevel& level);
    static const char* outcomeName(int outcome);

protected:
    // Inside a bullet's reach with some margin, so shots arrive (world units).
    static const float fireRange;
    // Nearer than this a blast would catch our own file too.
    static const float safeBlastDistance;
    // Enemies within this of each other are one group for a rocket or grenade.
    static const float groupRadius;
    static float planar(float ax, float ay, float bx, float by);

    int shots = 0;  // rockets and grenades launched

private:
    void launchAtGroup(cLevel& level);
    // The next point to walk to on a tree-free way from (fx, fy) to a cell with a clear
    // shot at (tx, ty); false when no such cell can be reached.
    bool planWay(cMap& map, float fx, float fy, float tx, float ty, float& wx, float& wy);

    std::vector<int> cameFrom;         // per map cell: previous cell of the search, -1 unseen
    std::vector<int> frontier;
    cShotCounter shotCounter;          // squad bullets
    int launchWait = 0;                // ms until the next rocket or grenade
    bool marching = false;             // a move order is under way
    float marchX = 0, marchY = 0;
};
