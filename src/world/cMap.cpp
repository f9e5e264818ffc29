// Terrain generation from a map bitmap, the point queries and the water animation (no GL here).
#include "world/cMap.h"

#include <cmath>
#include <new>
#include <string>

#include "assets/cBitmap.h"
#include "assets/cMeshCont.h"
#include "world/cGameSetup.h"
#include "world/cRunState.h"

namespace {

constexpr float kTwoPi = 6.28318530717958647692f;

void setColour(float* out, int r, int g, int b) {
    out[0] = r / 255.0f;
    out[1] = g / 255.0f;
    out[2] = b / 255.0f;
    out[3] = 1.0f;
}

template <typename T>
std::unique_ptr<T[]> allocate(long long count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[static_cast<size_t>(count)]);
}

}  // namespace

cMap::cMap() {
    setColour(stemColour, 165, 121, 78);
    setColour(treeColour, 58, 167, 31);
    setColour(snowColour, 232, 232, 255);
    setColour(grassColour, 138, 198, 57);
    setColour(waterColour, 22, 15, 220);
    // Open ground keeps the render state's own material, half grey.
    openDiffuse[0] = openDiffuse[1] = openDiffuse[2] = 0.5f;
    openDiffuse[3] = 1.0f;
    setColour(forestFloorDiffuse, 38, 56, 20);
    setColour(snowFloorDiffuse, 50, 60, 72);
}

cMap::~cMap() { dispose(); }

void cMap::dispose() {
    heights.reset();
    shade.reset();
    waterLevel.reset();
    terrain.reset();
    wet.reset();
    wetCount = 0;
    trees.reset();
    treeCount = 0;
    treeBatch.clear();
    water.clear();
}

bool cMap::resize(int w, int h) {
    width = w < 1 ? 1 : w;
    height = h < 1 ? 1 : h;
    dispose();
    if (width > kMaxSide || height > kMaxSide) return false;

    const long long vertices = static_cast<long long>(width + 1) * (height + 1);
    const long long cells = static_cast<long long>(width) * height;
    heights = allocate<float>(vertices);
    shade = allocate<float>(vertices);
    waterLevel = allocate<float>(vertices);
    terrain = allocate<int>(cells);
    if (!heights || !shade || !waterLevel || !terrain) {
        dispose();
        return false;
    }
    for (long long i = 0; i < vertices; ++i) heights[i] = 0.0f;
    return true;
}

void cMap::paintMiniMap(int cell, const float* colour) {
    if (gameSetup) gameSetup->miniMap.getBitmapS()[cell].set(colour);
}

