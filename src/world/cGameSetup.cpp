// The level's view context: minimap copies and the 64 x 64 resample.
#include "world/cGameSetup.h"

#include <algorithm>

namespace {

void copyPixels(const cBitmap& from, cBitmap& to)
{
    to.resize(from.getWidth(), from.getHeight());
    const sRGBA* src = from.getBitmapS();
    std::copy(src, src + static_cast<size_t>(from.getWidth()) * from.getHeight(), to.getBitmapS());
}

} // namespace

cGameSetup::cGameSetup() : miniMapSaved(0, 0), miniMap(0, 0) {}

void cGameSetup::saveMiniMap()
{
    copyPixels(miniMap, miniMapSaved);
}

void cGameSetup::initMiniMap()
{
    // Same size by contract; copying with the size keeps a mismatch from writing out of bounds.
    if (miniMap.getWidth() == miniMapSaved.getWidth() && miniMap.getHeight() == miniMapSaved.getHeight()) {
        const sRGBA* src = miniMapSaved.getBitmapS();
        std::copy(src, src + static_cast<size_t>(miniMap.getWidth()) * miniMap.getHeight(), miniMap.getBitmapS());
    } else {
        copyPixels(miniMapSaved, miniMap);
    }
}

void cGameSetup::shrinkMiniMap(cBitmap& out) const
{
    copyPixels(miniMap, out);
    out.stretch(miniMapTexSize);
}
