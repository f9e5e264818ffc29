// The level's aim under the pointer and a gliding camera, and the sounds its orders and ticks ask for.
#include <cmath>
#include <utility>
#include <vector>

#include "levelTestMaps.h"

namespace {

// Whether the standing leader faces (x, y), within a degree.
bool facing(cLevel& level, std::pair<float, float> p) {
    const cPlayerBall* lead = level.getSquad();
    const double heading = std::atan2(p.second - lead->getY(), p.first - lead->getX()) * 180.0 / M_PI;
    return std::fabs(std::remainder(lead->getAngle() - heading, 360.0)) < 1.0;
}

// What the pick answers for pixel (x, y) through the level's camera now, in an 800 x 600 window.
std::pair<float, float> groundUnder(cLevel& level, int x, int y) {
    float gx = -1, gy = -1;
    level.getCamera().groundPoint(x, y, 800, 600, level.getMap().getX(), level.getMap().getY(), gx, gy);
    return {gx, gy};
}
}  // namespace

using LevelAimTest = LevelTest;

TEST_F(LevelAimTest, TheAimFollowsAGlidingCameraUnderAStillPointerAndRecordsOnlyChanges) {
    build({{4, 4, kSquadMark}, {40, 40, kEnemyMark}});
    level.onReshape(800, 600);
    sLevelLogged log;
    level.setLog(&log);
    level.onPassiveMotion(0, 500, 200, 0, 0);
    EXPECT_EQ(log.aims, 1);

    // A move order sends the camera gliding: each step re-aims at what now lies under the
    // pointer, and the squad turns to it; no frame is drawn.
    level.orderMove(30, 30);
    for (int i = 0; i < 20; i++) level.update(5);
    const std::pair<float, float> mid = groundUnder(level, 500, 200);
    EXPECT_NE(level.getCamera().getX(), level.getCamera().getXTarget()) << "still gliding";
    int aims = log.aims;
    EXPECT_GT(aims, 5);
    level.update(5);
    EXPECT_NE(groundUnder(level, 500, 200), mid);
    EXPECT_EQ(log.aims, aims + 1);
    // Once the camera rests nothing changes, and nothing more is recorded.
    for (int i = 0; i < 2000; i++) level.update(5);
    aims = log.aims;
    for (int i = 0; i < 20; i++) level.update(5);
    EXPECT_EQ(log.aims, aims);
    EXPECT_TRUE(facing(level, groundUnder(level, 500, 200)));
    level.setLog(nullptr);
}

TEST_F(LevelAimTest, ALevelWithoutAPointerKeepsTheAimItIsGiven) {
    // Bots and replays aim by hand; a glide must not pull the aim to a pointer that is not there.
    build({{4, 4, kSquadMark}, {40, 40, kEnemyMark}});
    sLevelLogged log;
    level.setLog(&log);
    level.aimAt(20, 5);
    level.orderMove(30, 30);
    for (int i = 0; i < 2000; i++) level.update(5);
    EXPECT_EQ(log.aims, 1);
    EXPECT_TRUE(facing(level, {20.0f, 5.0f}));
    level.setLog(nullptr);
}

TEST_F(LevelAimTest, AMoveOrderAShotAndABlastAskForTheirSounds) {
    build({{4, 4, kSquadMark}, {40, 40, kEnemyMark}});
    level.takeSoundEvents();  // whatever the build and the intro asked for
    level.orderMove(10, 10);
    EXPECT_EQ(level.takeSoundEvents(), std::vector<int>{1}) << "roger";
    level.orderFire();
    std::vector<int> shots;
    for (int i = 0; i < 40; i++) {
        level.update(5);
        for (int id : level.takeSoundEvents()) shots.push_back(id);
    }
    ASSERT_FALSE(shots.empty());
    for (int id : shots) EXPECT_TRUE(id >= 4 && id <= 6) << id;
    level.holdFire();
    for (int i = 0; i < 100; i++) level.update(5);
    level.takeSoundEvents();
    level.selectRocket(false);
    level.orderLaunch(level.getSquad()->getX() + 5, level.getSquad()->getY());
    std::vector<int> blast;
    for (int i = 0; i < 400 && blast.empty(); i++) {
        level.update(5);
        blast = level.takeSoundEvents();
    }
    EXPECT_EQ(blast, std::vector<int>{7});
    // Nobody drains a headless level's sounds: the list stays bounded.
    for (int i = 0; i < 1000; i++) level.orderMove(10, 10);
    EXPECT_EQ(level.takeSoundEvents().size(), cSoundEvents::capacity);
}
