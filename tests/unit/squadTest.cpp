// Soldiers and enemies: list handling, firing, facing, leadership, walking round trees, celebrating, sensing.
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"
#include "world/cGameSetup.h"

#include "ballTestWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

struct probeSoldier : cPlayerBall {
    using cPlayerBall::clock, cPlayerBall::fireInterval, cPlayerBall::jumpSpeed, cPlayerBall::z;

    explicit probeSoldier(bool leader, float px = 10.5f, float py = 10.5f) : cPlayerBall(leader) {
        setWalkCycle(20, 99);
        move(px, py);
    }
    void tick(int ms, testWorld& w, cAmmo* ammo = nullptr, cEnemy* enemies = nullptr, cColision* grid = nullptr) {
        update(ms, &w.map, ammo, enemies, grid);
    }
};

TEST(Squad, AddRemoveInsertHurtByIdAndFacing) {
    probeSoldier lead(true, 10, 10);
    for (int i = 0; i < 3; i++) lead.addSoldier();
    cPlayerBall* s = lead.getNext();
    EXPECT_EQ(s->getTargetX(), 9.0f); // one unit to -x of the last one's target
    lead.removeSoldier();
    EXPECT_EQ(listLength(&lead), 3);
    cPlayerBall* third = s->getNext();
    EXPECT_EQ((std::tuple{lead.hurt(-5, 50), lead.hurt(third->getID(), 30), third->getLife()}),
              std::tuple(false, true, 70.0f));
    lead.insert(third); // already in the file: no loop made
    EXPECT_EQ(listLength(&lead), 3);
    for (int i = 0; i < 3; i++) lead.removeSoldier(); // a file of one stays
    EXPECT_EQ(listLength(&lead), 1);

    // A walking file looks ahead, a standing one at the point.
    probeSoldier a(false, 8, 10), b(false, 8, 8);
    lead.insert(&a);
    lead.insert(&b);
    const float atPoint = float(std::atan2(12.0, 2.0) * 180 / M_PI);
    lead.rotateTo(10, 20);
    EXPECT_FLOAT_EQ(lead.getAngle(), 90.0f);
    EXPECT_FLOAT_EQ(b.getAngle(), atPoint);
    lead.moveTo(10, 0);
    lead.setMoving(true);
    lead.rotateTo(10, 20);
    // The leader its own goal, a the leader, b the one in front.
    EXPECT_EQ(std::tuple(lead.getAngle(), a.getAngle(), b.getAngle()), std::tuple(-90.0f, 0.0f, 90.0f));
    lead.shoot(0, 0); // firing while walking faces the point again
    lead.rotateTo(10, 20);
    EXPECT_FLOAT_EQ(b.getAngle(), atPoint);
}

TEST(Squad, HoldingFireShootsAtOnceThenEveryInterval) {
    testWorld w(40, 40);
    cAmmo ammo;
    probeSoldier s(true);
    s.fireInterval = 150;
    s.tick(20, w, &ammo); // not firing: the next burst starts at once
    s.shoot(0, 0);
    std::vector<int> shotTicks;
    for (int t = 1; t <= 21; t++) {
        if (t == 21) s.shootStop();
        const int before = countBullets(ammo, 0);
        s.tick(20, w, &ammo);
        if (countBullets(ammo, 0) > before) shotTicks.push_back(t);
    }
    EXPECT_EQ(shotTicks, (std::vector<int>{1, 9, 17}));
}

