// The generated content as the game reads it: models, pictures and levels.
#include "assets/cBitmap.h"
#include "assets/cMeshCont.h"
#include "world/cLevelRules.h"

#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace fs = std::filesystem;

namespace {

// The build writes the content beside the executable; without it there is nothing to test.
const fs::path kDir = ORBIX_BIN_DIR;
#define SKIP_WITHOUT_CONTENT()                                                        \
    if (!fs::is_directory(kDir / "maps"))                                             \
    GTEST_SKIP() << "no generated content in " << kDir.string()

float lowestAt(const cMesh& mesh, int frame) {
    float low = 1e9f;
    for (int i = 0; i < mesh.getNumFaces() * 3; i++)
        low = std::min(low, assetsTest::applyMatrix(mesh.getFrames()[frame].matrix, mesh.getFaces() + 3 * i)[2]);
    return low;
}

}  // namespace

TEST(ContentModels, EveryPartLoadsWithWhatItIsDrawnWithAndTheWalkKeepsFeetOnTheGround) {
    SKIP_WITHOUT_CONTENT();
    cMeshCont meshes;
    testing::internal::CaptureStderr();
    {
        assetsTest::WorkingDir here(kDir);  // the game reads its content by relative paths
        meshes.load();
    }
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.find("FAILED"), std::string::npos) << log;
    for (int lod = 0; lod < cMeshCont::numLods; lod++) {
        for (int part = 0; part < cMeshCont::numParts; part++) {
            const cMesh& m = meshes.ball[part][lod];
            ASSERT_FALSE(m.isEmpty()) << "part " << part << " lod " << lod;
            const bool skinned = part == cMeshCont::head || part == cMeshCont::pistol ||
                                 part == cMeshCont::bazookaOn || part == cMeshCont::bazookaOff;
            EXPECT_EQ(std::pair(m.hasNormals(), m.hasTexCoords()), std::pair(true, skinned)) << m.getName();
            // Every part moves with the walk, so each needs the whole scene's frames.
            ASSERT_EQ(m.getNumFrames(), 101) << m.getName();
            if (part != cMeshCont::leftFoot && part != cMeshCont::rightFoot && part != cMeshCont::head) continue;
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
    EXPECT_TRUE(meshes.flame.hasTexCoords());
    // Trees stand still, with their pivots on the ground.
    for (int k = 0; k < cMeshCont::numTreeKinds; k++) {
        const cMesh &stem = meshes.trees[k][0], &top = meshes.trees[k][1];
        ASSERT_FALSE(stem.isEmpty() || top.isEmpty()) << "tree " << k;
        EXPECT_EQ(std::pair(stem.getNumFrames(), stem.getPos().z), std::pair(0, 0.0f)) << k;
    }
}

TEST(ContentPictures, FacesArePowersOfTwoAndShowTheBallAtTheirEdges) {
    SKIP_WITHOUT_CONTENT();
    for (const char* mood : {"wink", "angry", "laught", "cry", "talk"}) {
        for (int i = 1; i <= 7; i++) {
            const std::string n = mood + std::to_string(i);
            cBitmap b;
            ASSERT_TRUE(b.loadFromFile((kDir / "textures" / (n + ".bmp")).string())) << n;
            const int w = b.getWidth(), h = b.getHeight();
            EXPECT_TRUE((w & (w - 1)) == 0 && (h & (h - 1)) == 0) << n << " is not a power of two a side";
            // The head clamps its texture coordinates to the edges, so an opaque edge pixel
            // would smear over the whole back of the ball.
            for (int k = 0; k < w * h; k++)
                ASSERT_TRUE(b.getBitmapS()[k] == sRGBA(255, 0, 255, 255) ||
                            (k % w && k % w != w - 1 && k / w && k / w != h - 1))
                    << n << " edge pixel " << k;
        }
    }
}

// Named in play order, one start away from the border, and rules a level maker would pass.
TEST(ContentMaps, EveryLevelIsNamedInPlayOrderAndPlayable) {
    SKIP_WITHOUT_CONTENT();
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(kDir / "maps"))
        if (e.path().filename().string()[0] != '.') names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_GE(names.size(), 12u);
    for (size_t i = 0; i < names.size(); i++) {
        const std::string& n = names[i];
        char number[24];
        std::snprintf(number, sizeof number, "%02zu-", i + 1);
        EXPECT_EQ(std::pair(n.substr(0, 3), n.substr(n.size() - 4)),
                  std::pair(std::string(number), std::string(".bmp")));
        cBitmap m;
        ASSERT_TRUE(m.loadFromFile((kDir / "maps" / n).string())) << n;
        const int w = m.getWidth(), h = m.getHeight();
        EXPECT_TRUE(w >= 64 && w <= 128 && h >= 64 && h <= 128) << n;
        cLevelRules rules(0, 0);
        ASSERT_TRUE(rules.read(m)) << n;
        for (const auto& b : rules.check()) ADD_FAILURE() << n << ": " << b.text();
        // The level opens centred on the squad: a start near the border would show mostly the void.
        const int x = rules.startX(), y = rules.startY();
        EXPECT_GE(std::min({x, y, w - 1 - x, h - 1 - y}), 8) << n;
    }
}
