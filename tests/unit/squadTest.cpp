// Player squad: the file's list handling, firing, facing, leadership hand-over, celebrating, sensing.
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"
#include "world/cColision.h"

#include "ballTestWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

struct probeSoldier : cPlayerBall {
    using cPlayerBall::clock;
    using cPlayerBall::fireInterval;
    using cPlayerBall::jumpSpeed;
    using cPlayerBall::z;

    explicit probeSoldier(bool leader, float px = 10.5f, float py = 10.5f) : cPlayerBall(leader) {
        setWalkCycle(20, 99);
        move(px, py);
    }
    void tick(int ms, testWorld& w, cAmmo* ammo = nullptr, cEnemy* enemies = nullptr, cColision* grid = nullptr) {
        update(ms, &w.map, ammo, enemies, grid);
    }
};

TEST(Squad, AddRemoveInsertAndHurtById) {
    probeSoldier lead(true, 10, 10);
    for (int i = 0; i < 3; i++) lead.addSoldier();
    cPlayerBall* s = lead.getNext();
    EXPECT_EQ(s->getTargetX(), 9.0f); // one unit to -x of the last one's target
    lead.removeSoldier();
    EXPECT_EQ(listLength(&lead), 3);
    cPlayerBall* third = s->getNext();
    EXPECT_FALSE(lead.hurt(-5, 50));
    EXPECT_TRUE(lead.hurt(third->getID(), 30));
    EXPECT_FLOAT_EQ(third->getLife(), 70.0f);
    lead.insert(third); // already in the file: no loop made
    EXPECT_EQ(listLength(&lead), 3);
    for (int i = 0; i < 3; i++) lead.removeSoldier(); // a file of one stays
    EXPECT_EQ(listLength(&lead), 1);
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

TEST(Squad, WalkingFileLooksAheadStandingFileAtThePoint) {
    probeSoldier lead(true, 10, 10), a(false, 8, 10), b(false, 8, 8);
    lead.insert(&a);
    lead.insert(&b);
    const float atPoint = float(std::atan2(12.0, 2.0) * 180 / M_PI);
    lead.rotateTo(10, 20);
    EXPECT_FLOAT_EQ(lead.getAngle(), 90.0f);
    EXPECT_FLOAT_EQ(b.getAngle(), atPoint);
    lead.moveTo(10, 0);
    lead.setMoving(true);
    lead.rotateTo(10, 20);
    EXPECT_FLOAT_EQ(lead.getAngle(), -90.0f); // its own goal
    EXPECT_FLOAT_EQ(a.getAngle(), 0.0f);      // the leader
    EXPECT_FLOAT_EQ(b.getAngle(), 90.0f);     // the one in front
    lead.shoot(0, 0); // firing while walking faces the point again
    lead.rotateTo(10, 20);
    EXPECT_FLOAT_EQ(b.getAngle(), atPoint);
}

TEST(Squad, DyingLeaderHandsOverThenSinksAndHoldsNoCell) {
    testWorld w(40, 40);
    cColision grid;
    grid.resize(40, 40);
    probeSoldier lead(true), next(false, 9, 10.5f);
    lead.insert(&next);
    lead.setRockets(5);
    lead.setGrenades(3);
    const float ground = w.map.getHeight(10.5f, 10.5f);
    lead.hurt(150.0f);
    lead.tick(1000, w);
    EXPECT_EQ(std::pair(lead.isLeader(), next.isLeader()), std::pair(false, true));
    EXPECT_EQ(std::pair(next.getRocketsCount(), next.getGrenadesCount()), std::pair(5, 3));
    EXPECT_EQ(lead.getDeadState(), 1);
    EXPECT_NEAR(lead.z, ground - 1.5f, 1e-4);
    lead.setNext(nullptr);
    lead.tick(1001, w);
    EXPECT_EQ(lead.getDeadState(), 2);
    lead.tick(20, w, nullptr, nullptr, &grid);
    EXPECT_EQ(grid.getObject(10, 10), 0);
}

TEST(Squad, TreesAndTheEdgeStopAWalk) {
    testWorld w(40, 40, {{13, 10}});
    cColision grid;
    grid.resize(40, 40);
    // Into a tree: stops in the cell before it, holding that cell. On the first
    // column (outside) the first step puts it on the target; off the map, it ends inside.
    const struct { float x0, x1, minX, maxX; int ticks; } cases[] = {
        {11.5f, 16.5f, 12.0f, 12.999f, 200}, {0.0f, 6.5f, 6.5f, 6.5f, 1}, {38.5f, 45.0f, 39.0f, 39.999f, 200}};
    for (const auto& c : cases) {
        probeSoldier s(true, c.x0, 10.5f);
        s.moveTo(c.x1, 10.5f);
        for (int t = 0; t < c.ticks; t++) s.tick(5, w, nullptr, nullptr, &grid);
        EXPECT_GE(s.getX(), c.minX) << c.x0;
        EXPECT_LE(s.getX(), c.maxX) << c.x0;
        EXPECT_FALSE(s.isMoving()) << c.x0;
        EXPECT_EQ(s.getTargetX(), s.getX());
    }
    EXPECT_NE(grid.getObject(12, 10), 0);
}

TEST(Squad, CelebratingSquadHopsKeepsItsFacesMovingAndItsDeadSink) {
    testWorld w(40, 40);
    std::srand(3);
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
    EXPECT_EQ(s.getDeadState(), 2);
    EXPECT_FLOAT_EQ(s.z, ground);
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
    EXPECT_TRUE(enemies.isPlayerClose());
    EXPECT_FALSE(enemies.getNext()->isPlayerClose());
}

} // namespace
