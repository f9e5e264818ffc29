// The campaign's own ways of playing a level: a camera that follows the leader, a wheel that
// zooms, a launch chord that leaves the squad where it stands; none of them without the campaign.
#include "levelTestMaps.h"

#include <tuple>

namespace {
// 48 x 48 open ground: the squad near one corner, an enemy far off in the other.
const std::vector<sMapMark> kOpenField{{6, 6, kSquadMark}, {44, 44, kEnemyMark}};

class LevelCampaignTest : public LevelTest {
protected:
    void campaign(bool classicCamera = false) {
        sPlayRules rules;
        rules.campaign = true;
        rules.classicCamera = classicCamera;
        level.setPlayRules(rules);
    }
    std::pair<float, float> cameraTarget() const {
        return {level.getCamera().getXTarget(), level.getCamera().getYTarget()};
    }
    std::pair<float, float> overLeader() const {
        const cPlayerBall* lead = level.getSquad();
        return {24 - lead->getX(), 24 - lead->getY()};
    }
    void play(int ms) {
        for (; ms > 0; ms -= cLevel::stepMs) level.update(cLevel::stepMs);
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
            EXPECT_NEAR(cameraTarget().first, overLeader().first, 0.05f);
            EXPECT_NEAR(cameraTarget().second, overLeader().second, 0.05f);
            EXPECT_NEAR(camera.getX(), overLeader().first, 0.1f);
            EXPECT_NEAR(camera.getY(), overLeader().second, 0.1f);
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
