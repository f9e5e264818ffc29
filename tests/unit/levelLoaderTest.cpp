// Level list: name order, the dot rule, wrap-around, over-long names, reset, reload and a missing folder.
#include "levelTestMaps.h"
#include "world/cLevelLoader.h"

using LevelLoaderTest = LevelFolderTest;

TEST_F(LevelLoaderTest, LevelsComeInNameOrderSkippingDotEntriesAndOverlongNamesAndReloadAfresh) {
    cLevelLoader loader;
    ASSERT_TRUE(loader.loadLevels());
    EXPECT_EQ(loader.getCount(), 0);
    EXPECT_EQ(loader.nextLevel(), nullptr);
    for (const std::string& name : {std::string("b.bmp"), std::string("a.bmp"), std::string(".old.bmp"),
                                    std::string(251, 'z'), std::string(250, 'y')})
        assetsTest::writeFile("maps/" + name, "x");
    for (const char* folder : {"maps/.git", "maps/c-dir"})
        std::filesystem::create_directory(folder);
    ASSERT_TRUE(loader.loadLevels());
    ASSERT_EQ(loader.getCount(), 4);
    cLevel* first = loader.nextLevel();
    EXPECT_STREQ(first->getMapName(), "maps/a.bmp");
    EXPECT_EQ(first->getLevelNumber(), 1);
    EXPECT_STREQ(loader.nextLevel()->getMapName(), "maps/b.bmp");
    // A folder is a level too: the bitmap test refuses a folder as a picture, and the replay test plays a
    // level that could not be built.
    EXPECT_STREQ(loader.nextLevel()->getMapName(), "maps/c-dir");
    EXPECT_EQ(loader.nextLevel()->getMapName(), "maps/" + std::string(250, 'y'));
    EXPECT_EQ(loader.nextLevel(), nullptr);
    EXPECT_EQ(loader.nextLevel(), first);
    loader.nextLevel();
    loader.resetLevels();
    EXPECT_EQ(loader.nextLevel(), first);
    loader.disposeLevels();
    EXPECT_EQ(loader.getCount(), 0);
    // Loading again rebuilds the list instead of leaking the old one.
    ASSERT_TRUE(loader.loadLevels());
    ASSERT_TRUE(loader.loadLevels());
    EXPECT_EQ(loader.getCount(), 4);
    std::filesystem::remove_all("maps");
    EXPECT_FALSE(loader.loadLevels());
    EXPECT_EQ(loader.getCount(), 0);
}
