// Level build and tick on small maps: markers, winning, failing, fallen order, restart, god mode.
#include <climits>
#include <vector>

#include "level/cLevel.h"
#include "levelTestMaps.h"
#include "weapons/cBullet.h"

namespace {
class LevelTickTest : public LevelFolderTest {
protected:
    // Builds maps/name and runs the level past its intro into play.
    void play(cLevel& level, const std::string& name) {
        level.setMapName(name.c_str());
        ASSERT_TRUE(level.init());
        ASSERT_EQ(level.update(60), 0);
        level.endIntroIfDue();
        ASSERT_EQ(level.getState(), cLevel::statePlaying);
    }
    static std::vector<cPlayerBall*> soldiers(cPlayerBall* head) {
        std::vector<cPlayerBall*> v;
        for (; head != nullptr; head = head->getNext())
            v.push_back(head);
        return v;
    }
    static float squadLife(cLevel& level) {
        float sum = 0;
        for (cPlayerBall* s : soldiers(level.getSquad()))
            sum += s->getLife();
        return sum;
    }
};
}

TEST_F(LevelTickTest, BuildPlacesSquadOnLastGreenAndEnemiesOnRed) {
    writeMap("m.bmp", 20, 10, {{3, 4, kSquadMark}, {10, 2, kSquadMark}, {1, 1, kEnemyMark},
                               {5, 1, kEnemyMark}, {7, 8, kEnemyMark}});
    cLevel level(1);
    level.setMapName("m.bmp");
    ASSERT_TRUE(level.init());
    EXPECT_EQ(level.getState(), cLevel::stateIntro);
    EXPECT_TRUE(level.getGodMode());
    ASSERT_EQ(soldiers(level.getSquad()).size(), 4u);
    EXPECT_FLOAT_EQ(level.getSquad()->getX(), 3);
    EXPECT_FLOAT_EQ(level.getSquad()->getY(), 4);
    int enemies = 0;
    for (cEnemy* e = level.getEnemies(); e != nullptr; e = e->getNext())
        enemies++;
    EXPECT_EQ(enemies, 3);
    EXPECT_FLOAT_EQ(level.getEnemies()->getX(), 1);
    EXPECT_FLOAT_EQ(level.getEnemies()->getY(), 1);
    // Building again frees and rebuilds everything.
    ASSERT_TRUE(level.init());
    EXPECT_EQ(soldiers(level.getSquad()).size(), 4u);
}

TEST_F(LevelTickTest, IntroHoldsTheWorldUntilFiftyMilliseconds) {
    writeMap("m.bmp", 16, 16, {{3, 3, kSquadMark}, {12, 12, kEnemyMark}});
    cLevel level(1);
    level.setMapName("m.bmp");
    ASSERT_TRUE(level.init());
    EXPECT_EQ(level.update(30), 0);
    level.endIntroIfDue();
    EXPECT_EQ(level.getState(), cLevel::stateIntro);
    level.pause(true);
    EXPECT_EQ(level.getState(), cLevel::stateIntro);
    EXPECT_EQ(level.update(30), 0);
    level.endIntroIfDue();
    EXPECT_EQ(level.getState(), cLevel::statePlaying);
    EXPECT_EQ(level.getLevelTime(), 60);
}

TEST_F(LevelTickTest, MapWithoutEnemiesIsWonAtOnceAndEnterAdvancesOnce) {
    writeMap("m.bmp", 16, 16, {{3, 3, kSquadMark}});
    cLevel level(1);
    play(level, "m.bmp");
    level.getSquad()->setGrenades(5);
    level.getSquad()->setRockets(6);
    EXPECT_EQ(level.update(5), 0);
    EXPECT_EQ(level.getState(), cLevel::stateWon);
    EXPECT_EQ(level.getGrenadesCount(), 5);
    EXPECT_EQ(level.getRocketsCount(), 6);
    level.onKeyboardUp(13);
    EXPECT_EQ(level.update(5), 1);
    EXPECT_EQ(level.update(5), 1);
    level.onKeyboardUp(13);
    EXPECT_EQ(level.getState(), cLevel::stateAdvancing);
}

TEST_F(LevelTickTest, FallenAreCollectedInOrderOfDeathAndRestartBringsThemBack) {
    writeMap("m.bmp", 64, 64, {{2, 2, kSquadMark}, {60, 60, kEnemyMark}});
    cLevel level(1);
    play(level, "m.bmp");
    std::vector<cPlayerBall*> s = soldiers(level.getSquad());
    ASSERT_EQ(s.size(), 4u);
    level.setGrenadesCount(7);
    level.setRocketsCount(8);

    s[2]->cBall::hurt(500);
    level.update(1);
    s[0]->cBall::hurt(500);
    level.update(1);
    EXPECT_EQ(level.getSquad(), s[1]);
    EXPECT_EQ(soldiers(level.getSquad()), (std::vector<cPlayerBall*>{s[1], s[3]}));
    EXPECT_EQ(soldiers(level.getFallen()), (std::vector<cPlayerBall*>{s[2], s[0]}));
    EXPECT_EQ(level.getState(), cLevel::statePlaying);

    s[1]->cBall::hurt(500);
    s[3]->cBall::hurt(500);
    level.update(1);
    EXPECT_EQ(level.getSquad(), nullptr);
    EXPECT_EQ(level.getState(), cLevel::stateFailed);
    EXPECT_EQ(soldiers(level.getFallen()), (std::vector<cPlayerBall*>{s[2], s[0], s[1], s[3]}));
    EXPECT_EQ(level.update(100), 0);
    EXPECT_EQ(level.getState(), cLevel::stateFailed);

    level.getEnemies()->cBall::hurt(30);
    level.onKeyboardUp(13);
    EXPECT_EQ(level.getState(), cLevel::stateIntro);
    EXPECT_EQ(level.getLevelTime(), 0);
    EXPECT_EQ(level.getFallen(), nullptr);
    std::vector<cPlayerBall*> back = soldiers(level.getSquad());
    EXPECT_EQ(back, (std::vector<cPlayerBall*>{s[2], s[0], s[1], s[3]}));
    for (cPlayerBall* b : back)
        EXPECT_FLOAT_EQ(b->getLife(), 100);
    EXPECT_TRUE(back[0]->isLeader());
    EXPECT_EQ(back[0]->getGrenadesCount(), 7);
    EXPECT_EQ(back[0]->getRocketsCount(), 8);
    EXPECT_FLOAT_EQ(back[0]->getX(), 2);
    EXPECT_FLOAT_EQ(level.getEnemies()->getLife(), 100);
}

