// Enemies: list handling, the decision window, firing intervals, and the dead.
#include "units/cEnemy.h"
#include "world/cColision.h"

#include "ballTestWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

struct probeEnemy : cEnemy {
    using cEnemy::behaviour;
    using cEnemy::clock;
    using cEnemy::fireInterval;

    explicit probeEnemy(float px = 20.5f, float py = 20.5f) : cEnemy(nullptr) {
        setWalkCycle(20, 99);
        move(px, py);
        setPlayerPos(px + 10, py);
    }
};

int heavyShots(const cAmmo& ammo) { return listLength(ammo.getRockets()) + listLength(ammo.getGrenades()); }

TEST(Enemy, ListHandlingAndLongListsThatNeitherOverflowTheStackNorLeak) {
    cEnemy a(nullptr);
    a.addEnemy(5, 6);
    cEnemy* b = a.getNext();
    a.addEnemy(7, 8); // goes between a and b
    EXPECT_EQ(a.getNext()->getNext(), b);
    EXPECT_TRUE(a.hurt(b->getID(), 25));
    EXPECT_FLOAT_EQ(b->getLife(), 75.0f);
    EXPECT_FALSE(a.hurt(-1, 25));
    a.setPlayerClose(true, true);
    EXPECT_TRUE(b->isPlayerClose());
    a.removeLastEnemy();
    EXPECT_EQ(listLength(&a), 2);
    EXPECT_EQ(a.getNext()->getX(), 7.0f);
    a.removeLastEnemy();
    a.removeLastEnemy(); // a list of one stays
    EXPECT_EQ(listLength(&a), 1);
    a.dispose();
    a.dispose();
    EXPECT_EQ(a.getNext(), nullptr);
    for (int i = 0; i < 200000; i++) a.addEnemy(1.5f, 1.5f); // freed by the destructor
    a.update(5, nullptr, nullptr, nullptr);
}

TEST(Enemy, DecidesOnlyInTheFirstHalfSecondOfEveryFive) {
    testWorld w(60, 60);
    cAmmo ammo;
    std::srand(12345);
    probeEnemy e;
    e.setPlayerClose(true, false);
    e.behaviour = 3;
    for (int c = 501; c < 5000; c++) {
        e.clock = c - 1;
        e.update(1, &w.map, &ammo, nullptr);
        ASSERT_EQ(e.getBehaviour(), 3) << "clock " << c;
    }
    EXPECT_EQ(heavyShots(ammo), 0);
    // On the window's start it draws again (three in four draws leave behaviour 3).
    int draws = 0;
    for (; e.getBehaviour() == 3 && draws < 50; draws++) {
        e.clock = 4999;
        e.update(1, &w.map, &ammo, nullptr);
    }
    EXPECT_LT(draws, 50);
}

TEST(Enemy, FiringIntervalsByBehaviourAndNoneWhileTheLeaderIsFar) {
    std::srand(8);
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

TEST(Enemy, DeadEnemyStandsStillAndHoldsNoCell) {
    testWorld w(60, 60);
    cColision grid;
    grid.resize(60, 60);
    probeEnemy e;
    e.update(5, &w.map, nullptr, &grid);
    EXPECT_EQ(grid.getObject(20, 20), e.getID());
    grid.clear();
    e.hurt(100.0f);
    e.moveTo(40, 40);
    e.update(500, &w.map, nullptr, &grid);
    EXPECT_EQ(grid.getObject(20, 20), 0);
    EXPECT_EQ(e.getX(), 20.5f);
    EXPECT_EQ(e.getDeadState(), 1);
}

} // namespace