TEST(Squad, DyingLeaderHandsOverThenSinksAndHoldsNoCell) {
    testWorld w(40, 40);
    probeSoldier lead(true), next(false, 9, 10.5f);
    lead.insert(&next);
    lead.setRockets(5);
    lead.setGrenades(3);
    const float ground = w.map.getHeight(10.5f, 10.5f);
    lead.hurt(150.0f);
    lead.tick(1000, w);
    EXPECT_EQ(std::tuple(lead.isLeader(), next.isLeader(), next.getRocketsCount(), next.getGrenadesCount(),
                         lead.getDeadState()),
              std::tuple(false, true, 5, 3, 1));
    EXPECT_NEAR(lead.z, ground - 1.5f, 1e-4);
    lead.setNext(nullptr);
    lead.tick(1001, w);
    EXPECT_EQ(lead.getDeadState(), 2);
    lead.tick(20, w, nullptr, nullptr, &w.grid);
    EXPECT_EQ(w.grid.getObject(10, 10), 0);
}

TEST(Squad, TreesAndTheEdgeStopAWalk) {
    testWorld w(40, 40, {{13, 10}});
    // Into a tree: stops in the cell before it, holding that cell. On the first
    // column (outside) the first step puts it on the target; off the map, it ends inside.
    const struct { float x0, x1, minX, maxX; int ticks; } cases[] = {
        {11.5f, 16.5f, 12.0f, 12.999f, 200}, {0.0f, 6.5f, 6.5f, 6.5f, 1}, {38.5f, 45.0f, 39.0f, 39.999f, 200}};
    for (const auto& c : cases) {
        probeSoldier s(true, c.x0, 10.5f);
        s.moveTo(c.x1, 10.5f);
        for (int t = 0; t < c.ticks; t++) s.tick(5, w, nullptr, nullptr, &w.grid);
        EXPECT_EQ(std::tuple(s.getX() >= c.minX && s.getX() <= c.maxX, s.isMoving(), s.getTargetX()),
                  std::tuple(true, false, s.getX()))
            << c.x0 << " ends at " << s.getX();
    }
    EXPECT_NE(w.grid.getObject(12, 10), 0);
}

// Walks a leader from (x0, y0) towards (intoX, intoY) until the trees stop him; where he stands then.
std::pair<float, float> pressInto(cMap& map, float x0, float y0, float intoX, float intoY) {
    probeSoldier s(true, x0, y0);
    s.moveTo(intoX, intoY);
    for (int t = 0; t < 4000 && s.isMoving(); t++) s.update(5, &map, nullptr, nullptr, nullptr);
    EXPECT_FALSE(s.isMoving()) << "never stopped on the way to " << intoX << "," << intoY;
    return {s.getX(), s.getY()};
}

// From a corner whose trees fill the quarter of directions before `firstAngle`, eight orders
// 30 degrees apart, none straight into the trees: each walks the leader on, off every tree cell.
void expectEveryOrderAwayMoves(cMap& map, std::pair<float, float> corner, int firstAngle) {
    for (int k = 0; k < 8; k++) {
        const int deg = firstAngle + 30 * k;
        const double a = deg * M_PI / 180;
        probeSoldier s(true, corner.first, corner.second);
        s.moveTo(corner.first + 5 * float(std::cos(a)), corner.second + 5 * float(std::sin(a)));
        for (int t = 0; t < 100; t++) {
            s.update(5, &map, nullptr, nullptr, nullptr);
            ASSERT_NE(map.getTerrain(s.getX(), s.getY()), cMap::kTree) << deg << " degrees";
        }
        EXPECT_GT(dist(s.getX(), s.getY(), corner.first, corner.second), 0.5f) << deg << " degrees";
    }
}

