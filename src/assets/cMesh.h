// One drawable model part: a triangle soup with optional normals, texture coordinates and baked node animation.
#pragma once

#include "shell/globals.h"

#include <string>
#include <vector>

class cASELoader;

// One frame of a node animation.
struct sAnimation {
    float pos[3];      // node position, game units
    float axis[3];     // rotation axis of this frame's key
    float angle;       // rotation angle of this frame's key, degrees
    float matrix[16];  // baked model matrix, column-major as OpenGL stores it

    void reset();
};

class cMesh {
public:
    static constexpr int nameSize = 36;  // 35 characters and the terminating zero
    // Frames of a self-running loop: the walk cycle of the ball's parts.
    static constexpr int defaultLoopFirst = 20;
    static constexpr int defaultLoopLast = 99;
    // More frames than this is not a game animation but a broken or hostile file.
    static constexpr int maxFrames = 1 << 16;

    cMesh();
    ~cMesh();
    cMesh(const cMesh&) = delete;
    cMesh& operator=(const cMesh&) = delete;

    void dispose();
    // Storage for the given counts (all >= 0, frames may be 0) with default frames; false, and
    // disposed, when a count is negative or too large.
    bool realloc(int numVertices, int numFaces, int numFrames);

    // Builds the mesh from the object called name, or when name is null the object at position
    // index, of an ASE file. False, leaving the mesh empty, for a missing or broken object.
    bool loadFromASE(const char* path, unsigned char index, const char* name);
    bool saveToBinFile(const char* path) const;
    // False, leaving the mesh empty, for a missing, short or inconsistent file.
    bool loadFromBinFile(const char* path);

    // Bakes every frame's model matrix from the node transform and the keys; needs no GL.
    void countTransf();

    // Frame whose matrix the next draw with this request uses, or -1 for a static mesh:
    // frame < 0 steps the self-running loop, other frames are clamped to the mesh's frames.
    int pickFrame(int frame);
    // Draw with vertex arrays; an empty mesh draws nothing.
    void render(int frame);
    // As render, with the texture coordinates fed to texture units 0 and 1.
    void renderMT(int frame);

    // Summary to standard output.
    void printInfo() const;

    // Why the last loadFromASE failed, in a few words; empty after a success.
    const std::string& getLoadError() const { return loadError; }
    const char* getName() const { return name; }
    int getNumVertices() const { return numVertices; }
    int getNumFaces() const { return numFaces; }
    int getNumFrames() const { return numFrames; }
    int getLoopFirst() const { return loopFirst; }
    int getLoopLast() const { return loopLast; }
    int getCurrentFrame() const { return currentFrame; }
    bool isEmpty() const { return faces.empty(); }
    bool hasNormals() const { return !normals.empty(); }
    bool hasTexCoords() const { return !texCoords.empty(); }
    // A loaded model that is a closed surface wound outwards (assets/closedSurface.h): its
    // back faces never show, so drawing culls them.
    bool isClosed() const { return closed; }
    // Node position in game units.
    sVector getPos() const { return sVector(pos[0], pos[1], pos[2]); }
    const float* getVertices() const { return vertices.data(); }
    // Per face 3 corners x (x, y, z); normals and texture coordinates are laid out the same way.
    const float* getFaces() const { return faces.data(); }
    const float* getNormals() const { return normals.data(); }
    const float* getTexCoords() const { return texCoords.data(); }
    const sAnimation* getFrames() const { return frames.data(); }
    const float* getTM() const { return tm; }
    const float* getRotAxis() const { return rotAxis; }
    float getRotAngle() const { return rotAngle; }

private:
    void draw(int frame, bool twoUnits);
    // The optional parts of an ASE object; each false leaves its part out.
    bool readTexCoords(cASELoader& ase, long long countLimit);
    bool readNormals(cASELoader& ase);
    bool readAnimation(cASELoader& ase, int ticksPerFrame);
    // One position or rotation track; node is the node in hand before and after.
    bool readTrack(cASELoader& ase, int sampleNode, int ticksPerFrame, int& node);

    std::vector<float> vertices;   // numVertices x 3, game units
    int numVertices = 0;
    std::vector<float> faces;      // numFaces x 3 corners x 3, copied from vertices
    bool closed = false;           // set by the loaders
    int numFaces = 0;
    std::vector<float> texCoords;  // numFaces x 3 x (u, v, w), or empty
    std::vector<float> normals;    // numFaces x 3 x 3, or empty
    std::vector<sAnimation> frames;  // empty for a static mesh
    int numFrames = 0;
    int loopFirst = 0;
    int loopLast = 0;
    int currentFrame = 0;
    char name[nameSize] = {};
    float tm[16] = {};
    float pos[3] = {};      // game units
    float rotAxis[3] = {};
    float rotAngle = 0;     // degrees
    std::string loadError;
};
