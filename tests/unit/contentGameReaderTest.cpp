// The generated models as the game itself reads them: every object loads with
// the game's mesh code, carries the parts it is drawn with, and its baked walk
// cycle keeps the feet on the ground and closes the loop.
#include "contentTestSupport.h"

#include "assets/cMeshCont.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>

using namespace contentTest;

namespace {

// The game reads its content through relative paths.
class cInContentFolder {
public:
    cInContentFolder() : before(std::filesystem::current_path()) { std::filesystem::current_path(dir()); }
    ~cInContentFolder() { std::filesystem::current_path(before); }

private:
    std::filesystem::path before;
};

// A corner of the mesh moved by a baked column-major frame matrix.
std::array<float, 3> place(const float* m, const float* v) {
    return {m[0] * v[0] + m[4] * v[1] + m[8] * v[2] + m[12], m[1] * v[0] + m[5] * v[1] + m[9] * v[2] + m[13],
            m[2] * v[0] + m[6] * v[1] + m[10] * v[2] + m[14]};
}

float lowestAt(const cMesh& mesh, int frame) {
    float low = 1e9f;
    for (int i = 0; i < mesh.getNumFaces() * 3; i++)
        low = std::min(low, place(mesh.getFrames()[frame].matrix, mesh.getFaces() + 3 * i)[2]);
    return low;
}

}  // namespace

TEST(ContentGameReader, EveryModelLoadsWithWhatItIsDrawnWith) {
    SKIP_WITHOUT_CONTENT();
    cInContentFolder here;
    testing::internal::CaptureStderr();
    cMeshCont meshes;
    meshes.load();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.find("FAILED"), std::string::npos) << log;

    for (int lod = 0; lod < cMeshCont::numLods; lod++)
        for (int part = 0; part < cMeshCont::numParts; part++) {
            const cMesh& m = meshes.ball[part][lod];
            ASSERT_FALSE(m.isEmpty()) << "part " << part << " lod " << lod;
            EXPECT_TRUE(m.hasNormals()) << m.getName();
            const bool skinned = part == cMeshCont::head || part == cMeshCont::pistol ||
                                 part == cMeshCont::bazookaOn || part == cMeshCont::bazookaOff;
            EXPECT_EQ(m.hasTexCoords(), skinned) << m.getName();
            // Every part moves with the walk, so each needs the whole scene's frames.
            EXPECT_EQ(m.getNumFrames(), 101) << m.getName();
            EXPECT_EQ(m.getLoopFirst(), 20) << m.getName();
            EXPECT_EQ(m.getLoopLast(), 99) << m.getName();
        }
    EXPECT_FALSE(meshes.flame.isEmpty());
    EXPECT_TRUE(meshes.flame.hasTexCoords());
    for (int k = 0; k < cMeshCont::numTreeKinds; k++) {
        EXPECT_FALSE(meshes.trees[k][0].isEmpty());
        EXPECT_FALSE(meshes.trees[k][1].isEmpty());
        EXPECT_EQ(meshes.trees[k][0].getNumFrames(), 0) << "trees stand still";
        EXPECT_FLOAT_EQ(meshes.trees[k][0].getPos().z, 0.0f) << "a tree's pivot is on the ground";
    }
}

TEST(ContentGameReader, BakedWalkKeepsFeetOnTheGroundAndClosesTheLoop) {
    SKIP_WITHOUT_CONTENT();
    cInContentFolder here;
    testing::internal::CaptureStderr();
    cMeshCont meshes;
    meshes.load();
    testing::internal::GetCapturedStderr();
    for (int lod = 0; lod < cMeshCont::numLods; lod++)
        for (int part : {cMeshCont::leftFoot, cMeshCont::rightFoot, cMeshCont::head}) {
            const cMesh& m = meshes.ball[part][lod];
            ASSERT_EQ(m.getNumFrames(), 101) << m.getName();
            for (int k = 0; k < 16; k++)
                EXPECT_NEAR(m.getFrames()[99].matrix[k], m.getFrames()[20].matrix[k], 1e-3) << m.getName() << " " << k;
            if (part == cMeshCont::head) continue;
            // Frame 20 is the standing pose: the foot rests on the ground, and
            // no frame pushes it into the ground.
            EXPECT_NEAR(lowestAt(m, 20), 0.0f, 0.01f) << m.getName();
            for (int f = 0; f <= 100; f++) EXPECT_GT(lowestAt(m, f), -0.01f) << m.getName() << " frame " << f;
        }
}