void cMap::generate(cBitmap& map) {
    const int w = map.getWidth();
    const int h = map.getHeight();
    const sRGBA* pixels = map.getBitmapS();
    refusal.clear();
    if (!pixels || w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) {
        refusal = "the map is " + std::to_string(w) + " x " + std::to_string(h) + " pixels; a side must be 1 to " +
                  std::to_string(kMaxSide);
        dispose();
        width = height = 0;
        return;
    }
    if (gameSetup) gameSetup->miniMap.resize(w, h);
    winter = pixels[mapColour::winterPixel(w, h)] == mapColour::winter;
    if (!resize(w, h)) {
        refusal = "there is not enough memory for a map of " + std::to_string(w) + " x " + std::to_string(h) + " pixels";
        width = height = 0;
        return;
    }
    groundDirty = true;

    // Heights set the units' z, so they are the game's draws; shades only show.
    cRandomStream& game = gameDraws();
    cRandomStream& looks = looksDraws();
    const int vertices = (width + 1) * (height + 1);
    for (int i = 0; i < vertices; ++i) {
        heights[i] = static_cast<float>(game.range(0.0, 0.4));
        shade[i] = 1.0f - heights[i];
        waterLevel[i] = kNoWater;
    }

    // A vertex sinks under water only when every cell around it is water; each vertex is
    // settled by exactly one of its cells, so the random depth is drawn once per vertex.
    const auto isWater = [&](int c, int r) { return mapColour::kindOf(pixels[r * width + c]) == kWater; };
    const auto allWaterAround = [&](int vx, int vy) {
        for (int r = vy - 1; r <= vy; ++r)
            for (int c = vx - 1; c <= vx; ++c)
                if (c >= 0 && r >= 0 && c < width && r < height && !isWater(c, r)) return false;
        return true;
    };

    for (int k = 0; k < width * height; ++k) {
        const int c = k % width;
        const int r = k / width;
        const float waterH = static_cast<float>(game.range(0.0, 0.4) - 1.0);
        const float waterShade = static_cast<float>(looks.range(0.9, 1.0));

        terrain[k] = mapColour::kindOf(pixels[k]);
        paintMiniMap(k, winter ? snowColour : grassColour);
        if (terrain[k] == kTree) {
            paintMiniMap(k, treeColour);
        } else if (terrain[k] == kWater) {
            paintMiniMap(k, waterColour);
            waterLevel[vertexIndex(c, r)] = 0.0f;
            waterLevel[vertexIndex(c + 1, r)] = 0.0f;
            waterLevel[vertexIndex(c, r + 1)] = 0.0f;
            waterLevel[vertexIndex(c + 1, r + 1)] = 0.0f;

            const auto sink = [&](int vx, int vy) {
                if (!allWaterAround(vx, vy)) return;
                heights[vertexIndex(vx, vy)] = waterH;
                shade[vertexIndex(vx, vy)] = waterShade;
            };
            sink(c, r);
            if (c == width - 1) sink(c + 1, r);
            if (r == height - 1) sink(c, r + 1);
            if (c == width - 1 && r == height - 1) sink(c + 1, r + 1);
        }
    }
    if (!listWetVertices()) {
        refusal = "there is not enough memory for a map of " + std::to_string(w) + " x " + std::to_string(h) + " pixels";
        dispose();
        width = height = 0;
        return;
    }
    water.build(width, height, waterLevel.get(), shade.get());
}

bool cMap::listWetVertices() {
    const int vertices = (width + 1) * (height + 1);
    int count = 0;
    for (int i = 0; i < vertices; ++i)
        if (waterLevel[i] < 50.0f) ++count;
    if (count == 0) return true;
    wet = allocate<sWetVertex>(count);
    if (!wet) return false;
    for (int i = 0; i < vertices; ++i) {
        if (waterLevel[i] >= 50.0f) continue;
        sWetVertex& v = wet[wetCount++];
        v.index = i;
        v.s = static_cast<float>(std::sin(i / 100.0));
        v.c = static_cast<float>(std::cos(i / 100.0));
    }
    return true;
}

bool cMap::init(cBitmap& map) {
    generate(map);
    if (!heights) return false;
    placeTrees();
    mergeTrees();
    return true;
}

void cMap::setMeshCont(cMeshCont* m) {
    meshCont = m;
    mergeTrees();
}

void cMap::mergeTrees() {
    if (meshCont)
        treeBatch.build(trees.get(), treeCount, *meshCont);
    else
        treeBatch.clear();
}

void cMap::placeTrees() {
    int cells = 0;
    for (int k = 0; k < width * height; ++k)
        if (terrain[k] == kTree) ++cells;
    if (cells == 0) return;

    trees = allocate<sTree>(cells);
    if (!trees) return;
    // Which tree cells show a model, and which model, only changes the picture.
    cRandomStream& looks = looksDraws();
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            if (terrain[r * width + c] != kTree) continue;
            if (looks.below(4) != 0) continue;
            sTree& t = trees[treeCount++];
            t.kind = looks.below(3);
            t.x = static_cast<float>(c);
            t.y = static_cast<float>(r);
            if (meshCont) {
                const sVector pivot = meshCont->trees[t.kind][0].getPos();
                t.x -= pivot.x;
                t.y -= pivot.y;
            }
        }
    }
}

int cMap::cellIndex(float x, float y) const {
    // Compared as floats first: converting a huge or non-finite coordinate to int is undefined.
    if (!(x > 0.0f) || !(y > 0.0f) || !(x < static_cast<float>(width)) || !(y < static_cast<float>(height)))
        return -1;
    return static_cast<int>(y) * width + static_cast<int>(x);
}

