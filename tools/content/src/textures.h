// The unit textures: eye blink, the five moods, pistol, bazooka and muzzle flash.
// Magenta (255, 0, 255) marks where the ball shows through.
#pragma once

#include "cCanvas.h"

#include <string>

constexpr int kFaceSize = 128;  // face pictures are kFaceSize square

sColour keyColour();
// Blink frame 0 (eyes open) to 6 (closed).
cCanvas winkFrame(int frame);
// Mood 0 smile, 1 angry, 2 laugh, 3 cry, 4 talk; frame 0 to 6 of its loop.
cCanvas moodFrame(int mood, int frame);
cCanvas pistolSkin();
cCanvas bazookaSkin();
cCanvas flameSkin();

// Writes the 39 texture files into dir; false when one cannot be written.
bool writeTextures(const std::string& dir);