TEST(Squad, StepsOntoTreesSlideAlongThemSoNoOrderAwayIsLost) {
    // An inner corner: trees on the leader's +x and +y sides.
    testWorld w(40, 40);
    for (int r = 10; r < 25; r++)
        for (int c = 10; c < 25; c++)
            if (c >= 20 || r >= 20) w.bitmap.setColor(c, r, 0, 0, 0, 255);
    w.map.generate(w.bitmap);
    const auto corner = pressInto(w.map, 15.5f, 15.5f, 22, 22);
    EXPECT_GT(std::min(corner.first, corner.second), 19.9f);
    expectEveryOrderAwayMoves(w.map, corner, 120);

    // A target behind a straight edge: he slides along it towards the target and stops
    // once it lies straight ahead in the trees, instead of treading on the spot.
    // The trees are met at y 17.17.
    const auto atEdge = pressInto(w.map, 12.5f, 15.5f, 26, 18.5f);
    EXPECT_TRUE(atEdge.first > 19.9f && atEdge.second > 17.6f && atEdge.second < 18.5f)
        << atEdge.first << "," << atEdge.second;

    // The file follows its leader out of the corner.
    probeSoldier lead(true, 15.5f, 15.5f);
    for (int i = 0; i < 3; i++) lead.addSoldier();
    lead.moveTo(22, 22);
    for (int t = 0; t < 1000; t++) lead.tick(5, w);
    lead.moveTo(28, 8);  // down along the +x trees, then past their end
    for (int t = 0; t < 2000; t++) lead.tick(5, w);
    EXPECT_LT(dist(lead.getX(), lead.getY(), 28, 8), 0.1f) << lead.getX() << "," << lead.getY();
    for (cPlayerBall* s = &lead; s->getNext(); s = s->getNext())
        EXPECT_LT(dist(s->getX(), s->getY(), s->getNext()->getX(), s->getNext()->getY()), 3.5f);
    // The file is the level's to free, not the leader's.
    for (int i = 0; i < 3; i++) lead.removeSoldier();
}

TEST(Squad, OnFirstSnowALeaderInAWoodsStepIsNeverTrapped) {
    const std::string path = ORBIX_BIN_DIR "/maps/06-first-snow.bmp";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no level 6 beside the programs";
    cBitmap bitmap(0, 0);
    ASSERT_TRUE(bitmap.loadFromFile(path));
    cMap map;
    map.generate(bitmap);
    // The east side of the wood left of the start climbs in steps: cells (18, 34) and
    // (19, 35) are trees, (19, 34) between them is not.
    ASSERT_EQ(std::tuple(map.getTerrain(18.5f, 34.5f), map.getTerrain(19.5f, 35.5f), map.getTerrain(19.5f, 34.5f)),
              std::tuple(cMap::kTree, cMap::kTree, cMap::kGround));
    const auto corner = pressInto(map, 21.5f, 31.5f, 18.5f, 35.5f);
    EXPECT_TRUE(corner.first < 19.1f && corner.second > 34.9f) << corner.first << "," << corner.second;
    expectEveryOrderAwayMoves(map, corner, 210);
}

TEST(Squad, CelebratingSquadHopsKeepsItsFacesMovingAndItsDeadSink) {
    testWorld w(40, 40);
    cAmmo ammo;
    probeSoldier s(true);
    for (int i = 0; i < 3; i++) s.addSoldier();
    s.tick(5, w);
    s.shoot(0, 0);
    s.beHappy();
    const float ground = w.map.getHeight(10.5f, 10.5f), v = s.jumpSpeed;
    float top = ground;
    // 15 s of hops: a blink (twelve frame steps) comes every 0.5 to 3.5 s, and a
    // laugh steps a frame every 80 ms until a random mood may end it.
    int landed = -1, blinks[4] = {}, faces[4][2] = {}, laughTicks = 0, laughFrames = 0;
    for (int t = 1; t <= 3000; t++) {
        s.tick(5, w, &ammo);
        if (landed < 0) top = std::max(top, s.z);
        if (landed < 0 && s.clock == 0) landed = t * 5;
        int i = 0;
        for (cPlayerBall* p = &s; p; p = p->getNext(), i++) {
            blinks[i] += std::exchange(faces[i][0], p->getBlinkFrame()) != p->getBlinkFrame();
            const bool newFrame = std::exchange(faces[i][1], p->getMoodFrame()) != p->getMoodFrame();
            laughTicks += p->getMood() == 2;
            laughFrames += p->getMood() == 2 && newFrame;
        }
    }
    // A hop of speed v lasts 2v/g seconds and rises v^2/2g.
    EXPECT_NEAR(landed, 2000.0f * v / 9.81f, 15.0f);
    EXPECT_NEAR(top - ground, v * v / (2 * 9.81f), 0.02f);
    EXPECT_EQ(countBullets(ammo, 0), 0); // no firing while celebrating
    for (int i = 0; i < 4; i++) EXPECT_GT(blinks[i], 30) << "soldier " << i << " stopped blinking";
    EXPECT_GT(laughTicks, 200) << "no soldier laughed for a second with this seed";
    EXPECT_GE(laughFrames * 80, laughTicks * 5 * 9 / 10) << "the laugh froze";
    // The file is the level's to free, not the leader's.
    for (int i = 0; i < 3; i++) s.removeSoldier();
    s.hurt(200.0f); // a late grenade
    for (int t = 0; t < 500; t++) s.tick(5, w, &ammo);
    EXPECT_EQ(std::pair(s.getDeadState(), s.z), std::pair(2, ground));
}

