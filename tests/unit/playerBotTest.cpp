// The player-like bot on small hand-made maps: what it counts as on screen, getting round a wood, launching at groups only.
#include "level/cLevel.h"
#include "level/cPlayerBot.h"
#include "levelTestMaps.h"

#include <cstdlib>

namespace {
class PlayerBotTest : public LevelFolderTest {
protected:
    void build(const std::vector<sMapMark>& marks, int side = 48) {
        writeMap("m.bmp", side, side, marks);
        level.setMapName("m.bmp");
        ASSERT_TRUE(level.init());
        // Long enough in the intro for the camera to glide over the squad.
        level.update(10000);
        level.endIntroIfDue();
        ASSERT_EQ(level.getState(), cLevel::statePlaying);
    }
    cLevel level{1};
};

std::vector<sMapMark> woodBetween() {
    std::vector<sMapMark> marks{{24, 6, kSquadMark}, {24, 40, kEnemyMark}};
    for (int y = 16; y <= 20; y++)
        for (int x = 16; x <= 32; x++)
            marks.push_back({x, y, kTreeMark});
    return marks;
}
}

TEST_F(PlayerBotTest, SeesTheGroundTheViewShowsAroundTheLeader) {
    build({{40, 40, kSquadMark}, {120, 120, kEnemyMark}}, 128);
    EXPECT_TRUE(cPlayerBot::onScreen(level, 40, 40));
    EXPECT_TRUE(cPlayerBot::onScreen(level, 40, 55));   // up the screen
    EXPECT_TRUE(cPlayerBot::onScreen(level, 52, 40));
    EXPECT_FALSE(cPlayerBot::onScreen(level, 80, 40));  // beyond the right edge
    EXPECT_FALSE(cPlayerBot::onScreen(level, 40, 15));  // below the bottom edge
    EXPECT_FALSE(cPlayerBot::onScreen(level, 40, 110)); // beyond the horizon of the view
}

TEST_F(PlayerBotTest, StepsAsideUntilItIsRoundAWoodAndPlaysTheSameGameForTheSameSeed) {
    std::srand(3);
    build(woodBetween());
    level.setGodMode(true);
    const sBotResult first = cPlayerBot(5).play(level, 180000);
    EXPECT_EQ(first.outcome, cBot::won);

    std::srand(3);
    build(woodBetween());
    level.setGodMode(true);
    const sBotResult again = cPlayerBot(5).play(level, 180000);
    EXPECT_EQ(again.timeMs, first.timeMs);
    EXPECT_EQ(again.shots, first.shots);
}

TEST_F(PlayerBotTest, LaunchesOnlyAtGroupsOfThree) {
    for (int group : {2, 3}) {
        std::vector<sMapMark> marks{{24, 6, kSquadMark}};
        for (int i = 0; i < group; i++)
            marks.push_back({23 + i, 20 + i % 2, kEnemyMark});
        build(marks);
        const int rockets = level.getSquad()->getRocketsCount();
        cPlayerBot bot(1);
        bot.think(level);
        EXPECT_EQ(level.getSquad()->getRocketsCount(), rockets - (group >= 3 ? 1 : 0)) << group << " enemies";
    }
}
