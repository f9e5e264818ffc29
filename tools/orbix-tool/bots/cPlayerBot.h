// A headless player that plays as a new person does: straight walk orders at what is on screen, no planned paths.
#pragma once

#include <cstdint>

#include "bots/cBot.h"

class cEnemy;

class cPlayerBot : public cBot {
public:
    // Fixed before the levels were tuned to it; the README lists them.
    static constexpr int orderGapMs = 400;      // fastest a person clicks walk orders
    static constexpr float aimError = 0.5f;     // cells, on each axis of every click
    static constexpr int stuckMs = 1500;        // a leader standing this long is stuck
    static constexpr float sideStepMin = 4.0f;  // cells to one side when stuck
    static constexpr float sideStepMax = 8.0f;
    static constexpr float sideStepBack = 2.0f;  // cells back from the way to the target
    static constexpr int groupSize = 3;         // fewest enemies worth a rocket or grenade
    static constexpr int launchGapMs = 1200;
    // The view these clicks are made in: the level camera on an 800 x 600 window.
    static constexpr int viewWidth = 800, viewHeight = 600;

    explicit cPlayerBot(uint64_t seed);
    void think(cLevel& level) override;

    // True when the ground point (x, y) is inside the level camera's view.
    static bool onScreen(cLevel& level, float x, float y);

private:
    const cEnemy* pickTarget(cLevel& level) const;
    void launchAtGroup(cLevel& level, int now);
    void walkTowards(cLevel& level, const cEnemy& target, int now);
    void click(cLevel& level, float x, float y, int now);
    // Uniform in [lo, hi).
    float uniform(float lo, float hi);

    uint64_t state;
    bool walking = false;       // a walk order of ours is under way
    bool sideStepping = false;  // that order is a step aside, not at the target
    float walkX = 0, walkY = 0;
    int lastOrder = -orderGapMs;
    int lastLaunch = -launchGapMs;
    float stillX = -1, stillY = -1;  // where the leader was when he last stood still
    int stillSince = 0;
};
