// The campaign menu: pages and keys, Continue, settings saved as they change, scores, pointer rows; and the
// game's command line: its options, the X options handed on to GLUT, and the refusals.
#include "assetsTestFiles.h"
#include "campaign/cCampaignStore.h"
#include "shell/cCommandLine.h"
#include "ui/cCampaignMenu.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <filesystem>
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
    EXPECT_TRUE(text.find("difficulty = \"recruit\"") != std::string::npos && text.find("volume = 0\n") != std::string::npos)
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
    EXPECT_TRUE(lines[2].find("2:05") != std::string::npos && lines[2].find("2026-12-08") != std::string::npos) << lines[2];
    // Another difficulty's score, or one made on another map, is not this one.
    EXPECT_EQ(lines[3].find("0:01"), std::string::npos) << lines[3];
}

cCommandLine::eAction parse(cCommandLine& line, std::vector<std::string> args) {
    args.insert(args.begin(), "orbix-tal");
    static std::vector<std::string> keep;
    keep = args;
    std::vector<char*> argv;
    for (std::string& a : keep) argv.push_back(a.data());
    return line.parse(int(argv.size()), argv.data());
}

TEST(CommandLine, AnswersEachLineWithItsActionPassesXOptionsOnAndResolvesPaths) {
    const struct {
        std::vector<std::string> args;
        cCommandLine::eAction action;
    } cases[] = {
        {{}, cCommandLine::run}, {{"--help"}, cCommandLine::showHelp}, {{"--campaign"}, cCommandLine::run},
        {{"-display", ":5", "--version"}, cCommandLine::showVersion}, {{"--frobnicate"}, cCommandLine::wrong},
        {{"-display"}, cCommandLine::wrong}, {{"--level", "0"}, cCommandLine::wrong}, {{"--level", "2x"}, cCommandLine::wrong},
        {{"--record"}, cCommandLine::wrong}, {{"--play", "a", "--record", "b"}, cCommandLine::wrong},
        {{"--play", "a", "--timedemo", "b"}, cCommandLine::wrong}, {{"--timedemo", "a", "--level", "2"}, cCommandLine::wrong},
        {{"--record", "a", "--record", "b"}, cCommandLine::wrong}, {{"--campaign", "--play", "x.orbrec"}, cCommandLine::wrong},
    };
    for (const auto& c : cases) {
        cCommandLine line;
        const std::string joined = ::testing::PrintToString(c.args);
        EXPECT_EQ(parse(line, c.args), c.action) << joined;
        const std::string& error = line.getError();  // a refusal says what is wrong, on one line
        EXPECT_TRUE(c.action != cCommandLine::wrong || (!error.empty() && error.find('\n') == std::string::npos)) << joined;
        const bool campaign = c.args == std::vector<std::string>{"--campaign"};
        EXPECT_TRUE(c.action != cCommandLine::run || line.isCampaign() == campaign) << joined;
    }
    EXPECT_NE(std::string(cCommandLine::helpText()).find("--campaign"), std::string::npos);
    // A whole line: X options go to GLUT with their values, paths are resolved.
    cCommandLine line;
    ASSERT_EQ(parse(line, {"-geometry", "--level", "-sync", "--level", "4", "--record", "rec/a.orbrec"}),
              cCommandLine::run);
    // -geometry takes the next word as its value even when it looks like an option.
    std::vector<std::string> glut;
    for (char* a : line.getGlutArgs()) glut.push_back(a);
    EXPECT_EQ(glut, (std::vector<std::string>{"orbix-tal", "-geometry", "--level", "-sync"}));
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(std::tuple(line.getStartLevel(), line.getRecordFile(), line.getStartFolder()),
              std::tuple(4, here + "/rec/a.orbrec", here));
}

TEST(CommandLine, TakesAViewOnlyForTheTimedemoAndOnlyByAKnownName) {
    const struct {
        std::vector<std::string> args;
        bool wide;
    } accepted[] = {
        {{"--timedemo", "a", "--view", "wide"}, true}, {{"--view", "wide", "--timedemo", "a"}, true},
        {{"--timedemo", "a", "--view", "default"}, false}, {{"--timedemo", "a"}, false},
    };
    for (const auto& c : accepted) {
        cCommandLine line;
        EXPECT_EQ(parse(line, c.args), cCommandLine::run) << ::testing::PrintToString(c.args);
        EXPECT_EQ(line.isWideView(), c.wide) << ::testing::PrintToString(c.args);
    }
    // The player's own game and a shown recording keep the camera in the player's hands.
    const std::vector<std::string> refused[] = {
        {"--view", "wide"}, {"--view", "default"}, {"--play", "a", "--view", "wide"}, {"--record", "a", "--view", "wide"},
        {"--campaign", "--view", "wide"},
        // Names the option does not know, a missing one, and a second view.
        {"--timedemo", "a", "--view", "far"}, {"--timedemo", "a", "--view", "Wide"}, {"--timedemo", "a", "--view", ""},
        {"--timedemo", "a", "--view"}, {"--timedemo", "a", "--view", "wide", "--view", "default"},
    };
    for (const auto& args : refused) {
        cCommandLine line;
        EXPECT_EQ(parse(line, args), cCommandLine::wrong) << ::testing::PrintToString(args);
        EXPECT_NE(line.getError().find("--view"), std::string::npos) << line.getError();
    }
}

}  // namespace
