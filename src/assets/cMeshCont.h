// Every model of the game: the ball soldier's parts in four levels of detail, the muzzle flash and the trees.
#pragma once

#include "assets/cMesh.h"

class cMeshCont {
public:
    static constexpr int numParts = 8;
    static constexpr int numLods = 4;   // level 0 is the finest
    static constexpr int numTreeKinds = 3;

    // Ball parts, the first index of ball.
    enum eBallPart { head = 0, leftHand, rightHand, pistol, leftFoot, rightFoot, bazookaOn, bazookaOff };

    // ball[part][lod]; ball[head][0] is animated and its loop range is the units' walk cycle.
    cMesh ball[numParts][numLods];
    cMesh flame;
    // trees[kind][0] the stem, trees[kind][1] the top.
    cMesh trees[numTreeKinds][2];
    const char* lodFiles[numLods];
    // Every file load reads: the levels of detail, the flame, the trees.
    static constexpr int numFiles = numLods + 2;
    static const char* const files[numFiles];

    cMeshCont();
    ~cMeshCont();
    cMeshCont(const cMeshCont&) = delete;
    cMeshCont& operator=(const cMeshCont&) = delete;

    // Loads every model, one progress line per object on standard error. A missing file or
    // object leaves its mesh empty (drawing it draws nothing); always true.
    bool load();
    // Frees the ball meshes and the flame.
    void dispose();
};
