// Terrain of one level: cell kinds, vertex heights, rolling water and trees, built from a map bitmap.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "shell/globals.h"
#include "world/cRandomStream.h"
#include "world/cTreeBatch.h"
#include "world/cWaterMesh.h"
#include "world/terrainKinds.h"

class cBitmap;
class cGameSetup;
class cRunState;
class cMeshCont;

// One tree to draw. x, y is where the model is drawn: the cell's corner point
// already shifted by minus the stem model's pivot, so the stem stands on the corner.
struct sTree {
    int kind;  // 0..2: which of the three tree models
    float x, y;
};

class cMap {
public:
    // Terrain kinds as the queries answer them.
    static constexpr int kGround = cellKind::ground;
    static constexpr int kWater = cellKind::water;
    static constexpr int kTree = cellKind::tree;
    static constexpr int kOutside = cellKind::outside;

    // A map bigger than this on a side would allocate far more than any playable
    // level needs, so it is refused.
    static constexpr int kMaxSide = 1024;

    // A waterLevel at or above this marks a vertex that touches no water.
    static constexpr float kNoWater = 100.0f;

    // Cells per side of a ground tile: the unit the view volume test keeps or leaves out.
    static constexpr int kGroundTile = 16;
    // The ground is drawn in squares of two cells a side when a cell spans fewer pixels
    // than this everywhere in view: smaller triangles than that only cost time.
    static constexpr float kFarGroundPixelsPerUnit = 5.0f;

    cMap();
    ~cMap();
    cMap(const cMap&) = delete;
    cMap& operator=(const cMap&) = delete;

    // generate, then tree placement; false when the map was refused or memory ran out,
    // and the model is then empty. Needs no GL context: the ground's display list is
    // compiled by the first renderTerrain after it.
    bool init(cBitmap& map);
    // Sizes the model to the bitmap and fills heights, shade, waterLevel, kinds, the
    // winter flag and the game setup's working minimap. Leaves the model empty (and
    // getRefusal says why) for a bitmap without pixels or above kMaxSide on a side.
    void generate(cBitmap& map);
    // Why the last generate left the model empty, in a few words; empty after a success.
    const std::string& getRefusal() const { return refusal; }
    // width, height = max(w, 1), max(h, 1); drops everything, then allocates the four
    // arrays (heights zero-filled). False, and empty, above kMaxSide or out of memory.
    bool resize(int w, int h);
    // Frees the arrays and the trees. The display list stays until it is rebuilt or
    // released by releaseGL, since freeing it needs a GL context.
    void dispose();

    // Queries take world coordinates; a cell contains [c, c+1) x [r, r+1) and a
    // coordinate of 0 or below lies outside. All answer 0 with no map.
    float getHeight(float x, float y) const;   // constant over a cell; 0 outside
    int getTerrain(float x, float y) const;    // kGround..kOutside
    void getTerrainInfo(float x, float y, int& kind, float& h) const;

    // Rolls the water surface by ms milliseconds (one radian of phase a second).
    void update(int ms);

    float getX() const { return static_cast<float>(width); }
    float getY() const { return static_cast<float>(height); }

    // Also merges the trees for drawing again, as the models may have changed.
    void setMeshCont(cMeshCont* m);
    void setGS(cGameSetup* gs) { gameSetup = gs; }
    void setShowWater(bool show) { showWater = show; }

    // Drawing. view is null (everything) or two points: low corner, high corner.
    void renderTerrain(const cPoint* view);
    // The water in view, translucent: drawn after everything it may cover.
    void renderWater();
    // Frees the ground's display lists and the trees' buffers; needs the context they were
    // built in. The next renderTerrain builds them again.
    void releaseGL();
    // First of the ground's display lists, one per square tile of kGroundTile cells, then
    // as many for the far ground; 0 until the first renderTerrain after a build.
    unsigned getGroundList() const { return terrainList; }

