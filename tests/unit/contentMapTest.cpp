// The generated levels: named in play order, the exact colour code, one start away from the
// border, rules a level maker would pass, and a campaign that teaches first, grows harder and
// varies its ground.
#include "contentTestSupport.h"

#include "assets/cBitmap.h"
#include "world/cLevelRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using namespace contentTest;

TEST(ContentMaps, EveryLevelIsPlayableAndTheCampaignGrowsHarderOnVariedGround) {
    SKIP_WITHOUT_CONTENT();
    const sRGBA kTree(0, 0, 0, 255), kWater(0, 0, 255, 255), kEnemy(255, 0, 0, 255), kStart(0, 255, 0, 255),
        kWhite(255, 255, 255, 255);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir() / "maps"))
        if (e.path().filename().string()[0] != '.') names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    ASSERT_GE(names.size(), 12u);
    std::vector<int> enemies;
    int winters = 0, watery = 0, wooded = 0, open = 0, small = 0;
    for (size_t i = 0; i < names.size(); i++) {
        const std::string& n = names[i];
        char prefix[8];
        std::snprintf(prefix, sizeof prefix, "%02d-", int(i + 1));
        EXPECT_EQ(n.substr(0, 3), prefix) << n;
        EXPECT_EQ(n.substr(n.size() - 4), ".bmp") << n;
        cBitmap m;
        ASSERT_TRUE(m.loadFromFile((dir() / "maps" / n).string())) << n;
        const int w = m.getWidth(), h = m.getHeight(), cells = w * h;
        EXPECT_TRUE(w >= 64 && w <= 128 && h >= 64 && h <= 128) << n;
        int trees = 0, water = 0, foes = 0, starts = 0, whites = 0, nearMisses = 0, start = -1;
        for (int k = 0; k < cells; k++) {
            const sRGBA p = m.getBitmapS()[k];
            trees += p == kTree, water += p == kWater, foes += p == kEnemy, whites += p == kWhite;
            if (p == kStart) starts++, start = k;
            // A colour that misses a code colour by a little was meant to be that code.
            for (const sRGBA& c : {kTree, kWater, kEnemy, kStart, kWhite})
                nearMisses += !(p == c) && std::abs(p.r - c.r) <= 40 && std::abs(p.g - c.g) <= 40 &&
                              std::abs(p.b - c.b) <= 40;
        }
        const bool winter = m.getBitmapS()[w * (h - 1)] == kWhite;
        EXPECT_EQ(nearMisses, 0) << n;
        EXPECT_EQ(starts, 1) << n;
        EXPECT_GE(foes, 1) << n;
        // White means winter only in the top-left pixel; anywhere else it is a slip.
        EXPECT_EQ(whites, winter ? 1 : 0) << n;
        cLevelRules rules(0, 0);
        ASSERT_TRUE(rules.read(m)) << n;
        for (const auto& b : rules.check()) ADD_FAILURE() << n << ": " << b.text();
        // The level opens centred on the squad: a start near the border would show mostly the void.
        EXPECT_GE(std::min({start % w, start / w, w - 1 - start % w, h - 1 - start / w}), 8) << n;
        enemies.push_back(foes);
        winters += winter;
        watery += water > cells / 50;
        wooded += trees > cells / 10;
        open += trees + water < cells / 4;
        small += w == 64 && h == 64;
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
