// Projectiles: flights, ranges and lists, and how bullets and blasts hurt units.
#include "weapons/cAmmo.h"

#include "level/difficulty.h"
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"
#include "world/cSoundEvents.h"

#include "ballTestWorld.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {
// A 16 x 16 field of open ground with a tree at (7, 7) and one at (6, 8);
// a two-man squad and a two-man enemy list.
class Battlefield : public ::testing::Test {
protected:
    Battlefield() { leader.setNext(&follower); }
    void TearDown() override {
        leader.setNext(nullptr);
        delete enemies;
    }

    // Puts a unit at (x, y) and registers it where a tick would.
    void place(cBall& unit, float x, float y) {
        unit.move(x, y);
        world.grid.putObject(int(x), int(y), unit.getID(), 0);
    }
    cBullet* bulletAt(float x, float y, int type) {
        ammo.addBullet(x, y, 0.0f, cAmmo::kBulletSpeed, type);
        return ammo.getBullets();
    }
    // Ticks of 20 ms, each followed by the blasts' damage, as the level does.
    void fly(int ticks) {
        for (int tick = 0; tick < ticks; tick++) {
            ammo.update(20);
            ammo.applyBlasts(&world.map, &leader, enemies, false);
        }
    }

    testWorld world{16, 16, {{7, 7}, {6, 8}}};
    cAmmo ammo;
    cPlayerBall leader{true};
    cPlayerBall follower{false};
    cEnemy* enemies = new cEnemy(new cEnemy(nullptr));  // owned head
};
}  // namespace

TEST_F(Battlefield, BulletsHurtOnlyTheOtherSideAndDieOnTrees) {
    place(leader, 5.5f, 5.5f);
    place(*enemies, 9.5f, 5.5f);
    place(follower, 7.5f, 7.5f);  // in the tree's cell
    cBullet* enemyOnSoldier = bulletAt(5.2f, 5.9f, 1);
    cBullet* enemyOnEnemy = bulletAt(9.1f, 5.1f, 1);
    cBullet* squadOnEnemy = bulletAt(9.9f, 5.9f, 0);
    cBullet* squadOnSoldier = bulletAt(5.5f, 5.5f, 0);
    cBullet* intoTree = bulletAt(7.4f, 7.6f, 1);
    cBullet* offTheGrid = bulletAt(-3.5f, 40.0f, 0);
    ammo.applyBulletHits(&world.map, &world.grid, &leader, enemies, false);

    for (auto [b, alive] : {std::pair{enemyOnSoldier, false}, {enemyOnEnemy, true}, {squadOnEnemy, false},
                            {squadOnSoldier, true}, {intoTree, false}, {offTheGrid, true}})
        EXPECT_EQ(b->isAlive(), alive) << b->getX();
    EXPECT_EQ(std::tuple(leader.getLife(), enemies->getLife(), follower.getLife()),
              std::tuple(100.0f - cAmmo::kEnemyBulletDamage, 100.0f - cAmmo::kSquadBulletDamage, 100.0f));
}

TEST_F(Battlefield, BlastHurtsEveryoneWithinThreeUnitsOnce) {
    leader.move(11.0f, 8.0f);     // exactly 3.0 away
    follower.move(8.0f, 11.01f);  // just outside
    enemies->move(5.0f, 8.0f);    // exactly 3.0 away
    enemies->getNext()->move(8.0f, 4.99f);
    ammo.addGrenade(8.0f, 8.0f, 8.0f, 8.0f, 15.0f);
    fly(20);  // landing, blast, the whole fireball
    EXPECT_EQ(std::tuple(ammo.getGrenades(), leader.getLife(), follower.getLife(), enemies->getLife(),
                         enemies->getNext()->getLife()),
              std::tuple(nullptr, 100.0f - cAmmo::kBlastDamageToSoldier, 100.0f, 100.0f - cAmmo::kBlastDamageToEnemy,
                         100.0f));
}

