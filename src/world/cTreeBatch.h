// Every tree of a map merged into shared indexed vertex arrays, grouped in square tiles, so a frame draws them in a few calls.
#pragma once

#include <cstdint>
#include <vector>

#include "shell/globals.h"

class cMesh;
class cMeshCont;
struct sTree;

class cTreeBatch {
public:
    // Cells per side of a tile: the unit of the view volume test.
    static constexpr int kTileCells = 8;
    static constexpr int kStem = 0;
    static constexpr int kTop = 1;
    // Detail levels: the models as made, and coarsened ones for tiles so far away that a
    // tree spans a few pixels, where the made model's triangles only cost time.
    static constexpr int kNear = 0;
    static constexpr int kFar = 1;
    // A tile is drawn far when a world unit spans fewer pixels than this at its nearest point.
    static constexpr float kFarPixelsPerUnit = 6.0f;
    // Grid cells per side that coarsen a model for the far level.
    static constexpr int kFarCells = 2;

    // Copies the models of the given trees, moved to their places, with the corners
    // that share position and normal within a model merged into one vertex, at both
    // detail levels. Needs no GL.
    // Only static, untextured parts with normals are merged; any other part (a modder's
    // animated or textured tree, or one without normals) is drawn mesh by mesh at each
    // tree's place, so it keeps its animation, texture coordinates and lighting.
    void build(const sTree* trees, int count, cMeshCont& meshes);
    // True when a part is merged into the arrays rather than drawn on its own.
    static bool merges(const cMesh& part);
    // True when every kind's model of the part (kStem or kTop) is a closed surface, so its
    // back faces are culled: they never show, and the renderer is spared half its triangles.
    bool cullsBackFaces(int part) const { return closed[part]; }
    void clear();

    // Draws the stems in stemColour, then the tops in topColour (the merged parts, then
    // those drawn mesh by mesh), leaving out tiles wholly
    // outside the current view volume and, when view is not null, every tree whose place
    // lies outside the box view[0]..view[1]. Each tile is drawn at the detail its distance
    // from the eye asks for.
    void render(const float* stemColour, const float* topColour, const cPoint* view);
    // Frees the GL buffers the arrays were copied into; needs the context that drew them.
    // Drawing again copies the arrays anew.
    void releaseGL();
    // GL buffer holding the vertices; 0 before the first drawing, after releaseGL, or
    // where GL has no buffer objects (the arrays are then drawn from memory).
    unsigned getVertexBuffer() const { return buffers[0]; }

    bool isEmpty() const { return treeCount() == 0; }
    int treeCount() const { return static_cast<int>(places.size()); }
    int tileCount() const { return static_cast<int>(tiles.size()); }
    int vertexCount() const { return static_cast<int>(positions.size() / 3); }
    // Triangles of one part (kStem or kTop) over every tree, at one detail level.
    int triangleCount(int part, int level = kNear) const;
    // Drawing order: trees sorted by tile, tile rows first.
    const std::vector<float>& getPositions() const { return positions; }
    const std::vector<float>& getNormals() const { return normals; }
    const std::vector<unsigned>& getIndices() const { return indices; }
    // Index range [first, end) of one tree's part within getIndices().
    int indexBegin(int part, int tree, int level = kNear) const {
        return static_cast<int>(indexStart[level][part][tree]);
    }
    int indexEnd(int part, int tree, int level = kNear) const {
        return static_cast<int>(indexStart[level][part][tree + 1]);
    }
    // Place of the tree at a drawing position, as the map gave it.
    float treeX(int tree) const { return places[tree].x; }
    float treeY(int tree) const { return places[tree].y; }

private:
    struct sTile {
        int firstTree, endTree;
        float low[3], high[3];      // bounds of every vertex of its trees
        float placeLow[2], placeHigh[2];  // bounds of its trees' places
    };
    struct sPlace {
        float x, y;
        int kind;
    };
    // A run of consecutive trees to draw.
    struct sRun {
        int first, end;
    };

    void upload();
    void addRun(int level, int first, int end);
    // indexBase: address of the indices, or 0 for the start of the bound index buffer.
    void drawRuns(int part, std::uintptr_t indexBase);
    // The parts left out of the arrays, one mesh at a time at each tree of the runs.
    void drawSingleParts(int part);
    // Face culling on for a closed part, off for any other.
    void cullBackFaces(int part) const;

    std::vector<float> positions;  // x, y, z per vertex, world units
    std::vector<float> normals;    // per vertex
    std::vector<unsigned> indices; // triangles; by level, every tree's stem, then every tree's top
    // By level and part, where each tree's indices and vertices start; one more entry closes the last.
    std::vector<unsigned> indexStart[2][2];
    std::vector<unsigned> vertexStart[2][2];
    std::vector<sPlace> places;
    std::vector<sTile> tiles;
    std::vector<sRun> runs[2];  // by level, this frame's trees to draw, reused between frames
    cMeshCont* meshes = nullptr;  // not owned; the models of the parts drawn on their own
    bool single[3][2] = {};       // by kind and part: drawn on its own
    bool closed[2] = {};          // by part: see cullsBackFaces
    unsigned buffers[2] = {0, 0};  // GL vertex (positions, then normals) and index buffers
    bool uploaded = false;         // the buffers hold the arrays as they are now
};
