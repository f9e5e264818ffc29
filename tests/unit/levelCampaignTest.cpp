// The campaign's own ways of playing a level: following camera, wheel zoom, a launch chord that halts the squad,
// and its record of tree puffs, hit flashes and falls, each gone after its time. The level's aim under the
// pointer and a gliding camera, and the sounds its orders and ticks ask for.
#include "ballTestWorld.h"
#include "level/replay/levelStateHash.h"
#include "levelTestMaps.h"
#include "units/cBall.h"
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {
// 48 x 48 open ground: the squad near one corner, an enemy far off in the other.
const std::vector<sMapMark> kOpenField{{6, 6, kSquadMark}, {44, 44, kEnemyMark}};

class LevelCampaignTest : public LevelTest {
protected:
    void campaign(bool classicCamera = false) {
        level.setPlayRules({.campaign = true, .classicCamera = classicCamera});
    }
    std::pair<float, float> cameraTarget() const {
        return {level.getCamera().getXTarget(), level.getCamera().getYTarget()};
    }
    std::pair<float, float> overLeader() const {
        const cPlayerBall* lead = level.getSquad();
        return {24 - lead->getX(), 24 - lead->getY()};
    }
};

// Open ground with a wall of trees across column 20; the squad west of it, an enemy far east.
std::vector<sMapMark> wallMap() {
    std::vector<sMapMark> marks{{6, 24, kSquadMark}, {44, 44, kEnemyMark}};
    for (int y = 0; y < 48; y++) marks.push_back({20, y, kTreeMark});
    return marks;
}

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

TEST_F(LevelCampaignTest, TheCameraFollowsTheLeaderInTheCampaignAndGlidesToTheOrderOtherwise) {
    for (int mode = 0; mode < 3; mode++) {  // the game as it is, the campaign, the campaign's classic camera
        if (mode > 0) campaign(mode == 2);
        build(kOpenField);
        level.orderMove(30, 12);
        play(3000);
        const cCamera& camera = level.getCamera();
        if (mode == 1) {
            // The leader walks at half the camera's speed: the view stays on him (the
            // target is taken before his step, so it trails him by one).
            EXPECT_LT(
                std::hypot(cameraTarget().first - overLeader().first, cameraTarget().second - overLeader().second),
                0.05f);
            EXPECT_LT(std::hypot(camera.getX() - overLeader().first, camera.getY() - overLeader().second), 0.1f);
        } else {
            EXPECT_EQ(cameraTarget(), std::pair(24.0f - 30, 24.0f - 12)) << mode;
        }
        // The wheel zooms in the campaign alone; the zoom stays within its bounds.
        const float z = camera.getZ();
        level.onWheel(2);
        EXPECT_EQ(camera.getZ() > z, mode > 0) << mode;
        for (int i = 0; i < 200; i++) level.onWheel(-1);
        EXPECT_GE(camera.getZ(), -250.0f);
    }
}

TEST_F(LevelCampaignTest, ALaunchChordLeavesTheSquadWhereItStandsAndItsReleaseOrdersNothing) {
    for (bool inCampaign : {false, true}) {
        SCOPED_TRACE(inCampaign);
        if (inCampaign) campaign();
        build(kOpenField);
        sLevelLogged log;
        level.setLog(&log);
        cPlayerBall* lead = level.getSquad();
        const auto [x0, y0] = std::pair(lead->getX(), lead->getY());
        // Left, then right at once: a walk order, then the launch.
        level.onMouseClick(1, 700, 100);
        level.update(100);
        level.onMouseClick(5, 700, 100);
        EXPECT_EQ(std::pair(listLength(level.getAmmo().getRockets()), lead->isMoving()), std::pair(1, !inCampaign))
            << "the walk is taken back";
        level.onMouseClick(4, 700, 100);  // releasing left: today a fire order
        EXPECT_EQ(lead->isShooting(), !inCampaign);
        level.onMouseClick(0, 700, 100);
        if (inCampaign) {
            EXPECT_EQ(log.kinds, (std::vector{sLevelInput::move, sLevelInput::withdrawMove, sLevelInput::launch}));
            play(500);
            EXPECT_LT(std::hypot(lead->getX() - x0, lead->getY() - y0), 0.5f);
            // Right first: its fire stops at the launch, and releasing right walks nowhere.
            const auto shootsAfter = [&](int buttons) {
                level.onMouseClick(buttons, 700, 100);
                return lead->isShooting();
            };
            EXPECT_EQ((std::pair{shootsAfter(4), shootsAfter(5)}), std::pair(true, false));
            level.onMouseClick(1, 700, 100);
            level.onMouseClick(0, 700, 100);
            EXPECT_EQ(std::pair(lead->isMoving(), listLength(level.getAmmo().getRockets())), std::pair(false, 2));
            // A second button long after a walk order launches on the walk.
            level.onMouseClick(1, 700, 100);
            play(300);
            level.onMouseClick(5, 700, 100);
            EXPECT_TRUE(lead->isMoving());
            level.onMouseClick(0, 700, 100);
        }
        level.setLog(nullptr);
    }
}

TEST_F(LevelCampaignTest, TheWideViewWatchesTheLeaderFromAfarThroughARestartAndChangesNothingInTheGame) {
    writeMap("m.bmp", 48, 48, kOpenField);
    cCamera farthestAway;
    farthestAway.zoom(-100000);
    const float farthest = farthestAway.getZ();
    uint64_t hashes[2] = {};
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide);
        cLevel l{1};
        ASSERT_TRUE(l.setMapName("m.bmp") && l.start({.seed = 7, .wideView = wide}));
        EXPECT_EQ(l.getCamera().getZ() == farthest, wide) << "from the first frame";
        l.orderMove(30, 12);
        for (int ms = 0; ms < 3000; ms += cLevel::stepMs) l.update(cLevel::stepMs);
        if (wide) {
            const cPlayerBall* lead = l.getSquad();
            EXPECT_LT(std::hypot(l.getCamera().getXTarget() - 24 + lead->getX(),
                                 l.getCamera().getYTarget() - 24 + lead->getY()),
                      0.05f);
        }
        hashes[wide] = levelStateHash(l);
        l.restart();
        l.update(cLevel::stepMs);
        EXPECT_EQ(l.getCamera().getZ() == farthest, wide) << "after a restart";
        EXPECT_FLOAT_EQ(l.getCamera().getAngleX(), cCamera().getAngleX()) << "tilted as usual";
    }
    EXPECT_EQ(hashes[0], hashes[1]);
}

