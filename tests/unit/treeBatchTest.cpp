// Trees: placement on the tree cells of a map, and the merged arrays that draw every tree's model at its place.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <utility>

#include "aseText.h"
#include "assets/cMeshCont.h"
#include "assetsTestFiles.h"
#include "mapTestUtil.h"
#include "world/cMap.h"
#include "world/cTreeBatch.h"

namespace {

using aseText::V3;
using namespace maptest;

// Stems: a square with one normal throughout (six corners, four distinct). Tops: a square
// whose two triangles face different ways, so only equal positions must not merge them.
// Kind k's models stand at at[k] (file units, a hundred times world units).
const V3 kApart[3] = {{0, 0, 0}, {100, 0, 0}, {200, 0, 0}};
// Every kind's stem and top from the ASE file at path.
void loadTrees(cMeshCont& meshes, const std::string& path) {
    for (int k = 0; k < cMeshCont::numTreeKinds; ++k)
        for (int p = 0; p < 2; ++p) {
            const std::string name = "Tree" + std::to_string(k + 1) + (p == 0 ? "Stem" : "Top");
            ASSERT_TRUE(meshes.trees[k][p].loadFromASE(path.c_str(), 0, name.c_str())) << name;
        }
}
void loadModels(cMeshCont& meshes, const assetsTest::ScratchDir& dir, bool topNormals, const V3 (&at)[3] = kApart) {
    const V3 up{0, 0, 1}, side{1, 0, 0};
    const std::string flat = aseText::normalParts({{up, up, up}, {up, up, up}});
    const std::string bent = topNormals ? aseText::normalParts({{up, up, up}, {side, side, side}}) : "";
    std::string text = aseText::scene();
    for (int k = 0; k < cMeshCont::numTreeKinds; ++k) {
        const std::string n = std::to_string(k + 1);
        text += aseText::square("Tree" + n + "Stem", flat, at[k]) + aseText::square("Tree" + n + "Top", bent, at[k]);
    }
    const std::string path = dir.file("trees.ASE");
    std::ofstream(path) << text;
    loadTrees(meshes, path);
}

}  // namespace

TEST(TreeBatch, EveryTreeDrawsItsOwnModelAtItsPlaceOnce) {
    assetsTest::ScratchDir dir;
    cMeshCont meshes;
    loadModels(meshes, dir, true);
    const sTree trees[] = {{2, 30.0f, 2.0f}, {0, 1.0f, 1.0f}, {1, 9.5f, 20.0f}, {0, 2.0f, 3.0f}, {1, 40.0f, 0.5f}};
    const int n = 5;
    cTreeBatch batch;
    // Building twice must replace, not add to, the first result.
    batch.build(trees, n, meshes);
    batch.build(trees, n, meshes);
    // Near: four stem and six top corners; far: the top's corners merge by place. The squares
    // are open: nothing may be culled.
    ASSERT_EQ(std::tuple(batch.treeCount(), batch.vertexCount(),
                         batch.cullsBackFaces(cTreeBatch::kStem) || batch.cullsBackFaces(cTreeBatch::kTop)),
              std::tuple(n, n * (4 + 6 + 4 + 4), false));

    const auto &pos = batch.getPositions(), &nor = batch.getNormals();
    const auto& idx = batch.getIndices();
    ASSERT_EQ(nor.size(), pos.size());
    bool used[n] = {};
    for (int b = 0; b < n; ++b) {
        int source = -1;
        for (int i = 0; i < n; ++i)
            if (trees[i].x == batch.treeX(b) && trees[i].y == batch.treeY(b)) source = i;
        ASSERT_GE(source, 0);
        EXPECT_FALSE(std::exchange(used[source], true));
        for (int part = 0; part < 2; ++part) {
            const cMesh& mesh = meshes.trees[trees[source].kind][part];
            ASSERT_EQ(batch.indexEnd(part, b) - batch.indexBegin(part, b), mesh.getNumFaces() * 3);
            for (int c = 0; c < mesh.getNumFaces() * 3; ++c) {
                const unsigned v = idx[static_cast<size_t>(batch.indexBegin(part, b) + c)];
                ASSERT_LT(v * 3 + 2, pos.size());
                const float shift[3] = {trees[source].x, trees[source].y, 0};
                for (int a = 0; a < 3; ++a) {
                    EXPECT_FLOAT_EQ(pos[v * 3 + a], mesh.getFaces()[c * 3 + a] + shift[a]) << b << " " << c;
                    EXPECT_EQ(nor[v * 3 + a], mesh.getNormals()[c * 3 + a]);
                }
            }
            // The far model stands at the same place, over the same square.
            const int farBegin = batch.indexBegin(part, b, cTreeBatch::kFar);
            ASSERT_EQ(batch.indexEnd(part, b, cTreeBatch::kFar) - farBegin, 6);
            std::set<std::pair<float, float>> nearCorners, farCorners;
            for (int c = 0; c < 6; ++c) {
                const unsigned nv = idx[static_cast<size_t>(batch.indexBegin(part, b) + c)];
                const unsigned fv = idx[static_cast<size_t>(farBegin + c)];
                ASSERT_LT(fv * 3 + 2, pos.size());
                nearCorners.insert({pos[nv * 3], pos[nv * 3 + 1]});
                farCorners.insert({pos[fv * 3], pos[fv * 3 + 1]});
            }
            EXPECT_EQ(farCorners, nearCorners);
        }
    }
}

