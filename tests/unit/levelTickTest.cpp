// Level build, tick and controls on small maps, the level's two random streams kept apart, and the level list:
// name order, the dot rule, wrap-around, over-long names, reset, reload and a missing folder.
#include <climits>
#include <cmath>
#include <cstdint>
#include <tuple>
#include <vector>

#include "ballTestWorld.h"
#include "levelTestMaps.h"
#include "assets/cMeshCont.h"
#include "bots/cPlayerBot.h"
#include "level/replay/levelStateHash.h"
#include "world/cLevelLoader.h"

namespace {
std::vector<cPlayerBall*> soldiers(cPlayerBall* head) {
    std::vector<cPlayerBall*> v;
    for (; head != nullptr; head = head->getNext()) v.push_back(head);
    return v;
}
float squadLife(cLevel& level) {
    float sum = 0;
    for (cPlayerBall* s : soldiers(level.getSquad())) sum += s->getLife();
    return sum;
}
// The controls' field, 32 x 32: the squad near one corner and an enemy near the other.
const std::vector<sMapMark> kField{{4, 4, kSquadMark}, {28, 28, kEnemyMark}};
} // namespace

using LevelTickTest = LevelTest;

TEST_F(LevelTickTest, BuildPlacesSquadOnLastGreenAndEnemiesOnRedAndTheStateHashSeesEachUnit) {
    build({{3, 4, kSquadMark}, {10, 2, kSquadMark}, {1, 1, kEnemyMark}, {5, 1, kEnemyMark}, {7, 8, kEnemyMark}}, 20, 10,
          false);
    cPlayerBall* lead = level.getSquad();
    cEnemy* e = level.getEnemies();
    // 99 grenades and rockets: what a restart hands out.
    EXPECT_EQ(std::tuple(listLength(lead), listLength(e), lead->getX(), lead->getY(), e->getX(), e->getY(),
                         level.getGrenadesCount(), level.getRocketsCount()),
              std::tuple(4, 3, 3.0f, 4.0f, 1.0f, 1.0f, 99, 99));
    // The first soldier leads, and only he: the enemies wake to the leader alone.
    EXPECT_EQ(std::pair(lead->isLeader(), lead->getNext()->isLeader()), std::pair(true, false));
    // A replay checkpoint sees one soldier start firing, and an enemy or a grenade one unit further in x.
    const uint64_t still = levelStateHash(level);
    lead->shoot(0, 0);
    EXPECT_NE(levelStateHash(level), still);
    const auto hashAt = [&](float enemyX, float grenadeX) {
        e->move(enemyX, 1);
        e->moveTo(9, 1); // the same walk's goal: only x differs
        level.getAmmo().dispose();
        level.getAmmo().addGrenade(grenadeX, 5, 9, 5, 15);
        return levelStateHash(level);
    };
    EXPECT_NE(hashAt(2, 5), hashAt(3, 5));
    EXPECT_NE(hashAt(2, 5), hashAt(2, 6));
}

TEST_F(LevelTickTest, IntroHoldsTheWorldUntilFiftyMillisecondsCountsGoToTheLeaderAndNoClockOverflows) {
    level.setGrenadesCount(5); // no leader yet: must reach for none (the restart test reads the kept count back)
    build({{3, 3, kSquadMark}, {12, 12, kEnemyMark}}, 16, 16, false);
    level.setRocketsCount(4);
    EXPECT_EQ(level.getSquad()->getRocketsCount(), 4);
    // Ticks alone end the intro, no frame drawn: the step that reaches 50 ms.
    for (int i = 0; i < 9; i++) EXPECT_EQ(level.update(5), 0);
    level.pause(true); // no pausing the intro
    EXPECT_EQ(level.getState(), cLevel::stateIntro);
    EXPECT_EQ((std::tuple{level.update(5), level.getState(), level.update(10)}),
              std::tuple(0, int(cLevel::statePlaying), 0));
    // A stall plays one longest frame, and the rest of it is dropped, not carried.
    level.pause(true);
    for (int i = 0; i < 3; i++) level.update(INT_MAX);
    EXPECT_EQ(level.getLevelTime(), 60 + 3 * cLevel::maxFrameMs);
    level.update(cLevel::stepMs);
    EXPECT_EQ(level.getLevelTime(), 60 + 3 * cLevel::maxFrameMs + cLevel::stepMs);
}