TEST_F(LevelTickTest, WinInTheSameTickOverridesFailureAndStaysWon) {
    writeMap("m.bmp", 64, 64, {{2, 2, kSquadMark}, {60, 60, kEnemyMark}});
    cLevel level(1);
    play(level, "m.bmp");
    level.setGrenadesCount(3);
    for (cPlayerBall* s : soldiers(level.getSquad()))
        s->cBall::hurt(500);
    level.getEnemies()->cBall::hurt(500);
    level.update(1);
    EXPECT_EQ(level.getState(), cLevel::stateWon);
    EXPECT_EQ(level.getGrenadesCount(), 3);
    level.update(1);
    EXPECT_EQ(level.getState(), cLevel::stateWon);
    // The success screen ignores ESC and the pause key.
    level.onKeyboardUp(27);
    level.onKeyboardUp('p');
    EXPECT_EQ(level.getState(), cLevel::stateWon);
}

TEST_F(LevelTickTest, GodModeLetsEnemyFireAndBlastsThroughTheSquad) {
    writeMap("m.bmp", 64, 64, {{10, 10, kSquadMark}, {12, 10, kEnemyMark}});
    cLevel level(1);
    play(level, "m.bmp");
    cEnemy* enemy = level.getEnemies();

    level.getAmmo().addBullet(10.5f, 10.5f, 0, 40, 1);
    level.update(1);
    EXPECT_FLOAT_EQ(squadLife(level), 400);
    ASSERT_NE(level.getAmmo().getBullets(), nullptr);
    EXPECT_TRUE(level.getAmmo().getBullets()->isAlive());

    level.getAmmo().addGrenade(10.5f, 10.5f, 10.5f, 10.5f, 15);
    level.update(1);
    EXPECT_FLOAT_EQ(squadLife(level), 400);
    EXPECT_FLOAT_EQ(enemy->getLife(), 50);

    level.setGodMode(false);
    level.getAmmo().dispose();
    const float before = squadLife(level);
    level.getAmmo().addBullet(10.5f, 10.5f, 0, 40, 1);
    level.update(1);
    EXPECT_FLOAT_EQ(squadLife(level), before - 10);
}

TEST_F(LevelTickTest, MissingMapLeavesTheLevelInactiveButNotATrap) {
    cLevel level(1);
    level.setMapName("nothing.bmp");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(level.init());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cLevel: cannot play the map \"maps/nothing.bmp\": the file cannot be opened (No such file or directory).\n");
    EXPECT_EQ(level.getFailure(), "the file cannot be opened (No such file or directory)");
    EXPECT_EQ(level.getState(), cLevel::stateInactive);
    EXPECT_EQ(level.update(20), cLevel::answerInactive);
    EXPECT_EQ(level.getLevelTime(), 0);
    level.onKeyboardUp('q');
    level.onMouseClick(5, 100, 100);
    EXPECT_EQ(level.update(20), cLevel::answerInactive);
    level.onKeyboardUp(13);
    EXPECT_EQ(level.update(20), cLevel::answerSkip);
    level.onKeyboardUp(27);
    EXPECT_EQ(level.update(20), cLevel::answerMenu);
    // A fresh start forgets both.
    EXPECT_FALSE(level.init());
    EXPECT_EQ(level.update(20), cLevel::answerInactive);
}

TEST_F(LevelTickTest, CountsGoToTheLeaderOnlyOnceThereIsOne) {
    writeMap("m.bmp", 16, 16, {{3, 3, kSquadMark}, {12, 12, kEnemyMark}});
    cLevel level(1);
    level.setGrenadesCount(5);
    EXPECT_EQ(level.getGrenadesCount(), 5);
    level.setMapName("m.bmp");
    ASSERT_TRUE(level.init());
    level.setRocketsCount(4);
    EXPECT_EQ(level.getSquad()->getRocketsCount(), 4);
}

TEST_F(LevelTickTest, WeeksOfPlayOverflowNoClock) {
    writeMap("m.bmp", 16, 16, {{3, 3, kSquadMark}, {12, 12, kEnemyMark}});
    cLevel level(1);
    play(level, "m.bmp");
    level.pause(true);
    for (int i = 0; i < 3; i++) level.update(INT_MAX);
    EXPECT_EQ(level.getLevelTime(), 60 + 3LL * INT_MAX);

    // The winners' spin turns the camera one way, however long the tick.
    writeMap("won.bmp", 16, 16, {{3, 3, kSquadMark}});
    play(level, "won.bmp");
    level.update(5);
    ASSERT_EQ(level.getState(), cLevel::stateWon);
    const float before = level.getCamera().getAngleZ();
    level.update(INT_MAX / 2);
    EXPECT_NEAR(level.getCamera().getAngleZ() - before, -35.0 * (INT_MAX / 2) / 1000.0, 1e3);
}
