// The checkpoint of a recording: one hash over everything a level's tick changes.
#pragma once

#include <cstdint>

class cLevel;

// Positions, headings, lives, ammunition and states of the squad, the fallen and the
// enemies; every projectile; the level's clock, state and carried ammunition.
uint64_t levelStateHash(cLevel& level);