TEST(TreeBatch, OddTreesAndModelsDrawNothingWrongAndNeverCrash) {
    assetsTest::ScratchDir dir;
    cMeshCont loaded;
    loadModels(loaded, dir, false);
    const sTree trees[] = {{-1, 1.0f, 1.0f}, {3, 2.0f, 2.0f}, {0, -0.4f, -0.6f}, {1, 1e30f, -1e30f}, {2, 5.0f, 5.0f}};
    cTreeBatch batch;
    batch.build(trees, 5, loaded);
    EXPECT_EQ(batch.treeCount(), 3) << "kinds outside the three models are left out";
    // Tops without normals are drawn mesh by mesh; the merged stems keep theirs.
    EXPECT_EQ(batch.getNormals().size(), batch.getPositions().size());
    EXPECT_EQ(std::pair(batch.triangleCount(cTreeBatch::kStem), batch.triangleCount(cTreeBatch::kTop)),
              std::pair(6, 0));

    cMeshCont empty;
    batch.build(trees, 5, empty);
    EXPECT_EQ(std::pair(batch.treeCount(), batch.vertexCount()), std::pair(3, 0));

    for (auto [list, n] : {std::pair<const sTree*, int>{nullptr, 5}, {trees, -2}}) {
        batch.build(list, n, loaded);
        EXPECT_TRUE(batch.isEmpty()); // and so no triangles, the last build having drawn none
    }
}

TEST(MapTree, AboutOneTreeCellInFourGetsATreeShiftedByItsStemPivot) {
    const V3 pivots[3] = {{50, -25, 300}, {-100, 200, 0}, {0, 0, 0}};
    assetsTest::ScratchDir dir;
    cMeshCont meshes;
    loadModels(meshes, dir, false, pivots);
    cBitmap bmp;
    fillGround(bmp, 40, 30);
    paintRect(bmp, 0, 0, 39, 9, kTreePx); // 400 tree cells in the lowest ten rows
    paintRect(bmp, 5, 20, 14, 21, kWaterPx);
    cMap m;
    m.setMeshCont(&meshes);
    ASSERT_TRUE(m.init(bmp));
    const int n = m.getTreeCount();
    EXPECT_TRUE(n > 60 && n < 140) << n;
    std::set<std::pair<int, int>> seen;
    int kinds[3] = {0, 0, 0};
    for (int i = 0; i < n; ++i) {
        const sTree& t = m.getTrees()[i];
        ASSERT_TRUE(t.kind >= 0 && t.kind <= 2) << t.kind;
        ++kinds[t.kind];
        // Undoing the pivot puts the tree on its cell's corner point.
        const float cx = t.x + pivots[t.kind][0] / 100.0f, cy = t.y + pivots[t.kind][1] / 100.0f;
        EXPECT_FLOAT_EQ(cx, std::round(cx)) << i;
        EXPECT_FLOAT_EQ(cy, std::round(cy)) << i;
        EXPECT_EQ(m.getTerrain(cx + 0.5f, cy + 0.5f), cMap::kTree) << i;
        const std::pair<int, int> cell(std::lround(cy), std::lround(cx));
        if (!seen.empty()) { EXPECT_LT(*seen.rbegin(), cell) << "row by row, one tree a cell"; }
        seen.insert(cell);
    }
    for (int k = 0; k < 3; ++k) EXPECT_GT(kinds[k], 0) << k;
}

TEST(TreeBatch, CullsBackFacesOnlyOfPartsEveryKindOfWhichIsClosed) {
    // The shipped trees: closed tops, stems open at both ends.
    const std::string shipped = ORBIX_BIN_DIR "/models/trees.ASE";
    if (!std::ifstream(shipped)) GTEST_SKIP() << "no content beside the programs";
    cMeshCont real;
    loadTrees(real, shipped);
    const sTree trees[] = {{0, 1.0f, 1.0f}, {1, 9.5f, 20.0f}, {2, 30.0f, 2.0f}};
    cTreeBatch batch;
    batch.build(trees, 3, real);
    EXPECT_EQ(std::pair(batch.cullsBackFaces(cTreeBatch::kStem), batch.cullsBackFaces(cTreeBatch::kTop)),
              std::pair(false, true));
    // One open top among the kinds keeps every top whole.
    assetsTest::ScratchDir dir;
    cMeshCont squares;
    loadModels(squares, dir, true);
    ASSERT_TRUE(real.trees[1][1].loadFromASE(dir.file("trees.ASE").c_str(), 0, "Tree2Top"));
    batch.build(trees, 3, real);
    EXPECT_FALSE(batch.cullsBackFaces(cTreeBatch::kTop));
}