float cMap::cellHeight(int cell) const {
    const int c = cell % width;
    const int r = cell / width;
    const float* v = terrain[cell] == kWater ? waterLevel.get() : heights.get();
    return (v[vertexIndex(c, r)] + v[vertexIndex(c + 1, r)] + v[vertexIndex(c, r + 1)] +
            v[vertexIndex(c + 1, r + 1)]) /
           4.0f;
}

float cMap::getHeight(float x, float y) const {
    if (!heights) return 0.0f;
    const int cell = cellIndex(x, y);
    return cell < 0 ? 0.0f : cellHeight(cell);
}

int cMap::getTerrain(float x, float y) const {
    if (!terrain) return kGround;
    const int cell = cellIndex(x, y);
    return cell < 0 ? kOutside : terrain[cell];
}

void cMap::getTerrainInfo(float x, float y, int& kind, float& h) const {
    kind = kGround;
    h = 0.0f;
    if (!terrain) return;
    const int cell = cellIndex(x, y);
    if (cell < 0) {
        kind = kOutside;
        return;
    }
    kind = terrain[cell];
    h = cellHeight(cell);
}

cRandomStream& cMap::gameDraws() { return gameSetup ? gameSetup->gameRandom : ownDraws; }

cRandomStream& cMap::looksDraws() { return gameSetup ? gameSetup->looksRandom : ownDraws; }

cRunState& cMap::run() const { return gameSetup ? *gameSetup->runState : cRunState::detached(); }

float cMap::getWaveAngle() const { return run().waveAngle; }

void cMap::update(int ms) {
    float& waveAngle = run().waveAngle;
    // The surface is sin(index / 100 + angle) / 5 - 0.2, expanded by the angle-sum rule.
    const float sa = std::sin(waveAngle);
    const float ca = std::cos(waveAngle);
    for (int k = 0; k < wetCount; ++k) {
        const sWetVertex& v = wet[k];
        waterLevel[v.index] = (v.s * ca + v.c * sa) / 5.0f - 0.2f;
    }
    // Kept within one turn: an ever-growing float phase would stop advancing after a day or so.
    waveAngle = std::fmod(waveAngle + static_cast<float>(std::fmod(ms * 0.001, kTwoPi)), kTwoPi);
    if (waveAngle < 0.0f) waveAngle += kTwoPi;
}

float cMap::getVertexHeight(int vx, int vy) const {
    if (!heights || vx < 0 || vy < 0 || vx > width || vy > height) return 0.0f;
    return heights[vertexIndex(vx, vy)];
}

float cMap::getShade(int vx, int vy) const {
    if (!shade || vx < 0 || vy < 0 || vx > width || vy > height) return 0.0f;
    return shade[vertexIndex(vx, vy)];
}

const float* cMap::groundDiffuse(int kind) const {
    if (kind != kTree) return openDiffuse;
    return winter ? snowFloorDiffuse : forestFloorDiffuse;
}

float cMap::getWaterLevel(int vx, int vy) const {
    if (!waterLevel || vx < 0 || vy < 0 || vx > width || vy > height) return kNoWater;
    return waterLevel[vertexIndex(vx, vy)];
}

sVector cMap::getVertexNormal(int vx, int vy) const {
    const auto point = [&](int x, int y) {
        return sVector(static_cast<float>(x), static_cast<float>(y), getVertexHeight(x, y));
    };
    const sVector p = point(vx, vy);
    const sVector e = point(vx + 1, vy) - p;
    const sVector n = point(vx, vy + 1) - p;
    const sVector w = point(vx - 1, vy) - p;
    const sVector s = point(vx, vy - 1) - p;
    sVector en = e * n, nw = n * w, ws = w * s, se = s * e;
    en.normalize();
    nw.normalize();
    ws.normalize();
    se.normalize();
    return (en + nw + ws + se) / 4.0f;
}