TEST_F(LevelTickTest, MapWithoutEnemiesIsWonAtOnceAndEnterAdvancesOnce) {
    build({{3, 3, kSquadMark}}, 16, 16);
    level.getSquad()->setGrenades(5);
    level.getSquad()->setRockets(6);
    EXPECT_EQ((std::tuple{level.update(5), level.getState(), level.getGrenadesCount(), level.getRocketsCount()}),
              std::tuple(0, int(cLevel::stateWon), 5, 6));
    // The winners' spin turns the camera one way, however long the frame.
    const float before = level.getCamera().getAngleZ();
    level.update(INT_MAX / 2);
    EXPECT_NEAR(level.getCamera().getAngleZ() - before, -35.0 * cLevel::maxFrameMs / 1000.0, 1e-3);
    level.onKeyboardUp(13);
    EXPECT_EQ((std::pair{level.update(5), level.update(5)}), std::pair(1, 1));
    level.onKeyboardUp(13);
    EXPECT_EQ(level.getState(), cLevel::stateAdvancing);
}

TEST_F(LevelTickTest, FallenAreCollectedInOrderOfDeathRestartBringsThemBackAndAWinBeatsAFailure) {
    build({{2, 2, kSquadMark}, {60, 60, kEnemyMark}}, 64, 64);
    std::vector<cPlayerBall*> s = soldiers(level.getSquad());
    ASSERT_EQ(s.size(), 4u);
    level.setGrenadesCount(7);
    level.setRocketsCount(8);
    for (int dies : {2, 0}) {
        s[dies]->cBall::hurt(500);
        level.update(cLevel::stepMs);
    }
    EXPECT_EQ(std::pair(soldiers(level.getSquad()), level.getState()),
              std::pair(std::vector<cPlayerBall*>{s[1], s[3]}, int(cLevel::statePlaying)));
    s[1]->cBall::hurt(500);
    s[3]->cBall::hurt(500);
    level.update(cLevel::stepMs);
    EXPECT_EQ(std::pair(level.getState(), soldiers(level.getFallen())),
              std::pair(int(cLevel::stateFailed), std::vector<cPlayerBall*>{s[2], s[0], s[1], s[3]}));
    EXPECT_EQ((std::pair{level.update(100), level.getState()}), std::pair(0, int(cLevel::stateFailed)));

    level.getEnemies()->cBall::hurt(30);
    level.onKeyboardUp(13);
    EXPECT_EQ(std::pair(level.getState(), level.getLevelTime()), std::pair(int(cLevel::stateIntro), int64_t(0)));
    EXPECT_EQ(soldiers(level.getSquad()), (std::vector<cPlayerBall*>{s[2], s[0], s[1], s[3]})); // none left fallen
    EXPECT_EQ(std::tuple(squadLife(level), s[2]->isLeader(), s[2]->getGrenadesCount(), s[2]->getRocketsCount(),
                         level.getEnemies()->getLife()),
              std::tuple(400.0f, true, 7, 8, 100.0f));

    // A win in the same tick overrides the failure, and stays.
    startPlay();
    level.setGrenadesCount(3);
    for (cPlayerBall* s : soldiers(level.getSquad())) s->cBall::hurt(500);
    level.getEnemies()->cBall::hurt(500);
    level.update(cLevel::stepMs);
    EXPECT_EQ(level.getGrenadesCount(), 3);
    // The success screen ignores ESC and the pause key.
    level.onKeyboardUp(27);
    level.onKeyboardUp('p');
    level.update(cLevel::stepMs);
    EXPECT_EQ(level.getState(), cLevel::stateWon);
}

