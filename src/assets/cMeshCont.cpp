// Loading the game's models in order, with their progress lines.
#include "assets/cMeshCont.h"

#include <cstdio>

namespace {

const char* const lodfiles[cMeshCont::numLods] = {
    "models/ball.ASE", "models/ball_L2.ASE", "models/ball_L4.ASE", "models/ball_L8.ASE"};

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

cMeshCont::cMeshCont()
{
    for (int l = 0; l < numLods; ++l)
        lodFiles[l] = lodfiles[l];
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
    heading("models/flame.ASE");
    loadObject(flame, "models/flame.ASE", "BallFlame", "BallFlame");
    heading("models/trees.ASE");
    for (int k = 0; k < numTreeKinds; ++k) {
        char stem[16], top[16];
        std::snprintf(stem, sizeof stem, "Tree%dStem", k + 1);
        std::snprintf(top, sizeof top, "Tree%dTop", k + 1);
        loadObject(trees[k][0], "models/trees.ASE", stem, stem);
        loadObject(trees[k][1], "models/trees.ASE", top, top);
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
