// Writes RGB pictures as PNG files with no outside library (stored, uncompressed deflate blocks).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgb holds height rows of width pixels, three bytes each, top row first.
bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
