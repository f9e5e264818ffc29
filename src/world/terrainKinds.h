// Terrain kinds and the map colour code: the one table that the map, the level, the level rules and the tools read.
#pragma once

#include <cstddef>

#include "shell/globals.h"

// What a cell is, numbered as cMap's terrain queries answer. Recordings and the
// state hash carry these numbers, so an existing kind keeps its number.
namespace cellKind {
enum eKind : unsigned char {
    ground = 0,   // open land: walked on, shot across
    water = 1,    // under the rolling water surface; the cell's height follows the wave
    tree = 2,     // a tree cell: stops units and projectiles, whether a model stands on it or not
    outside = 5,  // any point off the map; no cell holds it, so it stays apart from the cell kinds
};
}  // namespace cellKind

// The map colour code: a level is a picture, one pixel a cell, row 0 the bottom row.
// Only these exact colours mean something; every other colour is plain ground.
namespace mapColour {
inline constexpr sRGBA tree(0, 0, 0, 255);          // black: a tree cell
inline constexpr sRGBA water(0, 0, 255, 255);       // blue: a water cell
inline constexpr sRGBA enemy(255, 0, 0, 255);       // red: an enemy starts here, on ground
inline constexpr sRGBA squad(0, 255, 0, 255);       // green: the squad starts here, on ground (the last one counts)
inline constexpr sRGBA winter(255, 255, 255, 255);  // white, read at the top-left pixel only: a snow map

// The kind a pixel gives its cell; the start markers stand on ground.
constexpr cellKind::eKind kindOf(const sRGBA& pixel) {
    return pixel == tree ? cellKind::tree : pixel == water ? cellKind::water : cellKind::ground;
}

// Index of the top-left pixel, the one that marks winter, in a w x h picture stored bottom row first.
constexpr size_t winterPixel(int w, int h) { return static_cast<size_t>(w) * static_cast<size_t>(h - 1); }
}  // namespace mapColour
