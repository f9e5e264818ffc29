// Interface pictures: the message font, the menu background and the two
// weapon icons of the squad panel.
#pragma once

#include "cCanvas.h"

#include <string>

// 256 x 256, a 16 x 16 grid of 16-pixel cells; cell i holds character i + 32,
// pure white on pure black.
cCanvas fontSheet();
// The 5 x 7 pattern of a character (rows top to bottom, bit 4 the leftmost
// column); characters without a glyph give all zeros.
const unsigned char* glyphRows(int character);
cCanvas poppyField();
cCanvas grenadeIcon();
cCanvas rocketIcon();

// Writes the four pictures into dir; false when one cannot be written.
bool writeGraphics(const std::string& dir);
