// The ammunition manager's lists: pushing at the head, freeing spent projectiles, disposing.
#include "weapons/cAmmo.h"

#include "weapons/cBullet.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"

#include <gtest/gtest.h>

TEST(Ammo, NewProjectilesGoToTheHeadOfTheirList) {
    cAmmo ammo;
    EXPECT_EQ(ammo.getBullets(), nullptr);
    EXPECT_EQ(ammo.getRockets(), nullptr);
    EXPECT_EQ(ammo.getGrenades(), nullptr);
    ammo.addBullet(1, 0, 0, 40.0f, 0);
    ammo.addBullet(2, 0, 0, 40.0f, 1);
    ammo.addGrenade(3, 0, 10, 0, 15.0f);
    ammo.addGrenade(4, 0, 10, 0, 15.0f);
    ammo.addRocket(5, 0, 10, 0, 30.0f);
    ammo.addRocket(6, 0, 10, 0, 30.0f);
    ASSERT_NE(ammo.getBullets(), nullptr);
    EXPECT_FLOAT_EQ(ammo.getBullets()->getX(), 2.0f);
    EXPECT_EQ(ammo.getBullets()->getType(), 1);
    ASSERT_NE(ammo.getBullets()->getNext(), nullptr);
    EXPECT_FLOAT_EQ(ammo.getBullets()->getNext()->getX(), 1.0f);
    EXPECT_FLOAT_EQ(ammo.getGrenades()->getX(), 4.0f);
    EXPECT_FLOAT_EQ(ammo.getGrenades()->getNext()->getX(), 3.0f);
    EXPECT_FLOAT_EQ(ammo.getRockets()->getX(), 6.0f);
    EXPECT_FLOAT_EQ(ammo.getRockets()->getNext()->getX(), 5.0f);
}

TEST(Ammo, UpdateFreesEverySpentProjectileHeadsIncluded) {
    cAmmo ammo;
    ammo.addBullet(0, 0, 0, 40.0f, 0);   // oldest: lives 450 ms
    ammo.addBullet(0, 0, 0, 400.0f, 0);  // head: lives 45 ms
    ammo.update(50);
    ASSERT_NE(ammo.getBullets(), nullptr);
    EXPECT_EQ(ammo.getBullets()->getNext(), nullptr);
    EXPECT_FLOAT_EQ(ammo.getBullets()->getX(), 2.0f);

    // A bullet killed between updates (by a hit) goes at the next update.
    ammo.getBullets()->kill();
    ammo.update(0);
    EXPECT_EQ(ammo.getBullets(), nullptr);

    ammo.addGrenade(0, 0, 0, 0, 15.0f);
    ammo.addRocket(0, 0, 0, 0, 30.0f);
    ammo.update(20);
    ASSERT_EQ(ammo.getGrenades()->getState(), cGrenade::BLAST_PENDING);
    ASSERT_EQ(ammo.getRockets()->getState(), cRocket::BLAST_PENDING);
    ammo.getGrenades()->explode();
    ammo.getRockets()->explode();
    for (int i = 0; i < 5; i++) ammo.update(20);
    EXPECT_NE(ammo.getGrenades(), nullptr);
    EXPECT_NE(ammo.getRockets(), nullptr);
    ammo.update(20);
    EXPECT_EQ(ammo.getGrenades(), nullptr);
    EXPECT_EQ(ammo.getRockets(), nullptr);
}

TEST(Ammo, DisposeEmptiesEveryListAndMayRepeat) {
    cAmmo ammo;
    ammo.dispose();
    ammo.dispose();
    for (int i = 0; i < 100; i++) {
        ammo.addBullet(0, 0, float(i), 40.0f, i & 1);
        ammo.addGrenade(0, 0, float(i), 0, 15.0f);
        ammo.addRocket(0, 0, float(i), 0, 30.0f);
    }
    ammo.update(100);
    ammo.dispose();
    EXPECT_EQ(ammo.getBullets(), nullptr);
    EXPECT_EQ(ammo.getRockets(), nullptr);
    EXPECT_EQ(ammo.getGrenades(), nullptr);
    ammo.dispose();
    // Usable again after disposing, as a level restart needs.
    ammo.addBullet(0, 0, 0, 40.0f, 0);
    ammo.update(10);
    EXPECT_NE(ammo.getBullets(), nullptr);
}
