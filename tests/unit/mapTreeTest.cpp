// Tree placement on the tree cells of a map.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <set>
#include <utility>

#include "aseText.h"
#include "assets/cMeshCont.h"
#include "assetsTestFiles.h"
#include "mapTestUtil.h"
#include "world/cMap.h"

using namespace maptest;

TEST(MapTree, AboutOneTreeCellInFourGetsATreeOnItsCorner) {
    std::srand(21);
    cBitmap bmp;
    fillGround(bmp, 40, 30);
    paintRect(bmp, 0, 0, 39, 9, kTreePx);    // 400 tree cells in the lowest ten rows
    paintRect(bmp, 5, 20, 14, 21, kWaterPx);
    cMap m;
    ASSERT_TRUE(m.init(bmp));
    const int n = m.getTreeCount();
    EXPECT_GT(n, 60);
    EXPECT_LT(n, 140);

    std::set<std::pair<int, int>> seen;
    int kinds[3] = {0, 0, 0};
    const sTree* t = m.getTrees();
    ASSERT_NE(t, nullptr);
    for (int i = 0; i < n; ++i) {
        ASSERT_GE(t[i].kind, 0);
        ASSERT_LE(t[i].kind, 2);
        ++kinds[t[i].kind];
        // Without meshes there is no pivot to undo: the tree stands on the cell's corner point.
        const int c = static_cast<int>(t[i].x), r = static_cast<int>(t[i].y);
        EXPECT_EQ(t[i].x, static_cast<float>(c));
        EXPECT_EQ(t[i].y, static_cast<float>(r));
        EXPECT_EQ(m.getTerrain(c + 0.5f, r + 0.5f), cMap::kTree);
        EXPECT_TRUE(seen.insert({c, r}).second) << "two trees on one cell";
        if (i > 0) {
            EXPECT_TRUE(t[i - 1].y < t[i].y || (t[i - 1].y == t[i].y && t[i - 1].x < t[i].x)) << "row by row";
        }
    }
    for (int k = 0; k < 3; ++k) EXPECT_GT(kinds[k], 0) << k;
}

TEST(MapTree, EachKindIsShiftedByItsStemPivot) {
    // Stem pivots in file units (a hundred times world units); kind 2 has its pivot at the origin.
    const aseText::V3 pivots[3] = {{50, -25, 300}, {-100, 200, 0}, {0, 0, 0}};
    std::string text = aseText::scene();
    for (int k = 0; k < 3; ++k) {
        const std::string n = std::to_string(k + 1);
        text += aseText::square("Tree" + n + "Stem", "", pivots[k]) + aseText::square("Tree" + n + "Top");
    }
    assetsTest::ScratchDir dir;
    const std::string path = dir.file("trees.ASE");
    std::ofstream(path) << text;
    cMeshCont meshes;
    for (int k = 0; k < 3; ++k) {
        const std::string stem = "Tree" + std::to_string(k + 1) + "Stem";
        ASSERT_TRUE(meshes.trees[k][0].loadFromASE(path.c_str(), 0, stem.c_str())) << stem;
    }

    std::srand(8);
    cBitmap bmp;
    fillGround(bmp, 16, 16);
    paintRect(bmp, 3, 3, 12, 12, kTreePx);
    cMap m;
    m.setMeshCont(&meshes);
    ASSERT_TRUE(m.init(bmp));
    ASSERT_GT(m.getTreeCount(), 0);
    int kinds[3] = {0, 0, 0};
    for (int i = 0; i < m.getTreeCount(); ++i) {
        const sTree& t = m.getTrees()[i];
        ++kinds[t.kind];
        const float cx = t.x + pivots[t.kind][0] / 100.0f;
        const float cy = t.y + pivots[t.kind][1] / 100.0f;
        EXPECT_FLOAT_EQ(cx, std::round(cx)) << i;
        EXPECT_FLOAT_EQ(cy, std::round(cy)) << i;
        EXPECT_EQ(m.getTerrain(cx + 0.5f, cy + 0.5f), cMap::kTree) << i;
    }
    for (int k = 0; k < 3; ++k) EXPECT_GT(kinds[k], 0) << k;
}
