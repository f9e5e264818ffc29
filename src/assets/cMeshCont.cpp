// Loading the game's models in order, with their progress lines.
#include "assets/cMeshCont.h"

#include <cstdio>

namespace {

const char* const flameFile = "models/flame.ASE";
const char* const treesFile = "models/trees.ASE";

struct sPartName {
    const char* object;  // as the model files name it
    const char* label;   // as the progress line prints it
};

const sPartName partNames[cMeshCont::numParts] = {
    {"BallHead", "BallHead"},          {"BallLeftHand", "BallLHand"},  {"BallRightHand", "BallRHand"},
    {"BallPistol", "BallPistol"},      {"BallLFoot", "BallLFoot"},     {"BallRFoot", "BallRFoot"},
    {"BallBazookaOn", "BallBazookaOn"}, {"BallBazookaOff", "BallBazookaOff"},
};

void heading(const char* file)
{
    std::fprintf(stderr, "cMeshCont: Loading mesh from \"%s\" .. \n", file);
}

void loadObject(cMesh& mesh, const char* file, const char* object, const char* label)
{
    std::fprintf(stderr, "       %s .. ", label);
    std::fprintf(stderr, "%s\n", mesh.loadFromASE(file, 0, object) ? "OK" : "FAILED");
}

} // namespace

const char* const cMeshCont::files[cMeshCont::numFiles] = {
    "models/ball.ASE", "models/ball_L2.ASE", "models/ball_L4.ASE", "models/ball_L8.ASE", flameFile, treesFile};

cMeshCont::cMeshCont()
{
    for (int l = 0; l < numLods; ++l)
        lodFiles[l] = files[l];
}

cMeshCont::~cMeshCont()
{
    dispose();
}

bool cMeshCont::load()
{
    for (int l = 0; l < numLods; ++l) {
        heading(lodFiles[l]);
        for (int p = 0; p < numParts; ++p)
            loadObject(ball[p][l], lodFiles[l], partNames[p].object, partNames[p].label);
    }
    heading(flameFile);
    loadObject(flame, flameFile, "BallFlame", "BallFlame");
    heading(treesFile);
    for (int k = 0; k < numTreeKinds; ++k) {
        char stem[16], top[16];
        std::snprintf(stem, sizeof stem, "Tree%dStem", k + 1);
        std::snprintf(top, sizeof top, "Tree%dTop", k + 1);
        loadObject(trees[k][0], treesFile, stem, stem);
        loadObject(trees[k][1], treesFile, top, top);
    }
    return true;
}

void cMeshCont::dispose()
{
    for (auto& part : ball)
        for (cMesh& m : part)
            m.dispose();
    flame.dispose();
}