TEST(Squad, OnlyTheLeaderIsSeenWithinTwentyUnits) {
    testWorld w(80, 40);
    cEnemy enemies(nullptr);
    enemies.move(30.5f, 10.5f); // 20.0 from the leader
    enemies.addEnemy(31.0f, 10.5f); // 20.5 away
    enemies.getNext()->setPlayerClose(true, false);
    probeSoldier follower(false);
    follower.tick(5, w, nullptr, &enemies);
    EXPECT_FALSE(enemies.isPlayerClose());
    probeSoldier lead(true);
    lead.tick(5, w, nullptr, &enemies);
    EXPECT_EQ(std::pair(enemies.isPlayerClose(), enemies.getNext()->isPlayerClose()), std::pair(true, false));
}

struct probeEnemy : cEnemy {
    using cEnemy::behaviour, cEnemy::clock, cEnemy::fireInterval;

    explicit probeEnemy(float px = 20.5f, float py = 20.5f) : cEnemy(nullptr) {
        setWalkCycle(20, 99);
        move(px, py);
        setPlayerPos(px + 10, py);
    }
};

TEST(Enemy, ListHandlingAndLongListsThatNeitherOverflowTheStackNorLeak) {
    cEnemy a(nullptr);
    a.addEnemy(5, 6);
    cEnemy* b = a.getNext();
    a.addEnemy(7, 8); // goes between a and b
    EXPECT_EQ(a.getNext()->getNext(), b);
    EXPECT_EQ((std::tuple{a.hurt(b->getID(), 25), b->getLife(), a.hurt(-1, 25)}), std::tuple(true, 75.0f, false));
    a.setPlayerClose(true, true);
    EXPECT_TRUE(b->isPlayerClose());
    a.removeLastEnemy();
    EXPECT_EQ(std::pair(listLength(&a), a.getNext()->getX()), std::pair(2, 7.0f));
    a.removeLastEnemy();
    a.removeLastEnemy(); // a list of one stays
    EXPECT_EQ(listLength(&a), 1);
    a.dispose(); // the destructor disposes once more
    EXPECT_EQ(a.getNext(), nullptr);
    for (int i = 0; i < 200000; i++) a.addEnemy(1.5f, 1.5f); // freed by the destructor
    a.update(5, nullptr, nullptr, nullptr);
}

TEST(Enemy, DecidesOnlyInTheFirstHalfSecondOfEveryFive) {
    testWorld w(60, 60);
    cAmmo ammo;
    probeEnemy e;
    e.setPlayerClose(true, false);
    e.behaviour = 3;
    for (int c = 501; c < 5000; c++) {
        e.clock = c - 1;
        e.update(1, &w.map, &ammo, nullptr);
        ASSERT_EQ(e.getBehaviour(), 3) << "clock " << c;
    }
    EXPECT_EQ(listLength(ammo.getRockets()) + listLength(ammo.getGrenades()), 0); // no heavy weapon either
    // On the window's start it draws again (three in four draws leave behaviour 3).
    int draws = 0;
    for (; e.getBehaviour() == 3 && draws < 50; draws++) {
        e.clock = 4999;
        e.update(1, &w.map, &ammo, nullptr);
    }
    EXPECT_LT(draws, 50);
}