// The easier steps soften what a soldier suffers, bullet and blast alike, and never what an enemy does.
TEST_F(Battlefield, DifficultySoftensHitsOnSoldiersOnly) {
    float soldierHurt[3] = {}, enemyHurt[3] = {};
    for (eDifficulty d : kDifficulties) {
        leader.heal();
        enemies->heal();
        ammo.setSquadDamageScale(squadDamageScale(d));
        place(leader, 5.5f, 5.5f);
        place(*enemies, 9.5f, 5.5f);
        bulletAt(5.2f, 5.9f, 1);
        bulletAt(9.9f, 5.9f, 0);
        ammo.applyBulletHits(&world.map, &world.grid, &leader, enemies, false);
        ammo.addGrenade(7.5f, 5.5f, 7.5f, 5.5f, 15.0f);  // 2 from each
        fly(20);
        soldierHurt[int(d)] = 100.0f - leader.getLife();
        enemyHurt[int(d)] = 100.0f - enemies->getLife();
    }
    const int veteran = int(eDifficulty::veteran);
    EXPECT_FLOAT_EQ(soldierHurt[veteran], cAmmo::kEnemyBulletDamage + cAmmo::kBlastDamageToSoldier);
    EXPECT_TRUE(0 < soldierHurt[int(eDifficulty::recruit)] &&
                soldierHurt[int(eDifficulty::recruit)] < soldierHurt[int(eDifficulty::regular)] &&
                soldierHurt[int(eDifficulty::regular)] < soldierHurt[veteran])
        << soldierHurt[0] << " " << soldierHurt[1] << " " << soldierHurt[2];
    for (float hurt : enemyHurt) EXPECT_FLOAT_EQ(hurt, cAmmo::kSquadBulletDamage + cAmmo::kBlastDamageToEnemy);
}

TEST_F(Battlefield, RocketOverATreeGoesOffThereAndHurtsOnce) {
    enemies->move(6.5f, 10.0f);
    enemies->getNext()->move(13.0f, 8.5f);  // by the target, never reached
    ammo.addRocket(2.5f, 8.5f, 14.5f, 8.5f, 30.0f);
    float wentOffAt = -1.0f;
    for (int tick = 0; tick < 200 && ammo.getRockets(); tick++) {
        fly(1);
        if (wentOffAt < 0 && ammo.getRockets() && ammo.getRockets()->getState() != cRocket::FLYING)
            wentOffAt = ammo.getRockets()->getX();
    }
    EXPECT_TRUE(wentOffAt >= 6.0f && wentOffAt < 7.0f) << wentOffAt;
    EXPECT_EQ(std::tuple(ammo.getRockets(), enemies->getLife(), enemies->getNext()->getLife()),
              std::tuple(nullptr, 50.0f, 100.0f));
}

// A grenade or rocket that goes off at the end of its flight asks once for the explosion (7).
TEST(AmmoSound, EveryLandingIsHeardOnce) {
    cSoundEvents sounds;
    cAmmo ammo;
    ammo.setSnd(&sounds);
    ammo.addGrenade(5, 5, 5, 5, 15.0f);
    ammo.addRocket(5, 5, 7, 5, 30.0f);
    ammo.update(20);
    EXPECT_EQ(sounds.take(), std::vector<int>{7});
    ammo.update(100);
    ammo.update(100);
    EXPECT_EQ(sounds.take(), std::vector<int>{7});
    ammo.update(100);
    EXPECT_TRUE(sounds.pending().empty());
}

TEST(Bullet, FliesItsFullRangeAlongItsAngleThenDiesWhereItWas) {
    cBullet b(2.0f, 3.0f, 90.0f, 40.0f, 0, nullptr);
    for (int i = 0; i < 90; i++) b.update(5); // 450 ms at 40 units/s: exactly the range
    EXPECT_TRUE(b.isAlive());
    EXPECT_NEAR(b.getX(), 2.0f, 1e-5);
    EXPECT_FLOAT_EQ(b.getY(), 21.0f);
    b.update(1);
    EXPECT_EQ(std::pair(b.isAlive(), b.getY()), std::pair(false, 21.0f));
}

