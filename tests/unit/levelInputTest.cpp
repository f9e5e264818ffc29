// Level controls: keys act on release, clicks only in play, the two-button chord, weapon boxes, developer keys.
#include "level/cLevel.h"
#include "levelTestMaps.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"

namespace {
class LevelInputTest : public LevelFolderTest {
protected:
    void SetUp() override {
        LevelFolderTest::SetUp();
        writeMap("m.bmp", 32, 32, {{4, 4, kSquadMark}, {28, 28, kEnemyMark}});
        level.setMapName("m.bmp");
        ASSERT_TRUE(level.init());
    }
    void startPlay() {
        level.update(60);
        level.endIntroIfDue();
        ASSERT_EQ(level.getState(), cLevel::statePlaying);
    }
    template <class T>
    static int length(T* head) {
        int n = 0;
        for (; head != nullptr; head = head->getNext())
            n++;
        return n;
    }
    cLevel level{1};
};
}

TEST_F(LevelInputTest, KeysActOnReleaseOnly) {
    startPlay();
    level.onKeyboard('t');
    EXPECT_TRUE(level.isRocketSelected());
    level.onKeyboardUp('t');
    EXPECT_FALSE(level.isRocketSelected());
    level.onKeyboard('p');
    EXPECT_EQ(level.getState(), cLevel::statePlaying);
    level.onKeyboardUp('p');
    EXPECT_EQ(level.getState(), cLevel::statePaused);
    level.onKeyboardUp(27);
    EXPECT_EQ(level.getState(), cLevel::statePaused);
    level.onKeyboardUp('p');
    EXPECT_EQ(level.getState(), cLevel::statePlaying);
    level.onKeyboardUp(13);
    EXPECT_EQ(level.getState(), cLevel::statePlaying);

    testing::internal::CaptureStdout();
    level.onKeyboardUp('m');
    level.onKeyboardUp('m');
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "cLevel: FOV ON.\ncLevel: FOV OFF.\n");

    level.onKeyboardUp(27);
    EXPECT_EQ(level.getState(), cLevel::stateLeaving);
    EXPECT_EQ(level.update(5), 2);
}

TEST_F(LevelInputTest, WeaponBoxesAnswerOnlyWhilePlaying) {
    level.onMouseClick(1, 20, 40);
    EXPECT_TRUE(level.isRocketSelected());
    startPlay();
    level.onMouseClick(1, 20, 40);
    EXPECT_FALSE(level.isRocketSelected());
    level.onMouseClick(0, 20, 40);
    level.onMouseClick(1, 60, 40);
    EXPECT_TRUE(level.isRocketSelected());
    level.onKeyboardUp('p');
    level.onMouseClick(1, 20, 40);
    EXPECT_TRUE(level.isRocketSelected());

    EXPECT_EQ(cUI::testMouseHit(48, 30), cUI::hitGrenade);
    EXPECT_EQ(cUI::testMouseHit(49, 30), cUI::hitNothing);
    EXPECT_EQ(cUI::testMouseHit(6, 29), cUI::hitNothing);
    EXPECT_EQ(cUI::testMouseHit(52, 60), cUI::hitRocket);
    EXPECT_EQ(cUI::testMouseHit(52, 61), cUI::hitNothing);
    EXPECT_EQ(cUI::testMouseHit(95, 40), cUI::hitNothing);
}

TEST_F(LevelInputTest, SecondButtonOfAChordFiresOneProjectile) {
    startPlay();
    const int rockets = level.getSquad()->getRocketsCount();
    level.onMouseClick(4, 300, 300);
    level.onMouseClick(5, 300, 300);
    level.onMouseMotion(5, 310, 300, 10, 0);
    level.onMouseClick(4, 300, 300);
    level.onMouseClick(0, 300, 300);
    EXPECT_EQ(length(level.getAmmo().getRockets()), 1);
    EXPECT_EQ(level.getSquad()->getRocketsCount(), rockets - 1);

    level.onKeyboardUp('t');
    const int grenades = level.getSquad()->getGrenadesCount();
    level.onMouseClick(1, 300, 300);
    level.onMouseClick(5, 300, 300);
    level.onMouseClick(1, 300, 300);
    EXPECT_EQ(length(level.getAmmo().getGrenades()), 1);
    EXPECT_EQ(level.getSquad()->getGrenadesCount(), grenades - 1);

    // An empty pouch fires nothing.
    level.getSquad()->setGrenades(0);
    level.onMouseClick(5, 300, 300);
    EXPECT_EQ(length(level.getAmmo().getGrenades()), 1);
}

TEST_F(LevelInputTest, DeveloperKeysAddAndRemoveUnits) {
    startPlay();
    level.onKeyboardUp('a');
    level.onKeyboardUp('s');
    level.onKeyboardUp('s');
    EXPECT_EQ(length(level.getSquad()), 3);
    level.onKeyboardUp('k');
    level.onKeyboardUp('k');
    EXPECT_FLOAT_EQ(level.getEnemies()->getLife(), 30);
    level.onKeyboardUp('w');
    EXPECT_EQ(level.getEnemies(), nullptr);
    level.onKeyboardUp('w');
    level.onKeyboardUp('q');
    ASSERT_NE(level.getEnemies(), nullptr);
    EXPECT_GE(level.getEnemies()->getX(), 0);
    EXPECT_LE(level.getEnemies()->getX(), 32);
    level.onKeyboardUp('q');
    EXPECT_EQ(length(level.getEnemies()), 2);
    level.update(5);
    EXPECT_EQ(level.getState(), cLevel::statePlaying);
    level.onKeyboardUp('w');
    level.onKeyboardUp('w');
    level.update(5);
    EXPECT_EQ(level.getState(), cLevel::stateWon);
}

TEST_F(LevelInputTest, CameraKeyGlidesBackOverTheLeaderAndKeepsTheView) {
    startPlay();
    level.orderMove(20, 20);  // the camera glides towards the walk order's point
    for (int i = 0; i < 100; i++)
        level.update(5);
    // Zoom, tilt and turn with their held keys and the mouse, as a player does.
    for (unsigned char key : {'3', '1', '2'}) {
        level.onKeyboard(key);
        level.onPassiveMotion(0, 400, 300, 20, 20);
        level.onKeyboardUp(key);
    }
    const cCamera& camera = level.getCamera();
    const float z = camera.getZ(), tilt = camera.getAngleX(), turn = camera.getAngleZ();
    level.onKeyboard('c');
    EXPECT_NE(camera.getXTarget(), 16 - level.getSquad()->getX());
    level.onKeyboardUp('c');
    const cPlayerBall* leader = level.getSquad();
    EXPECT_FLOAT_EQ(camera.getXTarget(), 16 - leader->getX());
    EXPECT_FLOAT_EQ(camera.getYTarget(), 16 - leader->getY());
    EXPECT_NE(camera.getX(), camera.getXTarget()) << "glides, not jumps";
    EXPECT_EQ(camera.getZ(), z);
    EXPECT_EQ(camera.getAngleX(), tilt);
    EXPECT_EQ(camera.getAngleZ(), turn);
}