TEST_F(LevelCampaignTest, TreeHitsHitsAndFallsAreRecordedInTheCampaignAloneAndExpire) {
    for (bool inCampaign : {false, true}) {
        SCOPED_TRACE(inCampaign);
        level.setPlayRules({.campaign = inCampaign});
        build(wallMap());
        level.setGodMode(false);  // a new level starts in god mode
        const cLevelShow& show = level.getShow();
        cPlayerBall* lead = level.getSquad();

        // A squad bullet eastwards (50 units a second) stops on the wall, where it enters column 20.
        level.getAmmo().addBullet(lead->getX() + 2, lead->getY(), 0, 50.0f, 0);
        play(400);
        ASSERT_EQ(show.getPuffs().size(), inCampaign ? 1u : 0u);
        if (inCampaign) {
            EXPECT_TRUE(std::fabs(show.getPuffs()[0].x - 20.0f) < 0.01f &&
                        std::fabs(show.getPuffs()[0].y - lead->getY()) < 0.5f);
        }
        play(static_cast<int>(cLevelShow::puffMs) + 100);
        EXPECT_TRUE(show.getPuffs().empty());

        // An enemy bullet in the leader's cell hurts whoever of the squad holds it:
        // he flashes, for a moment.
        level.getAmmo().addBullet(lead->getX(), lead->getY(), 0, 0.1f, 1);
        play(cLevel::stepMs);
        ASSERT_EQ(show.getHits().size(), inCampaign ? 1u : 0u);
        if (inCampaign) {
            const std::string hitName = show.getHits()[0].name;
            bool hurt = false;
            for (const cPlayerBall* s = level.getSquad(); s != nullptr; s = s->getNext())
                hurt = hurt || (s->getName() == hitName && s->getLife() < 100.0f);
            EXPECT_TRUE(hurt && show.isFlashing(hitName, level.getLevelTime())) << hitName;
            play(static_cast<int>(cLevelShow::flashMs) + 50);
            EXPECT_FALSE(show.isFlashing(hitName, level.getLevelTime()));
        }

        // A soldier killed falls at the next tick, with his name and place.
        cPlayerBall* victim = lead->getNext();
        const std::string victimName = victim->getName();
        static_cast<cBall*>(victim)->hurt(1000.0f);
        play(cLevel::stepMs);
        ASSERT_EQ(show.getFalls().size(), inCampaign ? 1u : 0u);
        if (inCampaign) {
            EXPECT_EQ(std::pair(show.getFalls()[0].name, show.getFalls()[0].x), std::pair(victimName, victim->getX()));
        }
        play(static_cast<int>(cLevelShow::markMs) + 100);
        EXPECT_TRUE(show.getFalls().empty() && show.getHits().empty());
    }
}

TEST(LevelShow, AHitAgainRestartsTheFlashAndEachKindKeepsItsOwnTime) {
    cLevelShow show;
    show.addHit("Ann", 0);
    show.addHit("Ann", 100);
    EXPECT_EQ(std::tuple(show.getHits().size(), show.isFlashing("Ann", 200), show.isFlashing("Bob", 200)),
              std::tuple(1u, true, false));
    show.addPuff(1, 2, 100);
    show.addFall("Bob", 3, 4, 100);
    show.expire(100 + cLevelShow::puffMs);
    EXPECT_EQ(std::tuple(show.getPuffs().size(), show.getHits().size(), show.getFalls().size()),
              std::tuple(0u, 0u, 1u));
}

TEST_F(LevelCampaignTest, TheAimFollowsAGlidingCameraUnderAStillPointerAndRecordsOnlyChanges) {
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
    EXPECT_EQ(std::pair(log.aims, facing(level, groundUnder(level, 500, 200))), std::pair(aims, true));
    level.setLog(nullptr);
}

TEST_F(LevelCampaignTest, AMoveOrderAShotAndABlastAskForTheirSoundsAndALevelWithoutAPointerKeepsTheAimItIsGiven) {
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

    // Bots and replays aim by hand; a glide must not pull the aim to a pointer that is not there.
    sLevelLogged log;
    level.setLog(&log);
    level.aimAt(20, 5);
    level.orderMove(30, 30);
    for (int i = 0; i < 2000; i++) level.update(5);
    EXPECT_EQ(std::pair(log.aims, facing(level, {20.0f, 5.0f})), std::pair(1, true));
    level.setLog(nullptr);
}
