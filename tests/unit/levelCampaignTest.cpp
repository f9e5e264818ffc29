// The campaign's own ways of playing a level: following camera, wheel zoom, a launch chord that halts the squad.
#include "ballTestWorld.h"
#include "level/replay/levelStateHash.h"
#include "levelTestMaps.h"
#include <cmath>
#include <vector>

namespace {
// 48 x 48 open ground: the squad near one corner, an enemy far off in the other.
const std::vector<sMapMark> kOpenField{{6, 6, kSquadMark}, {44, 44, kEnemyMark}};

class LevelCampaignTest : public LevelTest {
protected:
    void campaign(bool classicCamera = false) { level.setPlayRules({.campaign = true, .classicCamera = classicCamera}); }
    std::pair<float, float> cameraTarget() const {
        return {level.getCamera().getXTarget(), level.getCamera().getYTarget()};
    }
    std::pair<float, float> overLeader() const {
        const cPlayerBall* lead = level.getSquad();
        return {24 - lead->getX(), 24 - lead->getY()};
    }
};
}  // namespace

TEST_F(LevelCampaignTest, TheCameraFollowsTheLeaderInTheCampaignAndGlidesToTheOrderOtherwise) {
    for (int mode = 0; mode < 3; mode++) {  // the game as it is, the campaign, the campaign's classic camera
        if (mode > 0)
            campaign(mode == 2);
        build(kOpenField);
        level.orderMove(30, 12);
        play(3000);
        const cCamera& camera = level.getCamera();
        if (mode == 1) {
            // The leader walks at half the camera's speed: the view stays on him (the
            // target is taken before his step, so it trails him by one).
            EXPECT_LT(std::hypot(cameraTarget().first - overLeader().first, cameraTarget().second - overLeader().second), 0.05f);
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
        if (inCampaign)
            campaign();
        build(kOpenField);
        sLevelLogged log;
        level.setLog(&log);
        cPlayerBall* lead = level.getSquad();
        const auto [x0, y0] = std::pair(lead->getX(), lead->getY());
        // Left, then right at once: a walk order, then the launch.
        level.onMouseClick(1, 700, 100);
        level.update(100);
        level.onMouseClick(5, 700, 100);
        EXPECT_EQ(listLength(level.getAmmo().getRockets()), 1);
        EXPECT_EQ(lead->isMoving(), !inCampaign) << "the walk is taken back";
        level.onMouseClick(4, 700, 100);  // releasing left: today a fire order
        EXPECT_EQ(lead->isShooting(), !inCampaign);
        level.onMouseClick(0, 700, 100);
        if (inCampaign) {
            EXPECT_EQ(log.kinds, (std::vector{sLevelInput::move, sLevelInput::withdrawMove, sLevelInput::launch}));
            play(500);
            EXPECT_NEAR(lead->getX(), x0, 0.5f);
            EXPECT_NEAR(lead->getY(), y0, 0.5f);
            // Right first: its fire stops at the launch, and releasing right walks nowhere.
            level.onMouseClick(4, 700, 100);
            EXPECT_TRUE(lead->isShooting());
            level.onMouseClick(5, 700, 100);
            EXPECT_FALSE(lead->isShooting());
            level.onMouseClick(1, 700, 100);
            level.onMouseClick(0, 700, 100);
            EXPECT_FALSE(lead->isMoving());
            EXPECT_EQ(listLength(level.getAmmo().getRockets()), 2);
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
    uint64_t hashes[2] = {};
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide);
        cLevel l{1};
        ASSERT_TRUE(l.setMapName("m.bmp"));
        ASSERT_TRUE(l.start({.seed = 7, .wideView = wide}));
        const float farthest = [] {
            cCamera c;
            c.zoom(-100000);
            return c.getZ();
        }();
        EXPECT_EQ(l.getCamera().getZ() == farthest, wide) << "from the first frame";
        l.orderMove(30, 12);
        for (int ms = 0; ms < 3000; ms += cLevel::stepMs) l.update(cLevel::stepMs);
        if (wide) {
            const cPlayerBall* lead = l.getSquad();
            EXPECT_LT(std::hypot(l.getCamera().getXTarget() - 24 + lead->getX(), l.getCamera().getYTarget() - 24 + lead->getY()), 0.05f);
        }
        hashes[wide] = levelStateHash(l);
        l.restart();
        l.update(cLevel::stepMs);
        EXPECT_EQ(l.getCamera().getZ() == farthest, wide) << "after a restart";
        EXPECT_FLOAT_EQ(l.getCamera().getAngleX(), cCamera().getAngleX()) << "tilted as usual";
    }
    EXPECT_EQ(hashes[0], hashes[1]);
}
