// The GLUT services the HUD widgets draw with: the elapsed-time clock and the bitmap fonts.
#pragma once

enum class eHudFont { helvetica12, helvetica18, timesRoman24, fixed9x15 };

// Milliseconds since GLUT started.
int hudElapsedMs();
// Writes text at the current raster position, one glyph after the other.
void hudBitmapText(eHudFont font, const char* text);
