// The generated models as the game reads them: every part loads with what it is drawn
// with, the levels of detail grow coarser, the ball stands one cell wide facing -y, the
// walk keeps the feet on the ground and closes its loop, and the trees stand on their pivots.
#include "contentTestSupport.h"

#include "assets/cMeshCont.h"
#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

using namespace contentTest;

namespace {

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

// Lowest and highest value of one coordinate over the mesh's corners.
std::array<float, 2> span(const cMesh& m, int axis) {
    std::array<float, 2> s{1e9f, -1e9f};
    for (int i = 0; i < m.getNumFaces() * 3; i++)
        s = {std::min(s[0], m.getFaces()[3 * i + axis]), std::max(s[1], m.getFaces()[3 * i + axis])};
    return s;
}

class ContentModels : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_CONTENT();
        assetsTest::WorkingDir here(dir());  // the game reads its content by relative paths
        testing::internal::CaptureStderr();
        meshes.load();
        log = testing::internal::GetCapturedStderr();
    }
    cMeshCont meshes;
    std::string log;
};

}  // namespace

TEST_F(ContentModels, EveryPartLoadsWithWhatItIsDrawnWithAndLevelsGrowCoarser) {
    EXPECT_EQ(log.find("FAILED"), std::string::npos) << log;
    int previous = 2000;  // triangles the finest ball may have
    for (int lod = 0; lod < cMeshCont::numLods; lod++) {
        int triangles = 0;
        for (int part = 0; part < cMeshCont::numParts; part++) {
            const cMesh& m = meshes.ball[part][lod];
            ASSERT_FALSE(m.isEmpty()) << "part " << part << " lod " << lod;
            triangles += m.getNumFaces();
            EXPECT_TRUE(m.hasNormals()) << m.getName();
            const bool skinned = part == cMeshCont::head || part == cMeshCont::pistol ||
                                 part == cMeshCont::bazookaOn || part == cMeshCont::bazookaOff;
            EXPECT_EQ(m.hasTexCoords(), skinned) << m.getName();
            // Every part moves with the walk, so each needs the whole scene's frames.
            EXPECT_EQ(m.getNumFrames(), 101) << m.getName();
            EXPECT_EQ(m.getLoopFirst(), 20) << m.getName();
            EXPECT_EQ(m.getLoopLast(), 99) << m.getName();
        }
        EXPECT_LT(triangles, previous) << "lod " << lod << " is not coarser than the level before";
        previous = triangles;
    }
    EXPECT_TRUE(meshes.flame.hasTexCoords());
}

TEST_F(ContentModels, TheBallIsOneCellWideFacesMinusYAndShootsForward) {
    float lo = 1e9f, hi = -1e9f;
    for (int part = 0; part < cMeshCont::numParts; part++) {
        const auto s = span(meshes.ball[part][0], 0);
        lo = std::min(lo, s[0]), hi = std::max(hi, s[1]);
    }
    EXPECT_GT(hi - lo, 0.8f);
    EXPECT_LT(hi - lo, 1.3f);
    // The face picture's centre lands on the front of the head.
    const cMesh& head = meshes.ball[cMeshCont::head][0];
    int best = 0;
    for (int i = 0; i < head.getNumFaces() * 3; i++) {
        const float* t = head.getTexCoords();
        EXPECT_TRUE(t[3 * i] >= 0 && t[3 * i] <= 1 && t[3 * i + 1] >= 0 && t[3 * i + 1] <= 1) << "off the picture";
        if (std::hypot(t[3 * i] - 0.5f, t[3 * i + 1] - 0.5f) < std::hypot(t[3 * best] - 0.5f, t[3 * best + 1] - 0.5f))
            best = i;
    }
    EXPECT_LT(head.getFaces()[3 * best + 1], head.getPos().y - 0.2f) << "the face is not at the front (-y)";
    // The pistol points forward and the flash stands in front of its muzzle.
    const auto pistol = span(meshes.ball[cMeshCont::pistol][0], 1);
    EXPECT_LT(pistol[0] + pistol[1], 0.0f) << "the pistol points backwards";
    EXPECT_LT(span(meshes.flame, 1)[1] + span(meshes.flame, 1)[0], 2 * pistol[0]);
}

TEST_F(ContentModels, BakedWalkKeepsFeetOnTheGroundAndClosesTheLoop) {
    for (int lod = 0; lod < cMeshCont::numLods; lod++)
        for (int part : {cMeshCont::leftFoot, cMeshCont::rightFoot, cMeshCont::head}) {
            const cMesh& m = meshes.ball[part][lod];
            ASSERT_EQ(m.getNumFrames(), 101) << m.getName();
            // Units wrap the loop 99 -> 20: frame 99 must stand as frame 20 does.
            for (int k = 0; k < 16; k++)
                EXPECT_NEAR(m.getFrames()[99].matrix[k], m.getFrames()[20].matrix[k], 1e-3) << m.getName() << " " << k;
            if (part == cMeshCont::head) continue;
            // Frame 20 is the standing pose: the foot rests on the ground, no frame pushes it in,
            // and the foot really walks.
            EXPECT_NEAR(lowestAt(m, 20), 0.0f, 0.01f) << m.getName();
            float reach = 0;
            for (int f = 0; f <= 100; f++) {
                EXPECT_GT(lowestAt(m, f), -0.01f) << m.getName() << " frame " << f;
                reach = std::max(reach, std::fabs(m.getFrames()[f].matrix[13] - m.getFrames()[20].matrix[13]));
            }
            EXPECT_GT(reach, 0.1f) << m.getName();
        }
}

TEST_F(ContentModels, TreesStandStillOnTheirPivotsWithinBudget) {
    for (int k = 0; k < cMeshCont::numTreeKinds; k++) {
        const cMesh &stem = meshes.trees[k][0], &top = meshes.trees[k][1];
        ASSERT_FALSE(stem.isEmpty() || top.isEmpty()) << "tree " << k;
        EXPECT_LT(stem.getNumFaces() + top.getNumFaces(), 300) << "tree " << k;
        EXPECT_EQ(stem.getNumFrames(), 0) << "trees stand still";
        EXPECT_FLOAT_EQ(stem.getPos().z, 0.0f) << "a tree's pivot is on the ground";
        EXPECT_NEAR(span(stem, 2)[0], 0.0f, 0.01f) << "tree " << k;
        const auto x = span(stem, 0), y = span(stem, 1);
        EXPECT_TRUE(x[0] < stem.getPos().x && x[1] > stem.getPos().x && y[0] < stem.getPos().y && y[1] > stem.getPos().y)
            << "tree " << k << " does not stand on its pivot";
    }
}
