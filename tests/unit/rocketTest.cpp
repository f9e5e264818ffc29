// Rocket flights: the range cap, timing, a rocket set off on the way, the fireball.
#include "weapons/cRocket.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Rocket, FarTargetExplodesFortyUnitsAlongTheLineAfterTwoSeconds) {
    // 100 units away along (-0.8, 0.6); the speed handed in plays no part.
    cRocket r(50.0f, 50.0f, -30.0f, 110.0f, 30.0f, nullptr);
    for (int i = 0; i < 200; i++) r.update(10);
    EXPECT_EQ(r.getState(), cRocket::FLYING);
    EXPECT_NEAR(r.getX(), 18.0f, 1e-4);
    EXPECT_NEAR(r.getY(), 74.0f, 1e-4);
    r.update(10);
    EXPECT_EQ(r.getState(), cRocket::BLAST_PENDING);
    EXPECT_NEAR(r.getX(), 18.0f, 1e-4);
    EXPECT_NEAR(r.getY(), 74.0f, 1e-4);
    // Waiting for its blast it stays where it went off.
    r.update(100);
    EXPECT_EQ(r.getState(), cRocket::BLAST_PENDING);
    EXPECT_NEAR(r.getX(), 18.0f, 1e-4);
}

TEST(Rocket, NearTargetExplodesOnItAfterHalfASecond) {
    cRocket r(0.0f, 0.0f, 10.0f, 0.0f, 15.0f, nullptr);
    for (int i = 0; i < 50; i++) r.update(10);
    EXPECT_EQ(r.getState(), cRocket::FLYING);
    r.update(10);
    EXPECT_EQ(r.getState(), cRocket::BLAST_PENDING);
    EXPECT_FLOAT_EQ(r.getX(), 10.0f);
    EXPECT_NEAR(r.getY(), 0.0f, 1e-5);

    // Aimed at its own launch point it goes off at the first step.
    cRocket own(3.0f, 3.0f, 3.0f, 3.0f, 15.0f, nullptr);
    own.update(5);
    EXPECT_EQ(own.getState(), cRocket::BLAST_PENDING);
}

TEST(Rocket, SetOffOnTheWayStopsWhereItIsAndBurnsSixTicks) {
    cRocket r(0.0f, 0.0f, 30.0f, 0.0f, 30.0f, nullptr);
    r.update(250);
    r.prepareExplosion();
    r.update(250);
    EXPECT_EQ(r.getState(), cRocket::BLAST_PENDING);
    EXPECT_FLOAT_EQ(r.getX(), 5.0f);
    r.explode();
    std::vector<int> seen;
    while (r.getState() == cRocket::EXPLODING) {
        seen.push_back(r.getTimer());
        r.update(20);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(r.getState(), cRocket::FINISHED);
}

TEST(Rocket, ListKeepsOrderAndFreesFinishedRocketsBehindItsHead) {
    cRocket head(0, 0, 40, 0, 30.0f, nullptr);
    head.addRocket(1, 0, 40, 0, 30.0f);
    head.addRocket(2, 0, 40, 0, 30.0f);  // directly behind the head
    ASSERT_NE(head.getNext(), nullptr);
    EXPECT_FLOAT_EQ(head.getNext()->getX(), 2.0f);
    cRocket* last = head.getNext()->getNext();
    ASSERT_NE(last, nullptr);
    EXPECT_FLOAT_EQ(last->getX(), 1.0f);

    head.getNext()->prepareExplosion();
    head.getNext()->explode();
    head.update(200);
    EXPECT_EQ(head.getNext(), last);
    EXPECT_FLOAT_EQ(last->getX(), 5.0f);
    head.dispose();
    EXPECT_EQ(head.getNext(), nullptr);
}
