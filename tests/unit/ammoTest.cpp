// The ammunition manager's lists: pushing at the head, freeing spent projectiles, disposing.
#include "weapons/cAmmo.h"

#include "weapons/cBullet.h"
#include "weapons/cGrenade.h"
#include "weapons/cRocket.h"

#include <gtest/gtest.h>

TEST(Ammo, ListsGrowAtTheHeadLoseEverySpentProjectileAndEmptyOnDispose) {
    cAmmo ammo;
    ammo.addBullet(1, 0, 0, 40.0f, 0);
    ammo.addBullet(2, 0, 0, 400.0f, 1);  // newest, spent first
    ammo.addGrenade(3, 0, 3, 0, 15.0f);
    ammo.addRocket(4, 0, 4, 0, 30.0f);
    ASSERT_NE(ammo.getBullets(), nullptr);
    EXPECT_FLOAT_EQ(ammo.getBullets()->getX(), 2.0f);
    ammo.update(50);
    ASSERT_NE(ammo.getBullets(), nullptr);
    EXPECT_EQ(ammo.getBullets()->getNext(), nullptr);
    EXPECT_FLOAT_EQ(ammo.getBullets()->getX(), 3.0f);

    ammo.getGrenades()->explode();
    ammo.getRockets()->explode();
    for (int i = 0; i < 5; i++) ammo.update(20);
    EXPECT_NE(ammo.getGrenades(), nullptr);
    ammo.update(20);
    EXPECT_EQ(ammo.getGrenades(), nullptr);
    EXPECT_EQ(ammo.getRockets(), nullptr);

    for (int i = 0; i < 100; i++) ammo.addGrenade(0, 0, float(i), 0, 15.0f);
    ammo.dispose();
    ammo.dispose();
    EXPECT_EQ(ammo.getBullets(), nullptr);
    EXPECT_EQ(ammo.getGrenades(), nullptr);
}
