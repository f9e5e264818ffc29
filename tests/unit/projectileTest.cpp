// Projectile flights and their lists: bullet range, rocket and grenade range caps, timing and fireball.
#include "weapons/cAmmo.h"

#include "ballTestWorld.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Bullet, FliesItsFullRangeAlongItsAngleThenDiesWhereItWas) {
    cBullet b(2.0f, 3.0f, 90.0f, 40.0f, 0, nullptr);
    for (int i = 0; i < 90; i++) b.update(5); // 450 ms at 40 units/s: exactly the range
    EXPECT_TRUE(b.isAlive());
    EXPECT_NEAR(b.getX(), 2.0f, 1e-5);
    EXPECT_FLOAT_EQ(b.getY(), 21.0f);
    b.update(1);
    EXPECT_FALSE(b.isAlive());
    EXPECT_FLOAT_EQ(b.getY(), 21.0f);
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
    const struct { float x0, x1, y1, wantX, wantY; int ticks; } cases[] = {{50, -30, 110, 18, 74, 200}, {0, 10, 50, 10, 50, 50}};
    for (const auto& c : cases) {
        cRocket r(c.x0, 50.0f, c.x1, c.y1, 30.0f, nullptr);
        for (int i = 0; i < c.ticks; i++) r.update(10);
        EXPECT_EQ(r.getState(), cRocket::FLYING);
        r.update(10);
        EXPECT_EQ(r.getState(), cRocket::BLAST_PENDING);
        EXPECT_NEAR(r.getX(), c.wantX, 1e-4);
        EXPECT_NEAR(r.getY(), c.wantY, 1e-4);
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
    EXPECT_NEAR(far.getX(), 22.0f, 1e-4);
    EXPECT_NEAR(far.getY(), 26.0f, 1e-4);
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
    EXPECT_EQ(own.getState(), cGrenade::BLAST_PENDING);
    EXPECT_NE(own.getNext(), nullptr);
    EXPECT_FLOAT_EQ(own.getX(), 4.0f);
    own.explode();
    std::vector<int> seen;
    for (; own.getState() == cGrenade::EXPLODING; own.update(20)) seen.push_back(own.getTimer());
    EXPECT_EQ(seen, (std::vector<int>{0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(own.getState(), cGrenade::FINISHED);
}
