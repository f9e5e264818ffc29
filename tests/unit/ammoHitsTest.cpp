// How projectiles hurt units: bullets by side and trees; blasts by radius, once each; each landing heard once.
#include "weapons/cAmmo.h"

#include "assets/cSound.h"
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"
#include "world/cColision.h"

#include "assetsTestFiles.h"
#include "ballTestWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
constexpr int kSide = 16;

// A 16 x 16 field of open ground with a tree at (7, 7) and one at (6, 8);
// a two-man squad and a two-man enemy list.
class Battlefield : public ::testing::Test {
protected:
    void SetUp() override {
        grid.resize(kSide, kSide);
        leader.setNext(&follower);
        enemies = new cEnemy(new cEnemy(nullptr));
    }
    void TearDown() override {
        leader.setNext(nullptr);
        delete enemies;
    }

    // Puts a unit at (x, y) and registers it where a tick would.
    void place(cBall& unit, float x, float y) {
        unit.move(x, y);
        grid.putObject(int(x), int(y), unit.getID(), 0);
    }
    cBullet* bulletAt(float x, float y, int type) {
        ammo.addBullet(x, y, 0.0f, cAmmo::kBulletSpeed, type);
        return ammo.getBullets();
    }
    void blasts() { ammo.applyBlasts(&world.map, &leader, enemies, false); }

    testWorld world{kSide, kSide, {{7, 7}, {6, 8}}};
    cColision grid;
    cAmmo ammo;
    cPlayerBall leader{true};
    cPlayerBall follower{false};
    cEnemy* enemies = nullptr;  // owned head
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
    ammo.applyBulletHits(&world.map, &grid, &leader, enemies, false);

    for (auto [b, alive] : {std::pair{enemyOnSoldier, false}, {enemyOnEnemy, true}, {squadOnEnemy, false},
                            {squadOnSoldier, true}, {intoTree, false}, {offTheGrid, true}})
        EXPECT_EQ(b->isAlive(), alive) << b->getX();
    EXPECT_FLOAT_EQ(leader.getLife(), 100.0f - cAmmo::kEnemyBulletDamage);
    EXPECT_FLOAT_EQ(enemies->getLife(), 100.0f - cAmmo::kSquadBulletDamage);
    EXPECT_FLOAT_EQ(follower.getLife(), 100.0f);

    // God mode goes through the level: its tick test covers it.
}

TEST_F(Battlefield, BlastHurtsEveryoneWithinThreeUnitsOnce) {
    leader.move(11.0f, 8.0f);     // exactly 3.0 away
    follower.move(8.0f, 11.01f);  // just outside
    enemies->move(5.0f, 8.0f);    // exactly 3.0 away
    enemies->getNext()->move(8.0f, 4.99f);
    ammo.addGrenade(8.0f, 8.0f, 8.0f, 8.0f, 15.0f);
    for (int tick = 0; tick < 20; tick++) {  // landing, blast, the whole fireball
        ammo.update(20);
        blasts();
    }
    EXPECT_EQ(ammo.getGrenades(), nullptr);
    EXPECT_FLOAT_EQ(leader.getLife(), 100.0f - cAmmo::kBlastDamageToSoldier);
    EXPECT_FLOAT_EQ(follower.getLife(), 100.0f);
    EXPECT_FLOAT_EQ(enemies->getLife(), 100.0f - cAmmo::kBlastDamageToEnemy);
    EXPECT_FLOAT_EQ(enemies->getNext()->getLife(), 100.0f);

}

TEST_F(Battlefield, RocketOverATreeGoesOffThereAndHurtsOnce) {
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

// A grenade or rocket that goes off at the end of its flight is heard once.
TEST(AmmoSound, EveryLandingIsHeardOnce) {
    using namespace assetsTest;
    setenv("ALSOFT_DRIVERS", "null", 1);  // plays to nowhere but counts what was started
    ScratchDir dir;
    writeFile(dir.file("sounds/explode.wav"), sineWav(50));
    WorkingDir cwd(dir.path);
    cSound snd;
    ::testing::internal::CaptureStderr();
    snd.load();
    ::testing::internal::GetCapturedStderr();
    if (!snd.getDevice().isOpen()) GTEST_SKIP() << "OpenAL's null device did not open";
    auto heard = [&snd] {
        int n = 0;
        for (int k = 0; k < cSound::numCopies; k++) n += snd.getDevice().startCount(cSound::alias(7, k));
        return n;
    };

    cAmmo ammo;
    ammo.setSnd(&snd);
    ammo.addGrenade(5, 5, 5, 5, 15.0f);
    ammo.addRocket(5, 5, 7, 5, 30.0f);
    ammo.update(20);
    EXPECT_EQ(heard(), 1);
    ammo.update(100);
    ammo.update(100);
    EXPECT_EQ(heard(), 2);
}
