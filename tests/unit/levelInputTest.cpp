// Level controls: keys act on release, clicks only in play, the two-button chord, weapon boxes, developer keys.
#include "ballTestWorld.h"
#include "levelTestMaps.h"

namespace {
class LevelInputTest : public LevelTest {
protected:
    void SetUp() override {
        LevelTest::SetUp();
        build({{4, 4, kSquadMark}, {28, 28, kEnemyMark}}, 32, 32, false);
    }
};
} // namespace

TEST_F(LevelInputTest, KeysActOnReleaseOnly) {
    startPlay();
    level.onKeyboard('t');
    EXPECT_TRUE(level.isRocketSelected());
    level.onKeyboardUp('t');
    EXPECT_FALSE(level.isRocketSelected());
    // Pause on release of p; ESC and Enter do nothing while paused or playing.
    const std::pair<int, int> releases[] = {{'p', cLevel::statePaused}, {27, cLevel::statePaused},
                                            {'p', cLevel::statePlaying}, {13, cLevel::statePlaying}};
    level.onKeyboard('p');
    EXPECT_EQ(level.getState(), cLevel::statePlaying);
    for (auto [key, state] : releases) {
        level.onKeyboardUp(key);
        EXPECT_EQ(level.getState(), state) << key;
    }
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
    const struct { int x, y, hit; } boxes[] = {{48, 30, cUI::hitGrenade}, {49, 30, cUI::hitNothing}, {6, 29, cUI::hitNothing},
                                               {52, 60, cUI::hitRocket}, {52, 61, cUI::hitNothing}, {95, 40, cUI::hitNothing}};
    for (auto b : boxes) EXPECT_EQ(cUI::testMouseHit(b.x, b.y), b.hit) << b.x << "," << b.y;
}

TEST_F(LevelInputTest, SecondButtonOfAChordFiresOneProjectile) {
    startPlay();
    const int rockets = level.getSquad()->getRocketsCount();
    level.onMouseClick(4, 300, 300);
    level.onMouseClick(5, 300, 300);
    level.onMouseMotion(5, 310, 300, 10, 0);
    level.onMouseClick(4, 300, 300);
    level.onMouseClick(0, 300, 300);
    EXPECT_EQ(listLength(level.getAmmo().getRockets()), 1);
    EXPECT_EQ(level.getSquad()->getRocketsCount(), rockets - 1);

    level.onKeyboardUp('t');
    const int grenades = level.getSquad()->getGrenadesCount();
    for (int button : {1, 5, 1}) level.onMouseClick(button, 300, 300);
    EXPECT_EQ(listLength(level.getAmmo().getGrenades()), 1);
    EXPECT_EQ(level.getSquad()->getGrenadesCount(), grenades - 1);
    // An empty pouch fires nothing.
    level.getSquad()->setGrenades(0);
    level.onMouseClick(5, 300, 300);
    EXPECT_EQ(listLength(level.getAmmo().getGrenades()), 1);
}

TEST_F(LevelInputTest, DeveloperKeysAddAndRemoveUnits) {
    startPlay();
    for (int key : {'a', 's', 's', 'k', 'k'}) level.onKeyboardUp(key);
    EXPECT_EQ(listLength(level.getSquad()), 3);
    EXPECT_FLOAT_EQ(level.getEnemies()->getLife(), 30);
    level.onKeyboardUp('w');
    EXPECT_EQ(level.getEnemies(), nullptr);
    level.onKeyboardUp('w');
    level.onKeyboardUp('q');
    ASSERT_NE(level.getEnemies(), nullptr);
    EXPECT_GE(level.getEnemies()->getX(), 0);
    EXPECT_LE(level.getEnemies()->getX(), 32);
    level.onKeyboardUp('q');
    EXPECT_EQ(listLength(level.getEnemies()), 2);
    level.update(5);
    EXPECT_EQ(level.getState(), cLevel::statePlaying);
    level.onKeyboardUp('w');
    level.onKeyboardUp('w');
    level.update(5);
    EXPECT_EQ(level.getState(), cLevel::stateWon);
}

TEST_F(LevelInputTest, CameraKeyGlidesBackOverTheLeaderAndKeepsTheView) {
    startPlay();
    level.orderMove(20, 20); // the camera glides towards the walk order's point
    for (int i = 0; i < 100; i++) level.update(5);
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
    EXPECT_FLOAT_EQ(camera.getXTarget(), 16 - level.getSquad()->getX());
    EXPECT_FLOAT_EQ(camera.getYTarget(), 16 - level.getSquad()->getY());
    EXPECT_NE(camera.getX(), camera.getXTarget()) << "glides, not jumps";
    EXPECT_EQ(camera.getZ(), z);
    EXPECT_EQ(camera.getAngleX(), tilt);
    EXPECT_EQ(camera.getAngleZ(), turn);
}