TEST(Enemy, FiringIntervalsByBehaviourAndNoneWhileTheLeaderIsFar) {
    // Ticks (of 20 ms) at which an enemy of each behaviour fires in 2 seconds:
    // idling and running never, standing every 800 ms, assaulting every 200.
    const std::vector<int> expected[4] = {{}, {1, 11, 21}, {1, 41, 81}, {}};
    for (int behaviour = 0; behaviour < 4; behaviour++) {
        testWorld w(60, 60);
        cAmmo ammo;
        probeEnemy e;
        e.fireInterval = 200;
        e.behaviour = behaviour;
        e.update(20, &w.map, &ammo, nullptr); // the leader far: no shot, but the first comes at once when he is close
        e.setPlayerClose(true, false);
        e.clock = 1000; // outside the decision window for the whole run
        std::vector<int> ticks;
        for (int t = 1; t <= 100; t++) {
            const int before = countBullets(ammo, 1);
            e.update(20, &w.map, &ammo, nullptr);
            if (countBullets(ammo, 1) > before) ticks.push_back(t);
        }
        if (behaviour == 1) ticks.resize(std::min<size_t>(ticks.size(), 3));
        EXPECT_EQ(ticks, expected[behaviour]) << behaviour;
    }
}

TEST(Enemy, AnIdlerWandersAtMostFiveUnitsEachWay) {
    testWorld w(200, 200);
    probeEnemy e(100.5f, 100.5f);
    int walks = 0;
    for (int t = 0; t < 60000; t++) {
        const float x = e.getX(), y = e.getY(), tx = e.getTargetX(), ty = e.getTargetY();
        e.update(20, &w.map, nullptr, nullptr);
        if (e.getTargetX() == tx && e.getTargetY() == ty) continue;
        walks++;
        EXPECT_LE(std::max(std::abs(e.getTargetX() - x), std::abs(e.getTargetY() - y)), 5.0f) << t;
    }
    EXPECT_GT(walks, 50);
}

TEST(Enemy, DeadEnemyStandsStillAndHoldsNoCell) {
    testWorld w(60, 60);
    probeEnemy e;
    e.update(5, &w.map, nullptr, &w.grid);
    EXPECT_EQ(w.grid.getObject(20, 20), e.getID());
    w.grid.clear();
    e.hurt(100.0f);
    e.moveTo(40, 40);
    e.update(500, &w.map, nullptr, &w.grid);
    EXPECT_EQ(std::tuple(w.grid.getObject(20, 20), e.getX(), e.getDeadState()), std::tuple(0, 20.5f, 1));
}

} // namespace

// Colour-blind meters: the squad's and the enemies' differ in blue, which a red-green
// colour-blind player sees, not only in red and green; without the option they stay as they were.
TEST(SquadColours, ColourBlindMetersDifferInBlue) {
    cGameSetup gs;
    cPlayerBall soldier(true, &gs);
    cEnemy enemy(nullptr, &gs);
    const auto rgb = [](const float* c) { return std::vector<float>(c, c + 3); };
    EXPECT_EQ(rgb(soldier.lifeBarColour()), (std::vector<float>{0, 0.7f, 0}));
    EXPECT_EQ(rgb(enemy.lifeBarColour()), (std::vector<float>{0.7f, 0, 0}));
    gs.colourBlind = true;
    const float *s = soldier.lifeBarColour(), *e = enemy.lifeBarColour();
    EXPECT_TRUE(s[2] - e[2] > 0.5f && e[0] - s[0] > 0.5f)
        << "soldier " << s[0] << "," << s[2] << ", enemy " << e[0] << "," << e[2];
}
