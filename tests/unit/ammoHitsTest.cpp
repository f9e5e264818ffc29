// How projectiles hurt units: bullets by side, trees and god mode; blasts by radius, once each.
#include "weapons/cAmmo.h"

#include "assets/cBitmap.h"
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"
#include "weapons/cBullet.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"
#include "world/cColision.h"
#include "world/cMap.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
constexpr int kSide = 16;

// A 16 x 16 field of open ground with trees in the listed cells, a two-man
// squad and a two-man enemy list, each unit registered in its cell.
class Battlefield : public ::testing::Test {
protected:
    void SetUp() override {
        std::srand(7);
        leader.setNext(&follower);
        enemies = new cEnemy(nullptr);
        enemies = new cEnemy(enemies);  // owns the first one
        grid.resize(kSide, kSide);
    }
    void TearDown() override {
        leader.setNext(nullptr);
        delete enemies;
    }

    void buildMap(std::initializer_list<std::pair<int, int>> trees) {
        cBitmap picture(kSide, kSide);
        for (int y = 0; y < kSide; y++)
            for (int x = 0; x < kSide; x++) picture.setColor(x, y, 128, 128, 128, 255);
        for (auto [x, y] : trees) picture.setColor(x, y, 0, 0, 0, 255);
        map.generate(picture);
        ASSERT_EQ(map.getX(), float(kSide));
    }

    // Puts a unit at (x, y) and registers it where a tick would.
    void place(cBall& unit, float x, float y) {
        unit.move(x, y);
        grid.putObject(int(x), int(y), unit.getID(), 0);
    }

    // A bullet standing at (x, y): fired there and advanced by no time.
    cBullet* bulletAt(float x, float y, int type) {
        ammo.addBullet(x, y, 0.0f, cAmmo::kBulletSpeed, type);
        ammo.update(0);
        return ammo.getBullets();
    }

    void hits(bool godMode = false) { ammo.applyBulletHits(&map, &grid, &leader, enemies, godMode); }
    void blasts(bool godMode = false) { ammo.applyBlasts(&map, &leader, enemies, godMode); }

    cMap map;
    cColision grid;
    cAmmo ammo;
    cPlayerBall leader{true};
    cPlayerBall follower{false};
    cEnemy* enemies = nullptr;  // owned head
};
}  // namespace

TEST_F(Battlefield, BulletsHurtOnlyTheOtherSide) {
    buildMap({});
    place(leader, 5.5f, 5.5f);
    place(*enemies, 9.5f, 5.5f);

    cBullet* enemyOnSoldier = bulletAt(5.2f, 5.9f, 1);
    cBullet* enemyOnEnemy = bulletAt(9.1f, 5.1f, 1);
    cBullet* squadOnEnemy = bulletAt(9.9f, 5.9f, 0);
    cBullet* squadOnSoldier = bulletAt(5.5f, 5.5f, 0);
    cBullet* inEmptyCell = bulletAt(3.5f, 3.5f, 1);
    cBullet* offTheGrid = bulletAt(-3.5f, 40.0f, 0);
    hits();

    EXPECT_FALSE(enemyOnSoldier->isAlive());
    EXPECT_FLOAT_EQ(leader.getLife(), 100.0f - cAmmo::kEnemyBulletDamage);
    EXPECT_TRUE(enemyOnEnemy->isAlive());
    EXPECT_FALSE(squadOnEnemy->isAlive());
    EXPECT_FLOAT_EQ(enemies->getLife(), 100.0f - cAmmo::kSquadBulletDamage);
    EXPECT_TRUE(squadOnSoldier->isAlive());
    EXPECT_TRUE(inEmptyCell->isAlive());
    EXPECT_TRUE(offTheGrid->isAlive());

    // Killed bullets are gone after the next update, the rest fly on.
    ammo.update(10);
    int left = 0;
    for (cBullet* b = ammo.getBullets(); b; b = b->getNext()) left++;
    EXPECT_EQ(left, 4);
}