TEST_F(LevelTickTest, GodModeLetsEnemyFireAndBlastsThroughTheSquad) {
    build({{10, 10, kSquadMark}, {12, 10, kEnemyMark}}, 64, 64);
    level.getAmmo().addBullet(10.5f, 10.5f, 0, 40, 1);
    level.update(cLevel::stepMs); // passes the squad unhurt: the life check after the blast covers both
    EXPECT_TRUE(level.getAmmo().getBullets() != nullptr && level.getAmmo().getBullets()->isAlive());
    level.getAmmo().addGrenade(10.5f, 10.5f, 10.5f, 10.5f, 15);
    level.update(cLevel::stepMs);
    EXPECT_EQ(std::pair(squadLife(level), level.getEnemies()->getLife()), std::pair(400.0f, 50.0f));

    level.setGodMode(false);
    level.getAmmo().dispose();
    level.getAmmo().addBullet(10.5f, 10.5f, 0, 40, 1);
    level.update(cLevel::stepMs);
    EXPECT_FLOAT_EQ(squadLife(level), 390);
}

TEST_F(LevelTickTest, FramesPlayWholeStepsCarryTheRestAndStopAtTheFirstAnswer) {
    build({{3, 3, kSquadMark}, {12, 12, kEnemyMark}}, 16, 16, false);
    sLevelLogged log;
    level.setLog(&log);
    // 7 + 7 + 7 is four steps; a lost remainder would make it three. A frame under one
    // step plays nothing, and the next one plays the step it completes.
    for (auto [ms, time] : {std::pair{7, 5}, {7, 10}, {7, 20}, {3, 20}, {1, 25}}) {
        level.update(ms);
        EXPECT_EQ(level.getLevelTime(), time) << ms;
    }
    EXPECT_EQ(log.frames, (std::vector<int>{7, 7, 7, 3, 1})); // the frames as given, for a replay
    level.setLog(nullptr);
    level.update(30);

    // The enemy dies inside a long frame: the win stays, and Enter's answer comes from the
    // first step of the next long frame, which plays no further.
    level.getEnemies()->cBall::hurt(500);
    EXPECT_EQ((std::pair{level.update(200), level.getState()}),
              std::pair(int(cLevel::answerStay), int(cLevel::stateWon)));
    level.onKeyboardUp(13);
    const int64_t before = level.getLevelTime();
    EXPECT_EQ((std::pair{level.update(200), level.getLevelTime()}),
              std::pair(int(cLevel::answerNext), before + cLevel::stepMs));
}

// The hedge's cells: a column, or the diagonal cells (c, c) that meet only at their corners.
enum eHedge { kColumn, kDiagonal };

TEST_F(LevelTickTest, NoBulletOrRocketCrossesAOneCellHedgeAtAnyFrameLength) {
    constexpr int side = 32, column = 16;
    const float diagonal = static_cast<float>(M_SQRT1_2);
    // How far past the hedge's near edge a point lies: at most zero on the firing side.
    const auto beyond = [](eHedge h, float x, float y) { return h == kColumn ? x - column : y - x; };
    const struct { eHedge hedge; float x, y, dx, dy; const char* what; } shots[] = {
        {kColumn, 12.5f, 10.5f, 1, 0, "straight"},
        {kColumn, 13.0f, 8.0f, diagonal, diagonal, "across a column, through a cell corner"},
        {kDiagonal, 20.5f, 14.5f, -diagonal, diagonal, "diagonal, through a tree's middle"},
        {kDiagonal, 20.0f, 14.0f, -diagonal, diagonal, "diagonal, between two trees' corners"},
    };
    // True when a tree cell lies within a hair of (x, y): where a projectile entering one stops.
    const auto treeTouches = [this](float x, float y) {
        const auto tree = [&](float ox, float oy) { return level.getMap().getTerrain(x + ox, y + oy) == cMap::kTree; };
        return tree(-0.01f, -0.01f) || tree(-0.01f, 0.01f) || tree(0.01f, -0.01f) || tree(0.01f, 0.01f);
    };
    for (const auto& shot : shots) {
        std::vector<sMapMark> marks{{2, 29, kSquadMark}}; // no enemy: the level is won and nobody else shoots
        for (int c = 0; c < side; c++)
            marks.push_back(shot.hedge == kColumn ? sMapMark{column, c, kTreeMark} : sMapMark{c, c, kTreeMark});
        build(marks, side, side);
        for (int frame : {5, 20, 50, 100}) {
            for (bool rocket : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << shot.what << (rocket ? ", rocket" : ", bullet") << ", frames of " << frame);
                cAmmo& ammo = level.getAmmo();
                ammo.dispose();
                rocket ? ammo.addRocket(shot.x, shot.y, shot.x + 8 * shot.dx, shot.y + 8 * shot.dy, cRocket::kSpeed)
                       : ammo.addBullet(shot.x, shot.y, std::atan2(shot.dy, shot.dx) * 180.0f / float(M_PI),
                                        cAmmo::kBulletSpeed, 0);
                // Unhindered, a bullet flies 450 ms and a rocket 400 ms; the hedge is 4 to 6 units off.
                bool blastSeen = false;
                int played = 0;
                for (; played < 600 && (ammo.getBullets() != nullptr || ammo.getRockets() != nullptr);
                     played += frame) {
                    level.update(frame);
                    if (const cBullet* b = ammo.getBullets(); b != nullptr && b->isAlive()) {
                        EXPECT_LE(beyond(shot.hedge, b->getX(), b->getY()), 0.0f);
                    }
                    if (const cRocket* r = ammo.getRockets(); r != nullptr) {
                        EXPECT_LE(beyond(shot.hedge, r->getX(), r->getY()), 1e-3f);
                        if (r->getState() != cRocket::FLYING) {
                            blastSeen = true;
                            EXPECT_TRUE(treeTouches(r->getX(), r->getY())) << "bursts where it meets the hedge";
                        }
                    }
                }
                if (!rocket) { EXPECT_LT(played, 400) << "stopped by the hedge, not by its range"; }
                EXPECT_EQ(blastSeen, rocket);
            }
        }
    }
}

