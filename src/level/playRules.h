// What the player's campaign changes in a level, beyond the game as it is
// without --campaign; the defaults are that game exactly.
#pragma once

#include "level/difficulty.h"

struct sPlayRules {
    // What the squad suffers. Veteran is the game as it is without the campaign;
    // recruit and regular soften it and never touch the player's own weapons.
    eDifficulty difficulty = eDifficulty::veteran;
    // The campaign's own ways of playing: the camera follows the leader, a launch
    // chord gives no walk or fire order, hits and attackers off screen are shown.
    bool campaign = false;
    // In the campaign, the camera glides to each order instead of following.
    bool classicCamera = false;
    // Squad and enemy marks and meters in colours a red-green colour-blind player tells apart.
    bool colourBlind = false;
};
