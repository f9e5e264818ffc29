// libFuzzer target: any bytes as a map file through terrain, markers and play; a refused map leaves a safe level.
#include "assets/cBitmap.h"
#include "fuzzSupport.h"
#include "level/cLevel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Ground and water heights are offsets of well under a unit; the marker for dry vertices
// (a hundred) must never show through as a height.
bool plausibleHeight(float h) { return std::isfinite(h) && h > -10.0f && h < 10.0f; }

void probeTerrain(cMap& map) {
    const float w = std::max(map.getX(), map.getY());
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float xs[] = {-1e30f, -1.0f, 0.0f, 0.5f, w / 2, w - 0.5f, w, w + 1.0f, 1e30f, inf, -inf, nan};
    for (float x : xs)
        for (float y : xs) {
            int kind = -1;
            float height = 0;
            map.getTerrainInfo(x, y, kind, height);
            FUZZ_CHECK(kind == map.getTerrain(x, y));
            FUZZ_CHECK(kind == cMap::kGround || kind == cMap::kWater || kind == cMap::kTree ||
                       kind == cMap::kOutside);
            FUZZ_CHECK(plausibleHeight(map.getHeight(x, y)));
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const cScratchFolder folder("mapFuzz", {"maps"});
    if (!fuzzWriteFile("maps/fuzz.bmp", data, size)) return 0;

    cBitmap bitmap;
    const bool readable = bitmap.loadFromFile("maps/fuzz.bmp");
    cLevel level(1);
    level.setMapName("fuzz.bmp");
    level.seed(1);
    if (!level.init()) {
        FUZZ_CHECK(level.getState() == cLevel::stateInactive);
        FUZZ_CHECK(level.getSquad() == nullptr && level.getEnemies() == nullptr);
        FUZZ_CHECK(level.update(16) == 3);
        return 0;
    }
    FUZZ_CHECK(readable);
    cMap& map = level.getMap();
    FUZZ_CHECK(map.isGenerated());
    FUZZ_CHECK(map.getX() == bitmap.getWidth() && map.getY() == bitmap.getHeight());
    const cPlayerBall* leader = level.getSquad();
    FUZZ_CHECK(leader != nullptr);
    FUZZ_CHECK(leader->getX() >= 0 && leader->getX() < map.getX() && leader->getY() >= 0 &&
               leader->getY() < map.getY());
    probeTerrain(map);
    for (int i = 0; i < map.getTreeCount(); ++i) FUZZ_CHECK(map.getTrees()[i].kind >= 0 && map.getTrees()[i].kind < 3);

    level.update(60);
    for (int tick = 0; tick < 3; ++tick) level.update(40);
    level.restart();
    level.update(60);
    map.update(1000);
    FUZZ_CHECK(plausibleHeight(map.getHeight(map.getX() / 2, map.getY() / 2)));
    return 0;
}
