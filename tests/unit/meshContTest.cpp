// The mesh container: load order, progress lines, missing files and levels kept apart.
#include "assets/cMeshCont.h"

#include "aseText.h"
#include "assetsTestFiles.h"

#include <gtest/gtest.h>

using namespace assetsTest;
using namespace aseText;

namespace {

const char* const ballObjects[] = {"BallHead",  "BallLeftHand", "BallRightHand", "BallPistol",
                                   "BallLFoot", "BallRFoot",    "BallBazookaOn", "BallBazookaOff"};
const char* const ballLabels[] = {"BallHead",  "BallLHand", "BallRHand",     "BallPistol",
                                  "BallLFoot", "BallRFoot", "BallBazookaOn", "BallBazookaOff"};
const char* const lodFiles[] = {"models/ball.ASE", "models/ball_L2.ASE", "models/ball_L4.ASE", "models/ball_L8.ASE"};

// Each level's parts stand at x = level, so the test can tell which file a mesh came from.
void writeModels(const ScratchDir& dir, bool animatedHead = true)
{
    for (int lod = 0; lod < 4; ++lod) {
        std::string text = scene();
        for (const char* object : ballObjects) {
            std::string anim = animatedHead && std::string(object) == "BallHead" ? animation(object, {{0, {0, 0, 0}}}, {}) : "";
            text += geomObject(object, nodeTm(object, {100.0f * lod, 0, 0}) +
                                           meshBlock(squareVerts(), squareFaces()) + anim);
        }
        writeFile(dir.file(lodFiles[lod]), text);
    }
    writeFile(dir.file("models/flame.ASE"), scene() + square("BallFlame"));
    std::string trees = scene();
    for (int k = 1; k <= 3; ++k)
        trees += square("Tree" + std::to_string(k) + "Stem") + square("Tree" + std::to_string(k) + "Top");
    writeFile(dir.file("models/trees.ASE"), trees);
}

std::string expectedOutput(int failedLod)
{
    std::string out;
    for (int lod = 0; lod < 4; ++lod) {
        out += std::string("cMeshCont: Loading mesh from \"") + lodFiles[lod] + "\" .. \n";
        for (const char* label : ballLabels)
            out += std::string("       ") + label + " .. " + (lod == failedLod ? "FAILED" : "OK") + "\n";
    }
    out += "cMeshCont: Loading mesh from \"models/flame.ASE\" .. \n       BallFlame .. OK\n";
    out += "cMeshCont: Loading mesh from \"models/trees.ASE\" .. \n";
    for (int k = 1; k <= 3; ++k)
        for (const char* part : {"Stem", "Top"})
            out += "       Tree" + std::to_string(k) + part + " .. OK\n";
    return out;
}

} // namespace

TEST(MeshCont, LoadsEveryModelInOrderWithItsLine)
{
    ScratchDir dir;
    writeModels(dir);
    WorkingDir cwd(dir.path);
    cMeshCont cont;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(cont.load());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), expectedOutput(-1));
    // The same object name in two level files gives meshes from each file.
    for (int lod = 0; lod < 4; ++lod)
        EXPECT_FLOAT_EQ(cont.ball[cMeshCont::rightFoot][lod].getPos().x, static_cast<float>(lod));
    EXPECT_EQ(cont.ball[cMeshCont::head][0].getLoopFirst(), 20);
    EXPECT_EQ(cont.ball[cMeshCont::head][0].getLoopLast(), 99);
    EXPECT_STREQ(cont.trees[2][1].getName(), "Tree3Top");
    cont.dispose();
    EXPECT_TRUE(cont.ball[cMeshCont::head][0].isEmpty());
    EXPECT_TRUE(cont.flame.isEmpty());
    cont.dispose();
}

TEST(MeshCont, MissingLevelFileFailsItsPartsOnlyAndAStillHeadHasNoWalkCycle)
{
    ScratchDir dir;
    writeModels(dir, false);
    std::filesystem::remove(dir.file("models/ball_L8.ASE"));
    WorkingDir cwd(dir.path);
    cMeshCont cont;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(cont.load());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), expectedOutput(3));
    EXPECT_TRUE(cont.ball[cMeshCont::head][3].isEmpty());
    const cMesh& head = cont.ball[cMeshCont::head][0];
    EXPECT_FALSE(head.isEmpty());
    EXPECT_EQ(head.getNumFrames(), 0);
    EXPECT_EQ(head.getLoopFirst(), 0);
    EXPECT_EQ(head.getLoopLast(), 0);
}
