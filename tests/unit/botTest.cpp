// The headless bot and the player-like bot on small hand-made maps: winning, launching, and ordering only in play;
// and a soak: the bot plays a shipped level through many restarts and new games, and the heap stays flat.
#include "bots/cBot.h"
#include "bots/cPlayerBot.h"
#include "ballTestWorld.h"
#include "levelTestMaps.h"

#include <malloc.h>

#ifdef __SANITIZE_ADDRESS__
// From the sanitizer runtime (GCC ships no header for it): its heap is not glibc's.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {
class BotTest : public LevelTest {
protected:
    // A wall of trees across row y, from x = 0 to x1 - 1, added to the marks.
    static std::vector<sMapMark> withWall(std::vector<sMapMark> marks, int y, int x1) {
        for (int x = 0; x < x1; x++) marks.push_back({x, y, kTreeMark});
        return marks;
    }
    cBot bot;
};
} // namespace

TEST_F(BotTest, WinsAnOpenFieldAndBehindATreeWallAndAccountsForIt) {
    // The wall stands between squad and enemy, with one gap at its far end.
    const std::pair<std::vector<sMapMark>, int> fields[] = {
        {{{6, 6, kSquadMark}, {36, 30, kEnemyMark}, {40, 40, kEnemyMark}, {20, 38, kEnemyMark}}, 3},
        {withWall({{10, 4, kSquadMark}, {10, 40, kEnemyMark}}, 20, 44), 1}};
    for (const auto& [marks, enemies] : fields) {
        build(marks, 48, 48, false);
        const sBotResult r = cBot().play(level, 120000);
        // A fresh level starts in god mode: no soldier lost.
        // At least four shots an enemy: 100 life at 25 a bullet.
        EXPECT_EQ(std::tuple(r.outcome, r.enemiesKilled, r.soldiersLost, r.shots >= 4 * enemies),
                  std::tuple(int(cBot::won), enemies, 0, true))
            << r.shots;
    }
}

TEST_F(BotTest, LaunchesAtGroupsOnlyAndNotNearItsOwnSquadOrIntoTrees) {
    // (map, where the second enemy is moved to along x after the build or 0 to leave it,
    // rockets it spends on its first two thoughts): two enemies six apart get none; a group
    // right next to the squad would blast our own file, one behind a tree wall only the trees.
    const struct {
        std::vector<sMapMark> marks;
        float secondX;
        int spent;
    } cases[] = {
        {{{6, 6, kSquadMark}, {30, 30, kEnemyMark}, {36, 30, kEnemyMark}}, 0, 0},
        {withWall(
             {{6, 6, kSquadMark}, {9, 6, kEnemyMark}, {10, 7, kEnemyMark}, {6, 30, kEnemyMark}, {7, 30, kEnemyMark}},
             20, 20),
         0, 0},
        // Two exactly a group's reach apart (one and a half blast radii) get one, then a pause.
        {{{6, 6, kSquadMark}, {30, 30, kEnemyMark}, {34, 30, kEnemyMark}}, 30 + cAmmo::kBlastRadius * 1.5f, 1},
    };
    for (const auto& [marks, secondX, spent] : cases) {
        build(marks);
        if (secondX != 0) level.getEnemies()->getNext()->move(secondX, 30);
        const int rockets = level.getSquad()->getRocketsCount();
        cBot fresh;
        fresh.think(level);
        fresh.think(level);
        EXPECT_EQ(std::pair(level.getSquad()->getRocketsCount(), listLength(level.getAmmo().getRockets())),
                  std::pair(rockets - spent, spent));
    }
}

TEST_F(BotTest, ThrowsGrenadesOverTreesOnceTheRocketsAreGone) {
    build(withWall({{6, 6, kSquadMark}, {16, 18, kEnemyMark}, {17, 18, kEnemyMark}}, 12, 30), 48, 48, false);
    level.setRocketsCount(0);
    startPlay();
    const int grenades = level.getSquad()->getGrenadesCount();
    bot.think(level);
    EXPECT_EQ(std::pair(level.getSquad()->getGrenadesCount(), listLength(level.getAmmo().getGrenades())),
              std::pair(grenades - 1, 1));
}

