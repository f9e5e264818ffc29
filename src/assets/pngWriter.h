// Writes RGB pictures as PNG files through libpng: the tool's model sheets and the game's screenshots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgb holds height rows of width pixels, three bytes each, top row first.
// False, with no file left behind, when the sizes do not match or the file cannot be written.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