TEST_F(LevelTickTest, MissingMapLeavesTheLevelInactiveButNotATrap) {
    level.setMapName("nothing.bmp");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(level.init());
    EXPECT_EQ(
        testing::internal::GetCapturedStderr(),
        "cLevel: cannot play the map \"maps/nothing.bmp\": the file cannot be opened (No such file or directory).\n");
    EXPECT_EQ(level.getState(), cLevel::stateInactive);
    // Play keys and clicks do nothing; Enter skips the level, ESC goes to the menu.
    for (auto [key, answer] :
         {std::pair<int, int>{'q', cLevel::answerInactive}, {13, cLevel::answerSkip}, {27, cLevel::answerMenu}}) {
        level.onMouseClick(5, 100, 100);
        level.onKeyboardUp(key);
        EXPECT_EQ(level.update(20), answer) << key;
    }
    EXPECT_EQ(level.getLevelTime(), 0);
}

TEST_F(LevelTickTest, WeaponBoxesAnswerOnlyWhilePlayingAndKeysActOnReleaseOnly) {
    build(kField, 32, 32, false);
    // Clicks on the grenade box (x 20) and the rocket box (x 60): answers the selection after.
    const auto click = [&](int x) {
        level.onMouseClick(1, x, 40);
        level.onMouseClick(0, x, 40);
        return level.isRocketSelected();
    };
    EXPECT_TRUE(click(20));
    startPlay();
    EXPECT_EQ((std::pair{click(20), click(60)}), std::pair(false, true));
    level.onKeyboardUp('p');
    EXPECT_TRUE(click(20));
    level.onKeyboardUp('p');
    const struct {
        int x, y, hit;
    } boxes[] = {{48, 30, cUI::hitGrenade}, {49, 30, cUI::hitNothing}, {6, 29, cUI::hitNothing},
                 {52, 60, cUI::hitRocket},  {52, 61, cUI::hitNothing}, {95, 40, cUI::hitNothing}};
    for (auto b : boxes) EXPECT_EQ(cUI::testMouseHit(b.x, b.y), b.hit) << b.x << "," << b.y;

    level.onKeyboard('t');
    EXPECT_TRUE(level.isRocketSelected());
    level.onKeyboardUp('t');
    EXPECT_FALSE(level.isRocketSelected());
    // Pause on release of p; ESC and Enter do nothing while paused or playing.
    level.onKeyboard('p');
    EXPECT_EQ(level.getState(), cLevel::statePlaying);
    for (auto [key, state] : {std::pair<int, int>{'p', cLevel::statePaused}, {27, cLevel::statePaused},
                              {'p', cLevel::statePlaying}, {13, cLevel::statePlaying}}) {
        level.onKeyboardUp(key);
        EXPECT_EQ(level.getState(), state) << key;
    }
    level.onKeyboardUp(27);
    EXPECT_EQ((std::pair{level.getState(), level.update(5)}), std::pair(int(cLevel::stateLeaving), 2));
}

