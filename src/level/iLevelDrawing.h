// What the drawing side keeps for a level (GL names), owned by the level so that it
// goes with it, but never looked into by the simulation: deleting it through this
// interface keeps GL out of the simulation library.
#pragma once

class iLevelDrawing {
public:
    virtual ~iLevelDrawing() = default;
};
