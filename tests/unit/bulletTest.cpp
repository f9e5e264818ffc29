// Bullet flight: range, lifetime, direction, and the bullet list's own upkeep.
#include "weapons/cBullet.h"

#include <gtest/gtest.h>

namespace {
void run(cBullet& b, int ticks, int dt) {
    for (int i = 0; i < ticks; i++) b.update(dt);
}
int count(const cBullet* b) {
    int n = 0;
    for (; b; b = b->getNext()) n++;
    return n;
}
}  // namespace

TEST(Bullet, FliesItsFullRangeThenDiesWhereItWas) {
    cBullet b(2.0f, 3.0f, 0.0f, 40.0f, 0, nullptr);
    run(b, 9, 50);  // 450 ms at 40 units/s: exactly the range
    EXPECT_TRUE(b.isAlive());
    EXPECT_FLOAT_EQ(b.getX(), 20.0f);
    EXPECT_NEAR(b.getY(), 3.0f, 1e-5);
    b.update(1);
    EXPECT_FALSE(b.isAlive());
    EXPECT_FLOAT_EQ(b.getX(), 20.0f);
    b.update(50);  // a dead bullet stays put
    EXPECT_FLOAT_EQ(b.getX(), 20.0f);
}

TEST(Bullet, FliesAlongItsAngleInDegrees) {
    cBullet up(0.0f, 0.0f, 90.0f, 40.0f, 1, nullptr);
    up.update(100);
    EXPECT_NEAR(up.getX(), 0.0f, 1e-5);
    EXPECT_NEAR(up.getY(), 4.0f, 1e-5);
    EXPECT_EQ(up.getType(), 1);

    cBullet back(10.0f, 10.0f, 180.0f, 40.0f, 0, nullptr);
    back.update(250);
    EXPECT_NEAR(back.getX(), 0.0f, 1e-5);
    EXPECT_NEAR(back.getY(), 10.0f, 1e-5);

    // Position depends on total time only, not on how it was sliced.
    cBullet sliced(0.0f, 0.0f, 33.0f, 40.0f, 0, nullptr), whole(0.0f, 0.0f, 33.0f, 40.0f, 0, nullptr);
    run(sliced, 60, 5);
    whole.update(300);
    EXPECT_FLOAT_EQ(sliced.getX(), whole.getX());
    EXPECT_FLOAT_EQ(sliced.getY(), whole.getY());
}

TEST(Bullet, UpdateFreesSpentBulletsBehindButLeavesTheHeadToItsOwner) {
    // Oldest at the tail; the middle one is fast and spends its range first.
    cBullet* oldest = new cBullet(0, 0, 0, 40.0f, 0, nullptr);
    cBullet* fast = new cBullet(0, 0, 0, 400.0f, 0, oldest);
    cBullet head(0, 0, 0, 400.0f, 0, fast);
    head.update(50);
    EXPECT_FALSE(head.isAlive());
    EXPECT_EQ(head.getNext(), oldest);
    EXPECT_FLOAT_EQ(oldest->getX(), 2.0f);
    EXPECT_EQ(count(&head), 2);

    // A bullet killed from outside is freed at the next update.
    oldest->kill();
    head.update(5);
    EXPECT_EQ(head.getNext(), nullptr);
}

TEST(Bullet, AddBulletInsertsDirectlyBehind) {
    cBullet head(0, 0, 0, 40.0f, 0, new cBullet(5, 5, 0, 40.0f, 0, nullptr));
    cBullet* old = head.getNext();
    head.addBullet(1, 2, 90, 40.0f, 1);
    ASSERT_NE(head.getNext(), nullptr);
    EXPECT_NE(head.getNext(), old);
    EXPECT_FLOAT_EQ(head.getNext()->getX(), 1.0f);
    EXPECT_FLOAT_EQ(head.getNext()->getY(), 2.0f);
    EXPECT_EQ(head.getNext()->getType(), 1);
    EXPECT_EQ(head.getNext()->getNext(), old);

    // removeNext hands the rest over without freeing it.
    cBullet* rest = head.getNext();
    head.removeNext();
    EXPECT_EQ(head.getNext(), nullptr);
    EXPECT_EQ(count(rest), 2);
    delete rest;
}

TEST(Bullet, DisposeIsRepeatableAndLongListsDoNotExhaustTheStack) {
    cBullet head(0, 0, 0, 40.0f, 0, nullptr);
    head.dispose();
    EXPECT_EQ(head.getNext(), nullptr);

    // Far more bullets than any level fires: the list is walked without
    // one call level per element.
    const int n = 300000;
    for (int i = 0; i < n; i++) head.addBullet(float(i % 50), 0, float(i % 360), 40.0f, i & 1);
    EXPECT_EQ(count(&head), n + 1);
    head.update(100);
    EXPECT_EQ(count(&head), n + 1);
    head.update(400);  // everything is now past its range
    EXPECT_EQ(count(&head), 1);
    for (int i = 0; i < n; i++) head.addBullet(0, 0, 0, 40.0f, 0);
    head.dispose();
    head.dispose();
    EXPECT_EQ(head.getNext(), nullptr);
}