TEST(Bullet, ListFreesSpentBulletsBehindItsHeadAndCopesWithHugeLists) {
    cBullet head(0, 0, 0, 400.0f, 0, new cBullet(0, 0, 0, 40.0f, 0, nullptr));
    head.addBullet(1, 2, 0, 400.0f, 1); // spent with the head
    head.update(50);
    EXPECT_FALSE(head.isAlive()); // the head is its holder's to free
    ASSERT_EQ(listLength(&head), 2);
    EXPECT_FLOAT_EQ(head.getNext()->getX(), 2.0f);
    head.getNext()->kill(); // a hit: freed at the next update
    head.update(0);
    EXPECT_EQ(head.getNext(), nullptr);
    // Far more bullets than any battle fires must not need one call level each.
    const int n = 300000;
    for (int i = 0; i < n; i++) head.addBullet(0, 0, float(i % 360), 40.0f, i & 1);
    head.update(100);
    EXPECT_EQ(listLength(&head), n + 1);
    head.update(400);
    EXPECT_EQ(listLength(&head), 1);
    for (int i = 0; i < n; i++) head.addBullet(0, 0, 0, 40.0f, 0);
    head.dispose(); // as deep as the list, were it recursive
    EXPECT_EQ(head.getNext(), nullptr);
}

TEST(Rocket, ExplodesAtItsTargetOrFortyUnitsAlongTheLine) {
    // 100 units along (-0.8, 0.6): capped at 40, 2 s; 10 units: 0.5 s.
    const struct { float x0, x1, y1, wantX, wantY; int ticks; } cases[] = {
        {50, -30, 110, 18, 74, 200}, {0, 10, 50, 10, 50, 50}};
    for (const auto& c : cases) {
        cRocket r(c.x0, 50.0f, c.x1, c.y1, 30.0f, nullptr);
        for (int i = 0; i < c.ticks; i++) r.update(10);
        EXPECT_EQ(r.getState(), cRocket::FLYING);
        r.update(10);
        EXPECT_EQ(r.getState(), cRocket::BLAST_PENDING);
        EXPECT_LT(std::hypot(r.getX() - c.wantX, r.getY() - c.wantY), 1e-4) << r.getX() << "," << r.getY();
    }
}

// Steps until the grenade leaves flight; answers the ms that took.
static int flyUntilLanded(cGrenade& g, int dt) {
    int t = 0;
    for (; g.getState() == cGrenade::FLYING && t < 10000; t += dt) g.update(dt);
    return t;
}

TEST(Grenade, LandsOnItsTargetOrTwentyUnitsAlongTheLineThenBurnsSixTicks) {
    cGrenade far(10.0f, 10.0f, 28.0f, 34.0f, 15.0f, nullptr); // 30 units along (0.6, 0.8)
    flyUntilLanded(far, 10);
    EXPECT_LT(std::hypot(far.getX() - 22.0f, far.getY() - 26.0f), 1e-4) << far.getX() << "," << far.getY();
    // Ten units: launch speed sqrt(98.1) whatever was passed, about 1.428 s.
    cGrenade near(0.0f, 0.0f, 0.0f, -10.0f, 1.0f, nullptr);
    EXPECT_EQ(flyUntilLanded(near, 10), 1430);
    EXPECT_FLOAT_EQ(near.getY(), -10.0f);
    EXPECT_LT(near.getZ(), 0.5f);
    // At its own feet there is nothing to fly: it lands at once, and waits for its blast,
    // as does the one thrown with it; only finished grenades leave the list.
    cGrenade own(4.0f, 7.0f, 4.0f, 7.0f, 15.0f, new cGrenade(4.0f, 7.0f, 4.0f, 7.0f, 15.0f, nullptr));
    own.update(20);
    own.update(20);
    EXPECT_EQ(std::tuple(own.getState(), own.getNext() != nullptr, own.getX()),
              std::tuple(int(cGrenade::BLAST_PENDING), true, 4.0f));
    own.explode();
    std::vector<int> seen;
    for (; own.getState() == cGrenade::EXPLODING; own.update(20)) seen.push_back(own.getTimer());
    EXPECT_EQ(std::pair(seen, own.getState()),
              std::pair(std::vector<int>{0, 20, 40, 60, 80, 100}, int(cGrenade::FINISHED)));
}
