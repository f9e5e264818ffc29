// The player-like bot on small hand-made maps: what it counts as on screen, getting round a wood, launching at groups only.
#include "level/cPlayerBot.h"
#include "levelTestMaps.h"

#include <cstdlib>

namespace {
class PlayerBotTest : public LevelTest {
protected:
    void play(const std::vector<sMapMark>& marks, int side = 48) {
        build(marks, side, side, false);
        // Long enough in the intro for the camera to glide over the squad.
        level.update(10000);
        level.endIntroIfDue();
        ASSERT_EQ(level.getState(), cLevel::statePlaying);
    }
};
} // namespace

TEST_F(PlayerBotTest, SeesTheGroundTheViewShowsAroundTheLeader) {
    play({{40, 40, kSquadMark}, {120, 120, kEnemyMark}}, 128);
    // Up the screen and a little right are seen; beyond the right or bottom edge or the horizon not.
    const struct { float x, y; bool seen; } points[] = {
        {40, 40, true}, {40, 55, true}, {52, 40, true}, {80, 40, false}, {40, 15, false}, {40, 110, false}};
    for (auto p : points) EXPECT_EQ(cPlayerBot::onScreen(level, p.x, p.y), p.seen) << p.x << "," << p.y;
}

TEST_F(PlayerBotTest, StepsAsideUntilItIsRoundAWoodAndPlaysTheSameGameForTheSameSeed) {
    std::vector<sMapMark> marks{{24, 6, kSquadMark}, {24, 40, kEnemyMark}};
    for (int y = 16; y <= 20; y++)
        for (int x = 16; x <= 32; x++) marks.push_back({x, y, kTreeMark});
    sBotResult games[2];
    for (sBotResult& r : games) {
        std::srand(3);
        play(marks);
        level.setGodMode(true);
        r = cPlayerBot(5).play(level, 180000);
        EXPECT_EQ(r.outcome, cBot::won);
    }
    EXPECT_EQ(games[1].timeMs, games[0].timeMs);
    EXPECT_EQ(games[1].shots, games[0].shots);
}

TEST_F(PlayerBotTest, LaunchesOnlyAtGroupsOfThree) {
    for (int group : {2, 3}) {
        std::vector<sMapMark> marks{{24, 6, kSquadMark}};
        for (int i = 0; i < group; i++) marks.push_back({23 + i, 20 + i % 2, kEnemyMark});
        play(marks);
        const int rockets = level.getSquad()->getRocketsCount();
        cPlayerBot(1).think(level);
        EXPECT_EQ(level.getSquad()->getRocketsCount(), rockets - (group >= 3 ? 1 : 0)) << group << " enemies";
    }
}
