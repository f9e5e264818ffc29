// The level's context that its terrain and units reach: random streams, run state, minimap, last 3D view, toggles.
#pragma once

#include "assets/cBitmap.h"
#include "world/cRandomStream.h"
#include "world/cRunState.h"

// Base class of cLevel; the terrain and every unit keep a non-owning pointer to it.
// Fields are public on purpose: the terrain paints the minimap, units mark it and read
// the view, the level fills the view and flips the toggles.
class cGameSetup {
public:
    // Clean picture of the terrain from above, one pixel per terrain cell; taken once per level build.
    cBitmap miniMapSaved;
    // Model-view matrix of the last 3D pass, column-major, in terrain coordinates.
    double modelview[16] = {};
    // Projection matrix of the last 3D pass, column-major.
    double projection[16] = {};
    // Viewport of the last 3D pass: x, y, width, height in window pixels.
    int viewport[4] = {};
    // The level's window size in pixels; not owned, null until the level points them at its own.
    int* pWinWidth = nullptr;
    int* pWinHeight = nullptr;
    bool showLifeMeters = false;
    // Working minimap: reset from miniMapSaved each shown frame, then marked by the units.
    cBitmap miniMap;
    // GL texture name of the 64 x 64 minimap; 0 until init.
    unsigned miniMapTex = 0;
    bool showMiniMap = false;
    // Squad and enemy marks and meters in blue and orange, which a red-green colour-blind
    // player tells apart, instead of green and red.
    bool colourBlind = false;

    // Draws that change the game (decisions, spread of fire, anything that moves a unit),
    // and draws that only change what is shown; kept apart so that loading or drawing
    // models, which draw only the second, leaves the game as it is.
    cRandomStream gameRandom;
    cRandomStream looksRandom;
    // Not owned: the game's, handed in at the level's start; the level's own until then.
    cRunState* runState = &ownRunState;

    // Side length of the uploaded minimap texture, whatever the map's size.
    static constexpr int miniMapTexSize = 64;

    cGameSetup();
    virtual ~cGameSetup() = default;
    cGameSetup(const cGameSetup&) = delete;
    cGameSetup& operator=(const cGameSetup&) = delete;

    // Creates the minimap texture name (needs a GL context). A new name per level build.
    void init();
    // miniMapSaved becomes a copy of miniMap (same size, every pixel).
    void saveMiniMap();
    // miniMap becomes a copy of miniMapSaved again, clearing the unit marks.
    void initMiniMap();
    // Fills out with the 64 x 64 nearest-neighbour version of miniMap; no GL needed.
    void shrinkMiniMap(cBitmap& out) const;
    // Uploads the 64 x 64 version of miniMap into miniMapTex (needs a GL context).
    void createMiniMapTex();

private:
    cRunState ownRunState;
};