TEST_F(LevelTickTest, SecondButtonOfAChordFiresOneProjectileDeveloperKeysAddAndRemoveUnitsAndTheCameraKeyKeepsTheView) {
    build(kField, 32, 32);
    const int rockets = level.getSquad()->getRocketsCount();
    level.onMouseClick(4, 300, 300);
    level.onMouseClick(5, 300, 300);
    level.onMouseMotion(5, 310, 300, 10, 0);
    level.onMouseClick(4, 300, 300);
    level.onMouseClick(0, 300, 300);
    EXPECT_EQ(std::pair(listLength(level.getAmmo().getRockets()), level.getSquad()->getRocketsCount()),
              std::pair(1, rockets - 1));

    level.onKeyboardUp('t');
    const int grenades = level.getSquad()->getGrenadesCount();
    for (int button : {1, 5, 1}) level.onMouseClick(button, 300, 300);
    EXPECT_EQ(std::pair(listLength(level.getAmmo().getGrenades()), level.getSquad()->getGrenadesCount()),
              std::pair(1, grenades - 1));
    // An empty pouch fires nothing.
    level.getSquad()->setGrenades(0);
    level.onMouseClick(5, 300, 300);
    EXPECT_EQ(listLength(level.getAmmo().getGrenades()), 1);

    for (int key : {'a', 's', 's', 'k', 'k'}) level.onKeyboardUp(key);
    EXPECT_EQ(std::pair(listLength(level.getSquad()), level.getEnemies()->getLife()), std::pair(3, 30.0f));
    level.onKeyboardUp('w');
    EXPECT_EQ(level.getEnemies(), nullptr);
    for (int key : {'w', 'q', 'q'})
        level.onKeyboardUp(key);  // none to remove; onto an empty list, then behind the one there
    EXPECT_EQ(listLength(level.getEnemies()), 2);

    // The camera key glides back over the leader and keeps the view.
    level.orderMove(20, 20); // the camera glides towards the walk order's point
    for (int i = 0; i < 100; i++) level.update(5);
    // Zoom, tilt and turn with their held keys and the mouse, as a player does.
    for (unsigned char key : {'3', '1', '2'}) {
        level.onKeyboard(key);
        level.onPassiveMotion(0, 400, 300, 20, 20);
        level.onKeyboardUp(key);
    }
    const cCamera& camera = level.getCamera();
    const auto view = std::tuple(camera.getZ(), camera.getAngleX(), camera.getAngleZ());
    level.onKeyboard('c');
    level.onKeyboardUp('c');
    cPlayerBall* lead = level.getSquad();
    EXPECT_EQ(std::pair(camera.getXTarget(), camera.getYTarget()), std::pair(16 - lead->getX(), 16 - lead->getY()));
    EXPECT_NE(camera.getX(), camera.getXTarget()) << "glides, not jumps";
    EXPECT_EQ(std::tuple(camera.getZ(), camera.getAngleX(), camera.getAngleZ()), view) << "zoom, tilt and turn kept";
}

TEST_F(LevelTickTest, DrawingOnlyDrawsLeaveTheGameStreamWhereItWas) {
    build(kField, 32, 32);
    const cRandomStream game = level.gameRandom, looks = level.looksRandom;
    cPlayerBall* lead = level.getSquad();
    lead->setMood(3, 0);          // a cry of random length
    lead->cBall::update(600000);  // blinks and a random mood
    EXPECT_EQ(level.gameRandom.next(), cRandomStream(game).next());
    EXPECT_NE(level.looksRandom.next(), cRandomStream(looks).next()) << "the looks drew from their own stream";
    // The two streams of one seed never run in step.
    level.seed(9);
    EXPECT_NE(level.gameRandom.next(), level.looksRandom.next());
}

