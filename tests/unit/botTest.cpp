// The headless bot on small hand-made maps: it wins, launches only at groups, and never orders outside play.
#include "level/cBot.h"
#include "level/cLevel.h"
#include "levelTestMaps.h"

namespace {
class BotTest : public LevelFolderTest {
protected:
    bool build(const std::vector<sMapMark>& marks, int side = 48) {
        writeMap("m.bmp", side, side, marks);
        level.setMapName("m.bmp");
        return level.init();
    }
    void startPlay() {
        level.update(60);
        level.endIntroIfDue();
        ASSERT_EQ(level.getState(), cLevel::statePlaying);
    }
    cLevel level{1};
    cBot bot;
};
}

TEST_F(BotTest, WinsAnOpenFieldAndAccountsForIt) {
    ASSERT_TRUE(build({{6, 6, kSquadMark}, {36, 30, kEnemyMark}, {40, 40, kEnemyMark}, {20, 38, kEnemyMark}}));
    const sBotResult r = bot.play(level, 120000);
    EXPECT_EQ(r.outcome, cBot::won);
    EXPECT_EQ(level.getState(), cLevel::stateWon);
    EXPECT_EQ(r.enemiesKilled, 3);
    EXPECT_EQ(r.soldiersLost, 0);  // a fresh level starts in god mode
    EXPECT_EQ(r.timeMs, level.getLevelTime());
    // Three enemies of 100 life at 25 a bullet take at least twelve hits.
    EXPECT_GE(r.shots, 12);
}

TEST_F(BotTest, StopsAtTheTimeCapAndOnAMapWithoutEnemies) {
    ASSERT_TRUE(build({{6, 6, kSquadMark}, {40, 40, kEnemyMark}}));
    sBotResult r = bot.play(level, 40);
    EXPECT_EQ(r.outcome, cBot::timeout);
    EXPECT_EQ(r.timeMs, 40);
    EXPECT_EQ(r.shots, 0);

    ASSERT_TRUE(build({{6, 6, kSquadMark}}));
    cBot fresh;
    r = fresh.play(level, 10000);
    EXPECT_EQ(r.outcome, cBot::won);
    EXPECT_LT(r.timeMs, 200);
}

TEST_F(BotTest, ALevelThatWasNeverBuiltEndsAtOnce) {
    level.setMapName("missing.bmp");
    ASSERT_FALSE(level.init());
    const sBotResult r = bot.play(level, 1000000);
    EXPECT_EQ(r.outcome, cBot::failed);
    EXPECT_EQ(r.timeMs, 0);
}

TEST_F(BotTest, LosesWhenTheSquadCannotSurvive) {
    std::vector<sMapMark> marks{{24, 24, kSquadMark}};
    for (int i = 0; i < 24; i++)
        marks.push_back({10 + (i % 6) * 5, 10 + (i / 6) * 8, kEnemyMark});
    ASSERT_TRUE(build(marks));
    level.setGodMode(false);
    const sBotResult r = bot.play(level, 600000);
    ASSERT_EQ(r.outcome, cBot::failed);
    EXPECT_EQ(r.soldiersLost, 4);
    EXPECT_LT(r.enemiesKilled, 24);
}

TEST_F(BotTest, LaunchesAtGroupsOnlyAndNotNearItsOwnSquad) {
    // One enemy alone: no rocket is spent on it.
    ASSERT_TRUE(build({{6, 6, kSquadMark}, {30, 30, kEnemyMark}}));
    startPlay();
    int rockets = level.getSquad()->getRocketsCount();
    bot.think(level);
    EXPECT_EQ(level.getSquad()->getRocketsCount(), rockets);

    // Two enemies side by side: one rocket at them, then a pause before the next.
    ASSERT_TRUE(build({{6, 6, kSquadMark}, {30, 30, kEnemyMark}, {31, 31, kEnemyMark}}));
    startPlay();
    rockets = level.getSquad()->getRocketsCount();
    bot.think(level);
    EXPECT_EQ(level.getSquad()->getRocketsCount(), rockets - 1);
    EXPECT_NE(level.getAmmo().getRockets(), nullptr);
    bot.think(level);
    EXPECT_EQ(level.getSquad()->getRocketsCount(), rockets - 1);

    // A group right next to the squad would blast our own file; one behind a
    // tree wall would only set the rocket off in the trees.
    std::vector<sMapMark> marks{{6, 6, kSquadMark}, {9, 6, kEnemyMark}, {10, 7, kEnemyMark},
                                {6, 30, kEnemyMark}, {7, 30, kEnemyMark}};
    for (int x = 0; x < 20; x++)
        marks.push_back({x, 20, kTreeMark});
    ASSERT_TRUE(build(marks));
    cBot fresh;
    startPlay();
    rockets = level.getSquad()->getRocketsCount();
    fresh.think(level);
    EXPECT_EQ(level.getSquad()->getRocketsCount(), rockets);
}

TEST_F(BotTest, ThrowsGrenadesOverTreesOnceTheRocketsAreGone) {
    std::vector<sMapMark> marks{{6, 6, kSquadMark}, {16, 18, kEnemyMark}, {17, 18, kEnemyMark}};
    for (int x = 0; x < 30; x++)
        marks.push_back({x, 12, kTreeMark});
    ASSERT_TRUE(build(marks));
    level.setRocketsCount(0);
    startPlay();
    const int grenades = level.getSquad()->getGrenadesCount();
    bot.think(level);
    EXPECT_EQ(level.getSquad()->getGrenadesCount(), grenades - 1);
    EXPECT_NE(level.getAmmo().getGrenades(), nullptr);
}

TEST_F(BotTest, WalksAroundATreeWallInsteadOfIntoIt) {
    // A wall between squad and enemy with one gap at its far end.
    std::vector<sMapMark> marks{{10, 4, kSquadMark}, {10, 40, kEnemyMark}};
    for (int x = 0; x < 44; x++)
        marks.push_back({x, 20, kTreeMark});
    ASSERT_TRUE(build(marks));
    const sBotResult r = bot.play(level, 120000);
    EXPECT_EQ(r.outcome, cBot::won);
    EXPECT_EQ(r.enemiesKilled, 1);
}

TEST_F(BotTest, GroundOrdersActOnlyWhilePlaying) {
    ASSERT_TRUE(build({{6, 6, kSquadMark}, {40, 40, kEnemyMark}}));
    const int rockets = level.getSquad()->getRocketsCount();
    const int grenades = level.getSquad()->getGrenadesCount();
    // Still in the intro: nothing moves, fires or flies.
    level.orderMove(30, 30);
    level.orderFire();
    level.orderLaunch(30, 30);
    EXPECT_FALSE(level.getSquad()->isMoving());
    EXPECT_FALSE(level.getSquad()->isShooting());
    EXPECT_EQ(level.getSquad()->getRocketsCount(), rockets);
    EXPECT_EQ(level.getAmmo().getRockets(), nullptr);

    startPlay();
    level.orderMove(30, 30);
    EXPECT_FLOAT_EQ(level.getSquad()->getTargetX(), 30);
    level.orderFire();
    EXPECT_TRUE(level.getSquad()->isShooting());
    level.orderMove(20, 20);  // a move order stops the firing, as a click does
    EXPECT_FALSE(level.getSquad()->isShooting());
    level.selectRocket(false);
    level.orderLaunch(25, 25);
    EXPECT_EQ(level.getSquad()->getGrenadesCount(), grenades - 1);
    EXPECT_EQ(level.getSquad()->getRocketsCount(), rockets);
    EXPECT_NE(level.getAmmo().getGrenades(), nullptr);
}
