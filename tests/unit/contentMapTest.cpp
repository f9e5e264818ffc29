// The generated levels: exact colour code, one start, reachable enemies, the
// play order and the promised variety.
#include "contentTestSupport.h"

#include "assets/cBitmap.h"
#include "world/cLevelRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using namespace contentTest;

namespace {

const sRGBA kTree(0, 0, 0, 255), kWater(0, 0, 255, 255), kEnemy(255, 0, 0, 255), kStart(0, 255, 0, 255),
    kWinter(255, 255, 255, 255);

struct sMap {
    std::string name;
    cBitmap bmp;
};

std::vector<std::string> mapNames() {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir() / "maps"))
        if (e.path().filename().string()[0] != '.') names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A colour that misses a code colour by a little was meant to be that code.
bool nearMiss(const sRGBA& p) {
    for (const sRGBA& c : {kTree, kWater, kEnemy, kStart, kWinter}) {
        if (p == c) return false;
        if (std::abs(p.r - c.r) <= 40 && std::abs(p.g - c.g) <= 40 && std::abs(p.b - c.b) <= 40) return true;
    }
    return false;
}

struct sCensus {
    int trees = 0, water = 0, enemies = 0, starts = 0, whites = 0, nearMisses = 0;
    int startIndex = -1;
};

sCensus census(const cBitmap& b) {
    sCensus c;
    for (int i = 0; i < b.getWidth() * b.getHeight(); i++) {
        const sRGBA p = b.getBitmapS()[i];
        c.trees += p == kTree;
        c.water += p == kWater;
        c.enemies += p == kEnemy;
        c.whites += p == kWinter;
        if (p == kStart) c.starts++, c.startIndex = i;
        c.nearMisses += nearMiss(p);
    }
    return c;
}

bool winter(const cBitmap& b) { return b.getBitmapS()[b.getWidth() * (b.getHeight() - 1)] == kWinter; }

}  // namespace

TEST(ContentMaps, AtLeastTwelveLevelsNamedInPlayOrder) {
    SKIP_WITHOUT_CONTENT();
    const auto names = mapNames();
    ASSERT_GE(names.size(), 12u);
    for (size_t i = 0; i < names.size(); i++) {
        char prefix[8];
        std::snprintf(prefix, sizeof prefix, "%02d-", int(i + 1));
        EXPECT_EQ(names[i].substr(0, 3), prefix) << names[i];
        EXPECT_EQ(names[i].substr(names[i].size() - 4), ".bmp") << names[i];
    }
}

TEST(ContentMaps, EveryMapUsesTheColourCodeExactlyAndIsPlayable) {
    SKIP_WITHOUT_CONTENT();
    for (const std::string& n : mapNames()) {
        const std::string b = readFile(dir() / "maps" / n);
        ASSERT_GE(b.size(), 54u) << n;
        EXPECT_EQ(le16(b, 28), 24u) << n;
        EXPECT_EQ(le32(b, 30), 0u) << n;
        cBitmap m;
        ASSERT_TRUE(m.loadFromFile((dir() / "maps" / n).string())) << n;
        EXPECT_GE(m.getWidth(), 64) << n;
        EXPECT_LE(m.getWidth(), 128) << n;
        EXPECT_GE(m.getHeight(), 64) << n;
        EXPECT_LE(m.getHeight(), 128) << n;
        const sCensus c = census(m);
        EXPECT_EQ(c.nearMisses, 0) << n;
        EXPECT_EQ(c.starts, 1) << n;
        EXPECT_GE(c.enemies, 1) << n;
        // White means winter only in the top-left pixel; anywhere else it is a slip.
        EXPECT_EQ(c.whites, winter(m) ? 1 : 0) << n;
        if (c.starts == 1) {
            cLevelRules rules(0, 0);
            ASSERT_TRUE(rules.read(m)) << n;
            for (const auto& b : rules.check()) ADD_FAILURE() << n << ": " << b.text();
            // The level opens centred on the squad: a start near the border
            // would show mostly the void beyond the map.
            const int x = c.startIndex % m.getWidth(), y = c.startIndex / m.getWidth();
            EXPECT_GE(std::min({x, y, m.getWidth() - 1 - x, m.getHeight() - 1 - y}), 8) << n;
        }
    }
}

TEST(ContentMaps, LevelsTeachFirstThenGrowHarderWithVariedGround) {
    SKIP_WITHOUT_CONTENT();
    const auto names = mapNames();
    ASSERT_FALSE(names.empty());
    std::vector<int> enemies;
    int winters = 0, watery = 0, wooded = 0, open = 0, small = 0;
    for (const std::string& n : names) {
        cBitmap m;
        ASSERT_TRUE(m.loadFromFile((dir() / "maps" / n).string()));
        const sCensus c = census(m);
        const int cells = m.getWidth() * m.getHeight();
        enemies.push_back(c.enemies);
        winters += winter(m);
        watery += c.water > cells / 50;
        wooded += c.trees > cells / 10;
        open += c.trees + c.water < cells / 4;
        small += m.getWidth() == 64 && m.getHeight() == 64;
    }
    EXPECT_LE(enemies.front(), 4) << "the first level teaches, with few enemies";
    EXPECT_EQ(*std::max_element(enemies.begin(), enemies.end()), enemies.back()) << "the last level is the hardest";
    EXPECT_GE(winters, 1);
    EXPECT_LE(winters, 2) << "white messages are hard to read on snow";
    EXPECT_GE(watery, 2);
    EXPECT_GE(wooded, 2);
    EXPECT_GE(open, 2);
    EXPECT_GT(small * 2, int(names.size())) << "most levels should be 64 x 64 so the minimap shows every unit";
}