    // Read-only views of the model, for drawing, the level and tests.
    bool isGenerated() const { return heights != nullptr; }
    bool isWinter() const { return winter; }
    bool getShowWater() const { return showWater; }
    int getTreeCount() const { return treeCount; }
    const sTree* getTrees() const { return trees.get(); }
    // The trees as drawn: empty without models.
    const cTreeBatch& getTreeBatch() const { return treeBatch; }
    // Vertex values at grid point (vx, vy), 0 <= vx <= width, 0 <= vy <= height.
    // Outside the vertex grid the height reads 0 (the flat margin the normals use).
    float getVertexHeight(int vx, int vy) const;
    float getShade(int vx, int vy) const;
    float getWaterLevel(int vx, int vy) const;
    // Lighting normal of a vertex, from the four edge vectors to its neighbours.
    sVector getVertexNormal(int vx, int vy) const;
    // Phase of the water wave, radians in [0, 2*pi); it lasts the run, not the level.
    float getWaveAngle() const;

private:
    // Cell index of (x, y), or -1 when no such cell exists.
    int cellIndex(float x, float y) const;
    int vertexIndex(int vx, int vy) const { return vy * (width + 1) + vx; }
    float cellHeight(int cell) const;
    bool listWetVertices();
    void placeTrees();
    void mergeTrees();
    void paintMiniMap(int cell, const float* colour);
    void compileGround();
    // Compiles one tile's cells [c0, c1) x [r0, r1) into a display list, as made or, far,
    // in squares of two cells over the far heights.
    void compileGroundTile(unsigned list, int c0, int c1, int r0, int r1, bool far);
    // One quad of step x step cells from cell (c, r), in that cell's colour; inside glBegin.
    void emitGroundQuad(int c, int r, int step, bool far);
    // Height of a vertex in the far ground.
    float farVertexHeight(int vx, int vy) const;
    // Diffuse colour of the ground of a cell of that kind in this map's season; its
    // ambient colour is the season's for every cell.
    const float* groundDiffuse(int kind) const;
    void releaseGround();

    int width = 0;
    int height = 0;
    // Per vertex, (width + 1) x (height + 1), vertex (x, y) at y * (width + 1) + x.
    std::unique_ptr<float[]> heights;     // world units
    std::unique_ptr<float[]> shade;       // blue of the water surface over each vertex
    std::unique_ptr<float[]> waterLevel;  // animated water height, kNoWater where no water touches
    // Per cell, width x height, cell (c, r) at r * width + c.
    std::unique_ptr<int[]> terrain;
    // The vertices under the water surface with the fixed part of their wave
    // (sin and cos of index / 100), so that a tick costs a rotation, not a sine, per vertex.
    struct sWetVertex {
        int index;
        float s, c;
    };
    std::unique_ptr<sWetVertex[]> wet;
    int wetCount = 0;
    unsigned terrainList = 0;   // first GL display list of the ground; 0 when none exists
    // Bounds of each ground tile, in the order of its display list.
    struct sGroundTile {
        float low[3], high[3];
    };
    std::vector<sGroundTile> groundTiles;
    std::vector<unsigned> visibleTiles;  // this frame's tiles in view, reused between frames
    bool groundDirty = false;   // the list no longer matches the heights
    std::unique_ptr<sTree[]> trees;
    int treeCount = 0;
    cTreeBatch treeBatch;      // the trees merged for drawing
    cWaterMesh water;          // the wet cells in tiles, for drawing
    bool winter = false;
    std::string refusal;  // why the last generate failed; empty after a success

    float stemColour[4];
    float treeColour[4];
    float snowColour[4];
    float grassColour[4];
    float waterColour[4];
    // Diffuse colours of the ground: open ground, and the floor of every tree cell in summer
    // and winter. Only one tree cell in four carries a drawn tree, and a squad must see the
    // wood that stops it.
    float openDiffuse[4];
    float forestFloorDiffuse[4];
    float snowFloorDiffuse[4];

    cMeshCont* meshCont = nullptr;   // not owned: source of the tree meshes
    cGameSetup* gameSetup = nullptr; // not owned: owner of the minimap picture
    bool showWater = true;

    // The level's streams and run state through gameSetup; without one, stand-ins.
    cRandomStream& gameDraws();
    cRandomStream& looksDraws();
    cRunState& run() const;
    cRandomStream ownDraws;
};
