// Tree placement on the tree cells of a map.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

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

TEST(MapTree, SameSeedSameForest) {
    cBitmap bmp;
    fillGround(bmp, 12, 12);
    paintRect(bmp, 2, 2, 9, 9, kTreePx);
    cMap a, b;
    std::srand(5);
    ASSERT_TRUE(a.init(bmp));
    std::srand(5);
    ASSERT_TRUE(b.init(bmp));
    ASSERT_EQ(a.getTreeCount(), b.getTreeCount());
    for (int i = 0; i < a.getTreeCount(); ++i) {
        EXPECT_EQ(a.getTrees()[i].kind, b.getTrees()[i].kind);
        EXPECT_EQ(a.getTrees()[i].x, b.getTrees()[i].x);
        EXPECT_EQ(a.getTrees()[i].y, b.getTrees()[i].y);
    }
}

TEST(MapTree, ATinyForestCanStayEmpty) {
    // One tree cell: whatever the draw, the count is 0 or 1 and the array stays consistent.
    cBitmap bmp;
    fillGround(bmp, 3, 3);
    paint(bmp, 1, 1, kTreePx);
    cMap m;
    int withTree = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::srand(seed);
        ASSERT_TRUE(m.init(bmp));
        ASSERT_LE(m.getTreeCount(), 1);
        if (m.getTreeCount() == 1) {
            ++withTree;
            EXPECT_EQ(m.getTrees()[0].x, 1.0f);
            EXPECT_EQ(m.getTrees()[0].y, 1.0f);
        }
    }
    EXPECT_GT(withTree, 0);
    EXPECT_LT(withTree, 40);
}