TEST_F(Battlefield, GodModeLetsEnemyBulletsThroughSoldiersOnly) {
    buildMap({});
    place(follower, 2.5f, 2.5f);
    place(*enemies->getNext(), 12.5f, 12.5f);
    cBullet* atSoldier = bulletAt(2.5f, 2.5f, 1);
    cBullet* atEnemy = bulletAt(12.5f, 12.5f, 0);
    hits(true);
    EXPECT_TRUE(atSoldier->isAlive());
    EXPECT_FLOAT_EQ(follower.getLife(), 100.0f);
    EXPECT_FALSE(atEnemy->isAlive());
    EXPECT_FLOAT_EQ(enemies->getNext()->getLife(), 75.0f);

    // With no squad and no enemies left there is nobody to hurt.
    ammo.addBullet(2.5f, 2.5f, 0, cAmmo::kBulletSpeed, 1);
    ammo.addBullet(12.5f, 12.5f, 0, cAmmo::kBulletSpeed, 0);
    ammo.applyBulletHits(&map, &grid, nullptr, nullptr, false);
    EXPECT_TRUE(ammo.getBullets()->isAlive());
    EXPECT_TRUE(ammo.getBullets()->getNext()->isAlive());
}

TEST_F(Battlefield, TreesStopBulletsBeforeAnyoneInTheCellIsHit) {
    buildMap({{7, 7}});
    place(leader, 7.5f, 7.5f);
    cBullet* b = bulletAt(7.4f, 7.6f, 1);
    hits();
    EXPECT_FALSE(b->isAlive());
    EXPECT_FLOAT_EQ(leader.getLife(), 100.0f);
}

TEST_F(Battlefield, BlastHurtsEveryoneWithinThreeUnitsOnce) {
    buildMap({});
    leader.move(11.0f, 8.0f);      // exactly 3.0 away
    follower.move(8.0f, 11.01f);   // just outside
    enemies->move(5.0f, 8.0f);     // exactly 3.0 away
    enemies->getNext()->move(8.0f, 4.99f);
    ammo.addGrenade(8.0f, 8.0f, 8.0f, 8.0f, 15.0f);  // thrown at its own feet
    ammo.update(20);
    ASSERT_EQ(ammo.getGrenades()->getState(), cGrenade::BLAST_PENDING);
    blasts();
    EXPECT_EQ(ammo.getGrenades()->getState(), cGrenade::EXPLODING);
    EXPECT_FLOAT_EQ(leader.getLife(), 100.0f - cAmmo::kBlastDamageToSoldier);
    EXPECT_FLOAT_EQ(follower.getLife(), 100.0f);
    EXPECT_FLOAT_EQ(enemies->getLife(), 100.0f - cAmmo::kBlastDamageToEnemy);
    EXPECT_FLOAT_EQ(enemies->getNext()->getLife(), 100.0f);

    // The fireball that follows does no harm.
    for (int tick = 0; tick < 20; tick++) {
        ammo.update(20);
        blasts();
    }
    EXPECT_EQ(ammo.getGrenades(), nullptr);
    EXPECT_FLOAT_EQ(leader.getLife(), 75.0f);
    EXPECT_FLOAT_EQ(enemies->getLife(), 50.0f);
}

TEST_F(Battlefield, GodModeSparesTheSquadButNotTheEnemies) {
    buildMap({});
    leader.move(8.0f, 8.0f);
    enemies->move(8.5f, 8.0f);
    ammo.addRocket(8.0f, 8.0f, 8.0f, 8.0f, 15.0f);
    ammo.update(20);
    blasts(true);
    EXPECT_FLOAT_EQ(leader.getLife(), 100.0f);
    EXPECT_FLOAT_EQ(enemies->getLife(), 50.0f);
}

TEST_F(Battlefield, RocketOverATreeGoesOffThereAndHurtsOnce) {
    buildMap({{6, 8}});
    enemies->move(6.5f, 10.0f);
    enemies->getNext()->move(13.0f, 8.5f);  // by the target, never reached
    ammo.addRocket(2.5f, 8.5f, 14.5f, 8.5f, 30.0f);
    float wentOffAt = -1.0f;
    for (int tick = 0; tick < 200 && ammo.getRockets(); tick++) {
        ammo.update(20);
        blasts();
        if (wentOffAt < 0 && ammo.getRockets() && ammo.getRockets()->getState() != cRocket::FLYING)
            wentOffAt = ammo.getRockets()->getX();
    }
    EXPECT_EQ(ammo.getRockets(), nullptr);
    EXPECT_GE(wentOffAt, 6.0f);
    EXPECT_LT(wentOffAt, 7.0f);
    EXPECT_FLOAT_EQ(enemies->getLife(), 50.0f);
    EXPECT_FLOAT_EQ(enemies->getNext()->getLife(), 100.0f);
}
