// The campaign menu: pages and keys, Continue, settings saved as they change, scores, pointer rows.
#include "assetsTestFiles.h"
#include "campaign/cCampaignStore.h"
#include "ui/cCampaignMenu.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using assetsTest::ScratchDir;
using eChoice = cCampaignMenu::eChoice;
using ePage = cCampaignMenu::ePage;

struct CampaignMenuTest : ::testing::Test {
    ScratchDir scratch;
    cCampaignStore store{scratch.file("config"), scratch.file("data")};
    std::vector<cCampaignMenu::sLevelEntry> levels{{"01-a.bmp", 1}, {"02-b.bmp", 2}, {"03-c.bmp", 3}};
    cCampaignMenu menu{store, levels};

    void SetUp() override { store.load(); }
};

TEST_F(CampaignMenuTest, NewGameContinueAndChooseStartTheLevelsThePlayerReached) {
    // A new player may choose the first level, and only it.
    for (int i = 0; i < 2; i++) menu.onSpecial(GLUT_KEY_DOWN);
    menu.onKey(13);
    EXPECT_EQ(menu.rows(), (std::vector<std::string>{"1  01-a", "Back"}));
    menu.onKey(27);
    // New Game is the first row and starts level 1; Continue without progress does too.
    cCampaignMenu::sAnswer a = menu.onKey(13);
    EXPECT_EQ(std::pair(a.choice, a.level), std::pair(eChoice::play, 0));
    menu.onSpecial(GLUT_KEY_DOWN);
    EXPECT_EQ(menu.onKey(13).level, 0);

    // After a win of level 1 the last level is level 2: Continue names and starts it.
    const eDifficulty d = store.getSettings().difficulty;
    store.getProgress().markWon(d, "01-a.bmp");
    store.getProgress().markReached(d, "02-b.bmp");
    store.getProgress().setLast(d, "02-b.bmp");
    EXPECT_EQ(menu.rows()[1], "Continue  (level 2)");
    a = menu.onKey(13);
    EXPECT_EQ(std::pair(a.choice, a.level), std::pair(eChoice::play, 1));

    // Choose level lists the reached levels and Back; Esc goes back to the top, where
    // Up from the first row wraps to Quit and Esc quits.
    menu.onSpecial(GLUT_KEY_DOWN);
    menu.onKey(13);
    ASSERT_EQ(menu.getPage(), ePage::choose);
    EXPECT_EQ(menu.rows(), (std::vector<std::string>{"1  01-a", "2  02-b", "Back"}));
    menu.onSpecial(GLUT_KEY_DOWN);
    EXPECT_EQ(menu.onKey(13).level, 1);
    EXPECT_EQ(menu.onKey(27).choice, eChoice::none);
    EXPECT_EQ(menu.getPage(), ePage::top);
    menu.onSpecial(GLUT_KEY_UP);
    EXPECT_EQ(menu.onKey(13).choice, eChoice::quit);
    EXPECT_EQ(menu.onKey(27).choice, eChoice::quit);
}

TEST_F(CampaignMenuTest, SettingsChangeWithArrowsAndClicksAndAreSavedAtOnce) {
    for (int i = 0; i < 3; i++) menu.onSpecial(GLUT_KEY_DOWN);
    menu.onKey(13);
    ASSERT_EQ(menu.getPage(), ePage::settings);
    EXPECT_EQ(menu.rows()[0], "Difficulty: Regular");
    EXPECT_EQ(menu.onSpecial(GLUT_KEY_RIGHT).choice, eChoice::settingsChanged);
    EXPECT_EQ(store.getSettings().difficulty, eDifficulty::veteran);
    // The difficulty wraps round; the volume steps by ten and wraps past either end.
    menu.onSpecial(GLUT_KEY_RIGHT);
    EXPECT_EQ(store.getSettings().difficulty, eDifficulty::recruit);
    menu.onSpecial(GLUT_KEY_DOWN);
    menu.onSpecial(GLUT_KEY_LEFT);
    EXPECT_EQ(store.getSettings().volume, 70);
    for (int i = 0; i < 4; i++) menu.onSpecial(GLUT_KEY_RIGHT);
    EXPECT_EQ(store.getSettings().volume, 0);
    const std::string text = assetsTest::fileBytes(scratch.file("config/settings.toml"));
    EXPECT_TRUE(text.find("difficulty = \"recruit\"") != std::string::npos &&
                text.find("volume = 0\n") != std::string::npos)
        << text;

    // A click on a row is taken where the row is drawn; a click on the mute row toggles it.
    menu.resize(800, 600);
    int muteY = -1;
    for (int y = 0; y < 600 && muteY < 0; ++y) {
        menu.onMotion(400, y);
        if (menu.getSelected() == 2) muteY = y;
    }
    ASSERT_GE(muteY, 0);
    EXPECT_EQ(menu.onClick(400, muteY).choice, eChoice::settingsChanged);
    EXPECT_TRUE(store.getSettings().mute);
    EXPECT_EQ(menu.onClick(5, 5).choice, eChoice::none);
}

TEST_F(CampaignMenuTest, ScoreTableShowsEachLevelsBestsForTheCurrentDifficulty) {
    store.getScores().recordWin(eDifficulty::regular, "02-b.bmp", 2, 125000, 1, "2026-12-08");
    store.getScores().recordWin(eDifficulty::veteran, "03-c.bmp", 3, 1000, 0, "2026-12-08");
    const std::vector<std::string> lines = menu.scoreLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(lines[2].find("2:05") != std::string::npos && lines[2].find("2026-12-08") != std::string::npos)
        << lines[2];
    // Another difficulty's score, or one made on another map, is not this one.
    EXPECT_EQ(lines[3].find("0:01"), std::string::npos) << lines[3];
}

}  // namespace