TEST_F(BotTest, GroundOrdersActOnlyWhilePlayingTheBotHaltsInReachAndStopsAtTheTimeCapOrANeverBuiltLevel) {
    build({{6, 6, kSquadMark}, {40, 40, kEnemyMark}}, 48, 48, false);
    sBotResult r = cBot().play(level, 40);
    EXPECT_EQ(std::pair(r.outcome, r.timeMs), std::pair(int(cBot::timeout), 40));
    cLevel never(1);
    never.setMapName("missing.bmp");
    ASSERT_FALSE(never.init());
    r = cBot().play(never, 1000000);
    EXPECT_EQ(std::pair(r.outcome, r.timeMs), std::pair(int(cBot::failed), 0));
    cPlayerBall* squad = level.getSquad();
    const int rockets = squad->getRocketsCount();
    // Still in the intro (40 ms of its 50 played): nothing moves, fires or flies.
    level.orderMove(30, 30);
    level.orderFire();
    level.orderLaunch(30, 30);
    EXPECT_EQ(std::pair(squad->isMoving(), squad->isShooting()), std::pair(false, false));
    EXPECT_EQ(std::pair(squad->getRocketsCount(), listLength(level.getAmmo().getRockets())), std::pair(rockets, 0));
    // Nor does the player-like bot give an order there.
    sLevelLogged log;
    level.setLog(&log);
    cPlayerBot(1).think(level);
    level.setLog(nullptr);
    EXPECT_EQ(log.aims + log.kinds.size(), 0u);

    startPlay();
    level.orderMove(30, 30);
    EXPECT_FLOAT_EQ(squad->getTargetX(), 30);
    level.orderFire();
    EXPECT_TRUE(squad->isShooting());
    level.orderMove(20, 20); // a move order stops the firing, as a click does
    EXPECT_FALSE(squad->isShooting());
    // The bot marches on a far enemy and halts where it stands once one comes within reach.
    bot.think(level);
    level.getEnemies()->move(9, 6);
    bot.think(level);
    EXPECT_EQ(squad->getTargetX(), squad->getX());
}

TEST_F(BotTest, PlayerBotSeesTheGroundTheViewShowsAroundTheLeader) {
    build({{40, 40, kSquadMark}, {120, 120, kEnemyMark}}, 128, 128, false);
    startPlay(10000); // once the camera has glided over the squad, as a player sees it
    // Up the screen and a little right are seen; beyond the right or bottom edge or the horizon not.
    const struct { float x, y; bool seen; } points[] = {
        {40, 40, true}, {40, 55, true}, {52, 40, true}, {80, 40, false}, {40, 15, false}, {40, 110, false}};
    for (auto p : points) EXPECT_EQ(cPlayerBot::onScreen(level, p.x, p.y), p.seen) << p.x << "," << p.y;
}

TEST_F(BotTest, PlayerBotLaunchesOnlyAtGroupsOfThree) {
    for (int group : {2, 3}) {
        std::vector<sMapMark> marks{{24, 6, kSquadMark}};
        for (int i = 0; i < group; i++) marks.push_back({23 + i, 20 + i % 2, kEnemyMark});
        build(marks, 48, 48, false);
        startPlay(10000);
        // Ten seconds of a fight scatter the group and their own blasts kill some; it
        // stands whole where the map put it again.
        int i = 0;
        for (cEnemy* e = level.getEnemies(); e != nullptr; e = e->getNext(), i++) {
            e->heal();
            e->move(23.0f + float(i), 20.0f + float(i % 2));
        }
        const int rockets = level.getSquad()->getRocketsCount();
        cPlayerBot(1).think(level);
        EXPECT_EQ(level.getSquad()->getRocketsCount(), rockets - (group >= 3 ? 1 : 0)) << group << " enemies";
    }
}

TEST(BotSoak, HeapStaysFlatAcrossAHundredRestarts) {
    const char* map = "01-first-steps.bmp";
    if (!std::filesystem::exists(std::string(ORBIX_BIN_DIR "/maps/") + map))
        GTEST_SKIP() << "no first map beside the programs";
    const auto liveHeapBytes = [] {
#ifdef __SANITIZE_ADDRESS__
        return __sanitizer_get_current_allocated_bytes();
#else
        return mallinfo2().uordblks + mallinfo2().hblkhd; // small blocks and the large ones mapped on their own
#endif
    };
    assetsTest::WorkingDir beside(ORBIX_BIN_DIR);
    cLevel level(1);
    ASSERT_TRUE(level.setMapName(map));
    level.seed(5);
    size_t heap[2] = {}; // after the second new game, and after the twelfth
    for (int round = 0; round <= 110; round++) {
        // A new game now and then rebuilds everything from the map.
        if (round % 10 == 0) { ASSERT_TRUE(level.init()); } else { level.restart(); }
        if (round == 10 || round == 110) heap[round / 100] = liveHeapBytes();
        level.setGodMode(round % 2 == 0);
        cBot().play(level, 1500);
    }
    // Anything that leaks per restart or per new game shows up a hundredfold here.
    EXPECT_LT(heap[1], heap[0] + 64 * 1024) << "heap grew from " << heap[0] << " to " << heap[1] << " bytes";
}
