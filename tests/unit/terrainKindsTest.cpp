// The terrain table: the map planner's picture reads back into the same kinds in the map, the level and the level rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "assetsTestFiles.h"
#include "assets/cBitmap.h"
#include "level/cLevel.h"
#include "world/cLevelRules.h"
#include "world/cMap.h"
#include "world/terrainKinds.h"
#include "../../tools/content/src/cMapPlan.h"

TEST(TerrainKinds, OnePlannedPictureGivesTheSameKindsMarkersAndWinterEverywhere) {
    // Trees, water and both markers, with the top-left pixel left to winter.
    cMapPlan plan(24, 16, 3);
    plan.woods(2, 2, 9, 6, 1.0);
    plan.lake(17, 4, 4, 3);
    plan.start(6, 11);
    plan.enemy(18, 11);
    plan.setWinter(true);
    assetsTest::ScratchDir scratch;
    const std::string path = (scratch.path / "plan.bmp").string();
    ASSERT_TRUE(plan.picture().save(path));
    cBitmap picture(0, 0);
    ASSERT_TRUE(picture.loadFromFile(path));

    std::srand(5);
    cMap map;
    ASSERT_TRUE(map.init(picture));
    cLevelRules rules(0, 0);
    ASSERT_TRUE(rules.read(picture));
    const cLevelRules planned = plan.rules();
    for (cellKind::eKind kind : {cellKind::ground, cellKind::water, cellKind::tree}) {
        int cells = 0;
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 24; x++) cells += map.getTerrain(x + 0.5f, y + 0.5f) == kind;
        EXPECT_GT(cells, 0) << int(kind);
        EXPECT_DOUBLE_EQ(rules.share(kind), cells / (24.0 * 16.0)) << int(kind);
        EXPECT_DOUBLE_EQ(planned.share(kind), rules.share(kind)) << int(kind);
    }
    EXPECT_EQ(map.getTerrain(-1, 3), cellKind::outside);
    EXPECT_TRUE(map.isWinter() && rules.isWinter());
    EXPECT_EQ(std::tuple(rules.startX(), rules.startY(), rules.enemyCount()), std::tuple(6, 11, 1));

    // The level finds the markers the rules counted, on the cells the planner put them.
    assetsTest::WorkingDir inside{scratch.path};
    std::filesystem::create_directories("maps");
    std::filesystem::rename("plan.bmp", "maps/plan.bmp");
    cLevel level(1);
    level.setMapName("plan.bmp");
    ASSERT_TRUE(level.init());
    ASSERT_NE(level.getEnemies(), nullptr);
    EXPECT_EQ(std::tuple(level.getSquad()->getX(), level.getSquad()->getY(), level.getEnemies()->getX(),
                         level.getEnemies()->hasNext()),
              std::tuple(6.0f, 11.0f, 18.0f, false));
}
