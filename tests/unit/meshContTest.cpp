// The mesh container: load order, progress lines, missing files and levels kept apart.
#include "assets/cMeshCont.h"

#include "aseText.h"
#include "assetsTestFiles.h"

#include <gtest/gtest.h>

using namespace assetsTest;
using namespace aseText;

TEST(MeshCont, LoadsEveryModelInOrderAndAMissingLevelFileFailsOnlyItsParts)
{
    const char* const objects[] = {"BallHead",  "BallLeftHand", "BallRightHand", "BallPistol",
                                   "BallLFoot", "BallRFoot",    "BallBazookaOn", "BallBazookaOff"};
    const char* const labels[] = {"BallHead",  "BallLHand", "BallRHand",     "BallPistol",
                                  "BallLFoot", "BallRFoot", "BallBazookaOn", "BallBazookaOff"};
    const char* const lodFiles[] = {"models/ball.ASE", "models/ball_L2.ASE", "models/ball_L4.ASE", "models/ball_L8.ASE"};
    for (bool whole : {true, false}) {
        ScratchDir dir;
        // Each level's parts stand at x = level, so the test can tell which file a mesh came from;
        // in the broken set the last level file is missing and the head stands still.
        for (int lod = 0; lod < (whole ? 4 : 3); ++lod) {
            std::string text = scene();
            for (const char* object : objects) {
                const bool animated = whole && std::string(object) == "BallHead";
                text += geomObject(object, nodeTm(object, {100.0f * lod, 0, 0}) + meshBlock(squareVerts(), squareFaces()) +
                                               (animated ? animation(object, {{0, {0, 0, 0}}}, {}) : ""));
            }
            writeFile(dir.file(lodFiles[lod]), text);
        }
        writeFile(dir.file("models/flame.ASE"), scene() + square("BallFlame"));
        std::string trees = scene(), expected;
        for (int k = 1; k <= 3; ++k)
            trees += square("Tree" + std::to_string(k) + "Stem") + square("Tree" + std::to_string(k) + "Top");
        writeFile(dir.file("models/trees.ASE"), trees);
        for (int lod = 0; lod < 4; ++lod) {
            expected += std::string("cMeshCont: Loading mesh from \"") + lodFiles[lod] + "\" .. \n";
            for (const char* label : labels)
                expected += std::string("       ") + label + " .. " + (whole || lod < 3 ? "OK" : "FAILED") + "\n";
        }
        expected += "cMeshCont: Loading mesh from \"models/flame.ASE\" .. \n       BallFlame .. OK\n"
                    "cMeshCont: Loading mesh from \"models/trees.ASE\" .. \n";
        for (int k = 1; k <= 3; ++k)
            for (const char* part : {"Stem", "Top"})
                expected += "       Tree" + std::to_string(k) + part + " .. OK\n";

        WorkingDir cwd(dir.path);
        cMeshCont cont;
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(cont.load());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), expected);
        // The same object name in two level files gives meshes from each file.
        for (int lod = 0; lod < (whole ? 4 : 3); ++lod)
            EXPECT_FLOAT_EQ(cont.ball[cMeshCont::rightFoot][lod].getPos().x, static_cast<float>(lod));
        EXPECT_EQ(cont.ball[cMeshCont::head][3].isEmpty(), !whole);
        // Only an animated head has the walk cycle.
        const cMesh& head = cont.ball[cMeshCont::head][0];
        EXPECT_EQ(head.getNumFrames(), whole ? 101 : 0);
        EXPECT_EQ(head.getLoopFirst(), whole ? 20 : 0);
        EXPECT_EQ(head.getLoopLast(), whole ? 99 : 0);
        EXPECT_STREQ(cont.trees[2][1].getName(), "Tree3Top");
        cont.dispose();
        EXPECT_TRUE(cont.ball[cMeshCont::head][0].isEmpty());
        EXPECT_TRUE(cont.flame.isEmpty());
        cont.dispose();
    }
}