namespace {
// Every tick's state hash, as a recording's checkpoints would see them.
struct sTickHashes : iLevelLog {
    std::vector<uint64_t> hashes;
    void input(const sLevelInput&) override {}
    void ticked(cLevel& played, int) override { hashes.push_back(levelStateHash(played)); }
};
} // namespace

// Loading models draws a walk frame for every unit, from the looks stream only: the same seed
// then plays the same game, tick for tick, with the models or without them.
TEST(LevelStreams, ALevelWithModelsPlaysTheSameTicksToTheSameHashesAsOneWithout) {
    assetsTest::WorkingDir beside(ORBIX_BIN_DIR);
    cMeshCont meshes;
    meshes.load();
    const cMesh& head = meshes.ball[cMeshCont::head][0];
    ASSERT_GT(head.getLoopLast(), head.getLoopFirst()) << "without a walk cycle no frame is drawn";
    std::vector<uint64_t> played[2];
    sBotResult results[2];
    for (int withModels = 0; withModels < 2; withModels++) {
        cRunState run;
        cLevel level(9);
        ASSERT_TRUE(level.setMapName("09-marshland.bmp") &&
                    level.start({.meshes = withModels != 0 ? &meshes : nullptr, .seed = 4, .run = &run}));
        sTickHashes log;
        level.setLog(&log);
        level.setGodMode(false);
        results[withModels] = cPlayerBot(4).play(level, 60000);
        level.setLog(nullptr);
        played[withModels] = log.hashes;
    }
    ASSERT_GT(played[0].size(), 1000u);
    EXPECT_EQ(played[0], played[1]);
    EXPECT_EQ(std::tuple(results[0].outcome, results[0].timeMs, results[0].shots),
              std::tuple(results[1].outcome, results[1].timeMs, results[1].shots));
}

using LevelLoaderTest = LevelFolderTest;

TEST_F(LevelLoaderTest, LevelsComeInNameOrderSkippingDotEntriesAndOverlongNamesAndReloadAfresh) {
    cLevelLoader loader;
    EXPECT_EQ((std::tuple{loader.loadLevels(), loader.getCount(), loader.nextLevel()}), std::tuple(true, 0, nullptr));
    for (const std::string& name : {std::string("b.bmp"), std::string("a.bmp"), std::string(".old.bmp"),
                                    std::string(251, 'z'), std::string(250, 'y')})
        assetsTest::writeFile("maps/" + name, "x");
    for (const char* folder : {"maps/.git", "maps/c-dir"})
        std::filesystem::create_directory(folder);
    ASSERT_TRUE(loader.loadLevels());
    ASSERT_EQ(loader.getCount(), 4);
    cLevel* first = loader.nextLevel();
    EXPECT_EQ(std::pair(std::string(first->getMapName()), first->getLevelNumber()),
              std::pair(std::string("maps/a.bmp"), 1));
    // A folder is a level too: the bitmap test refuses a folder as a picture, and the replay test plays a
    // level that could not be built.
    for (const std::string& name : {std::string("b.bmp"), std::string("c-dir"), std::string(250, 'y')})
        EXPECT_EQ(loader.nextLevel()->getMapName(), "maps/" + name);
    EXPECT_EQ((std::pair{loader.nextLevel(), loader.nextLevel()}), std::pair(static_cast<cLevel*>(nullptr), first));
    loader.nextLevel();
    loader.resetLevels();
    EXPECT_EQ(loader.nextLevel(), first);
    loader.disposeLevels();
    EXPECT_EQ(loader.getCount(), 0);
    // Loading again rebuilds the list instead of leaking the old one.
    EXPECT_EQ((std::tuple{loader.loadLevels(), loader.loadLevels(), loader.getCount()}), std::tuple(true, true, 4));
    std::filesystem::remove_all("maps");
    EXPECT_EQ((std::pair{loader.loadLevels(), loader.getCount()}), std::pair(false, 0));
}
