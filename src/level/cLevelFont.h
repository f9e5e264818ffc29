// The level's message font: 256 glyph lists over the font picture in three colours.
#pragma once

#include "level/iLevelDrawing.h"

class cLevelFont : public iLevelDrawing {
public:
    enum { red = 0, yellow = 1, white = 2 };

    cLevelFont() = default;
    ~cLevelFont() override;
    cLevelFont(const cLevelFont&) = delete;
    cLevelFont& operator=(const cLevelFont&) = delete;

    // Needs a GL context. A font picture that cannot be read leaves the glyphs
    // transparent (messages stay invisible) and says so on standard error.
    void build();
    // First of the 256 glyph lists, one per character code; 0 while unbuilt.
    unsigned int getBase() const { return base; }
    unsigned int getTexture(int colour) const { return tex[colour]; }

private:
    unsigned int base = 0;
    unsigned int tex[3] = {0, 0, 0};  // red, yellow, white
};
