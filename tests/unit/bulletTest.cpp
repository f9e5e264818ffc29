// Bullet flight: range, lifetime, direction, and the bullet list's own upkeep.
#include "weapons/cBullet.h"

#include <gtest/gtest.h>

namespace {
int count(const cBullet* b) {
    int n = 0;
    for (; b; b = b->getNext()) n++;
    return n;
}
}  // namespace

TEST(Bullet, FliesItsFullRangeAlongItsAngleThenDiesWhereItWas) {
    cBullet b(2.0f, 3.0f, 90.0f, 40.0f, 0, nullptr);
    for (int i = 0; i < 90; i++) b.update(5);  // 450 ms at 40 units/s: exactly the range
    EXPECT_TRUE(b.isAlive());
    EXPECT_NEAR(b.getX(), 2.0f, 1e-5);
    EXPECT_FLOAT_EQ(b.getY(), 21.0f);
    b.update(1);
    EXPECT_FALSE(b.isAlive());
    EXPECT_FLOAT_EQ(b.getY(), 21.0f);
}

TEST(Bullet, ListFreesSpentBulletsBehindItsHeadAndCopesWithHugeLists) {
    cBullet head(0, 0, 0, 400.0f, 0, new cBullet(0, 0, 0, 40.0f, 0, nullptr));
    head.addBullet(1, 2, 0, 400.0f, 1);  // directly behind the head, spent with it
    ASSERT_EQ(count(&head), 3);
    EXPECT_FLOAT_EQ(head.getNext()->getY(), 2.0f);
    head.update(50);
    EXPECT_FALSE(head.isAlive());  // the head is its holder's to free
    ASSERT_EQ(count(&head), 2);
    EXPECT_FLOAT_EQ(head.getNext()->getX(), 2.0f);
    head.getNext()->kill();  // a hit: freed at the next update
    head.update(0);
    EXPECT_EQ(head.getNext(), nullptr);

    // Far more bullets than any battle fires must not need one call level each.
    const int n = 300000;
    for (int i = 0; i < n; i++) head.addBullet(0, 0, float(i % 360), 40.0f, i & 1);
    head.update(100);
    EXPECT_EQ(count(&head), n + 1);
    head.update(400);
    EXPECT_EQ(count(&head), 1);
    for (int i = 0; i < n; i++) head.addBullet(0, 0, 0, 40.0f, 0);
    head.dispose();
    head.dispose();
    EXPECT_EQ(head.getNext(), nullptr);
}
