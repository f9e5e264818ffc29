// Player squad: names, the file's list handling, firing, formation, leadership hand-over, celebrating, sensing.
#include "units/cEnemy.h"
#include "units/cPlayerBall.h"
#include "world/cColision.h"

#include "ballTestWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

struct probeSoldier : cPlayerBall {
    using cPlayerBall::clock;
    using cPlayerBall::fireInterval;
    using cPlayerBall::jumpSpeed;
    using cPlayerBall::x;
    using cPlayerBall::y;
    using cPlayerBall::z;

    explicit probeSoldier(bool leader, float px = 10.5f, float py = 10.5f) : cPlayerBall(leader) {
        setWalkCycle(20, 99);
        move(px, py);
    }
};

TEST(Squad, FortyNamesHandedOutInTurn) {
    std::set<std::string> distinct;
    int n = 0;
    for (; cPlayerBall::names[n][0] != '_'; n++) distinct.insert(cPlayerBall::names[n]);
    EXPECT_EQ(distinct.size(), 40u);
    EXPECT_EQ(n, 40);

    probeSoldier first(true);
    for (int i = 1; i < 40; i++) EXPECT_STRNE(probeSoldier(false).getName(), first.getName());
    EXPECT_STREQ(probeSoldier(false).getName(), first.getName()); // the 41st, never "_"
}

TEST(Squad, AddRemoveInsertAndHurtById) {
    probeSoldier lead(true, 10, 10);
    for (int i = 0; i < 3; i++) lead.addSoldier();
    cPlayerBall* s = lead.getNext();
    EXPECT_EQ(s->getTargetX(), 9.0f); // one unit to -x of the last one's target
    EXPECT_FALSE(s->isLeader());
    EXPECT_EQ(listLength(&lead), 4);
    lead.removeSoldier();
    EXPECT_EQ(listLength(&lead), 3);

    cPlayerBall* third = s->getNext();
    EXPECT_FALSE(lead.hurt(-5, 50));
    EXPECT_TRUE(lead.hurt(third->getID(), 30));
    EXPECT_FLOAT_EQ(third->getLife(), 70.0f);
    lead.insert(third); // already in the file: no loop made
    EXPECT_EQ(listLength(&lead), 3);
    for (int i = 0; i < 3; i++) lead.removeSoldier(); // a file of one stays
    EXPECT_EQ(listLength(&lead), 1);
}

TEST(Squad, HoldingFireShootsAtOnceThenEveryInterval) {
    testWorld w(40, 40);
    cAmmo ammo;
    probeSoldier s(true);
    s.fireInterval = 150;
    s.update(20, &w.map, &ammo, nullptr, nullptr); // not firing: the next burst starts at once
    s.shoot(0, 0);
    std::vector<int> shotTicks;
    for (int t = 1; t <= 20; t++) {
        int before = countBullets(ammo, 0);
        s.update(20, &w.map, &ammo, nullptr, nullptr);
        if (countBullets(ammo, 0) > before) shotTicks.push_back(t);
    }
    EXPECT_EQ(shotTicks, (std::vector<int>{1, 9, 17}));
    EXPECT_EQ(s.getMood(), 1);
    s.shootStop();
    int before = countBullets(ammo, 0);
    s.update(20, &w.map, &ammo, nullptr, nullptr);
    EXPECT_EQ(countBullets(ammo, 0), before);
}

TEST(Squad, FollowersKeepTheirDistance) {
    testWorld w(40, 40);
    struct {
        float fx, expectX, expectY;
        bool newTarget;
    } cases[] = {
        {8.5f, 0, 0, false},      // 2 units behind: keeps its target
        {10.8f, 9.0f, 10.5f, true}, // 0.3 units: sent 1.5 to -x of the one in front
        {15.5f, 12.0f, 10.5f, true}, // 5 units: sent to 1.5 units from the one in front
    };
    for (auto& c : cases) {
        probeSoldier lead(true, 10.5f, 10.5f);
        probeSoldier f(false, c.fx, 10.5f);
        lead.insert(&f);
        lead.update(1, &w.map, nullptr, nullptr, nullptr);
        if (c.newTarget) {
            EXPECT_NEAR(f.getTargetX(), c.expectX, 1e-4);
            EXPECT_NEAR(f.getTargetY(), c.expectY, 1e-4);
        } else {
            EXPECT_EQ(f.getTargetX(), c.fx);
        }
    }
}

TEST(Squad, WalkingFileLooksAheadStandingFileAtThePoint) {
    probeSoldier lead(true, 10, 10), a(false, 8, 10), b(false, 8, 8);
    lead.insert(&a);
    lead.insert(&b);
    lead.rotateTo(10, 20);
    EXPECT_FLOAT_EQ(lead.getAngle(), 90.0f);
    EXPECT_FLOAT_EQ(b.getAngle(), float(std::atan2(12.0, 2.0) * 180 / M_PI));

    lead.moveTo(10, 0);
    lead.setMoving(true);
    lead.rotateTo(10, 20);
    EXPECT_FLOAT_EQ(lead.getAngle(), -90.0f); // its own goal
    EXPECT_FLOAT_EQ(a.getAngle(), 0.0f);      // the leader
    EXPECT_FLOAT_EQ(b.getAngle(), 90.0f);     // the one in front

    lead.shoot(0, 0);
    lead.rotateTo(10, 20);
    EXPECT_FLOAT_EQ(lead.getAngle(), 90.0f);
    EXPECT_FLOAT_EQ(b.getAngle(), float(std::atan2(12.0, 2.0) * 180 / M_PI));
}

TEST(Squad, DyingLeaderHandsOverLeadershipAndAmmunition) {
    testWorld w(40, 40);
    probeSoldier lead(true), next(false, 9, 10.5f);
    lead.insert(&next);
    lead.setRockets(5);
    lead.setGrenades(3);
    lead.hurt(150.0f);
    lead.update(20, &w.map, nullptr, nullptr, nullptr);
    EXPECT_FALSE(lead.isLeader());
    EXPECT_TRUE(next.isLeader());
    EXPECT_EQ(next.getRocketsCount(), 5);
    EXPECT_EQ(next.getGrenadesCount(), 3);

    probeSoldier alone(true);
    alone.hurt(200.0f);
    alone.update(20, &w.map, nullptr, nullptr, nullptr);
    EXPECT_FALSE(alone.isLeader());
}

TEST(Squad, DyingSoldierSinksThenIsDead) {
    testWorld w(40, 40);
    probeSoldier s(false);
    float ground = w.map.getHeight(s.x, s.y);
    s.hurt(100.0f);
    s.update(1000, &w.map, nullptr, nullptr, nullptr);
    EXPECT_EQ(s.getDeadState(), 1);
    EXPECT_NEAR(s.z, ground - 1.5f, 1e-4);
    s.update(1001, &w.map, nullptr, nullptr, nullptr);
    EXPECT_EQ(s.getDeadState(), 2);
    cColision grid;
    grid.resize(40, 40);
    s.update(20, &w.map, nullptr, nullptr, &grid);
    EXPECT_EQ(grid.getObject(10, 10), 0); // the dead hold no cell
}

TEST(Squad, TreesAndTheEdgeStopAWalk) {
    testWorld w(40, 40, {{13, 10}});
    cColision grid;
    grid.resize(40, 40);
    probeSoldier s(true, 11.5f, 10.5f);
    s.moveTo(16.5f, 10.5f);
    for (int t = 0; t < 200; t++) s.update(20, &w.map, nullptr, nullptr, &grid);
    EXPECT_LT(s.getX(), 13.0f);
    EXPECT_GT(s.getX(), 12.0f);
    EXPECT_FALSE(s.isMoving());
    EXPECT_EQ(s.getTargetX(), s.getX());
    EXPECT_EQ(grid.getObject(12, 10), s.getID());

    // On the first column (kind 5) the first walk puts the soldier straight on the target.
    probeSoldier edge(true, 0.0f, 5.5f);
    edge.moveTo(6.5f, 5.5f);
    edge.update(5, &w.map, nullptr, nullptr, nullptr);
    EXPECT_EQ(edge.getX(), 6.5f);
    EXPECT_FALSE(edge.isMoving());

    // A walk off the map ends at the last cell inside.
    probeSoldier out(true, 38.5f, 5.5f);
    out.moveTo(45.0f, 5.5f);
    for (int t = 0; t < 200; t++) out.update(20, &w.map, nullptr, nullptr, nullptr);
    EXPECT_LT(out.getX(), 40.0f);
    EXPECT_FALSE(out.isMoving());
}

TEST(Squad, FacesKeepAnimatingWhileTheSquadCelebrates) {
    testWorld w(40, 40);
    std::srand(3);
    probeSoldier s(true);
    for (int i = 0; i < 3; i++) s.addSoldier();
    s.update(5, &w.map, nullptr, nullptr, nullptr);
    s.beHappy();
    // A laugh steps a frame every 80 ms (until a random mood may end it); a blink
    // (twelve frame steps) comes every 0.5 to 3.5 s.
    std::vector<int> blinks(4, 0), laughSteps(4, 0), laughFrames(4, 0);
    for (int t = 0; t < 3000; t++) {  // 15 s of hops
        std::vector<std::pair<int, int>> before;
        for (cPlayerBall* p = &s; p; p = p->getNext()) before.push_back({p->getBlinkFrame(), p->getMoodFrame() + 1000 * p->getMood()});
        s.update(5, &w.map, nullptr, nullptr, nullptr);
        int i = 0;
        for (cPlayerBall* p = &s; p; p = p->getNext(), i++) {
            blinks[i] += p->getBlinkFrame() != before[i].first;
            if (p->getMood() == 2 && before[i].second / 1000 == 2) {
                laughSteps[i]++;
                laughFrames[i] += p->getMoodFrame() + 2000 != before[i].second;
            }
        }
    }
    int laughs = 0;
    for (int i = 0; i < 4; i++) {
        EXPECT_GT(blinks[i], 30) << "soldier " << i << " stopped blinking";
        if (laughSteps[i] < 200) continue;
        laughs++;
        EXPECT_GE(laughFrames[i] * 80, laughSteps[i] * 5 * 9 / 10) << "soldier " << i << " froze mid-laugh";
    }
    EXPECT_GT(laughs, 0) << "no soldier laughed for a second with this seed";
    for (int i = 0; i < 3; i++) s.removeSoldier();
}

TEST(Squad, CelebratingSoldiersHop) {
    testWorld w(40, 40);
    std::srand(9);
    cAmmo ammo;
    probeSoldier s(true);
    s.update(5, &w.map, nullptr, nullptr, nullptr);
    s.shoot(0, 0);
    s.beHappy();
    EXPECT_EQ(s.getJob(), 0);
    EXPECT_GE(s.jumpSpeed, 5.0f);
    EXPECT_LE(s.jumpSpeed, 7.0f);
    float ground = w.map.getHeight(s.x, s.y);
    float v = s.jumpSpeed;
    float top = ground;
    int landed = -1;
    for (int t = 1; t <= 400 && landed < 0; t++) {
        s.update(5, &w.map, &ammo, nullptr, nullptr);
        if (s.clock == 0) landed = t * 5;
        top = std::max(top, s.z);
    }
    // A hop of speed v lasts 2v/g seconds and rises v^2/2g.
    EXPECT_NEAR(landed, 2000.0f * v / 9.81f, 15.0f);
    EXPECT_NEAR(top - ground, v * v / (2 * 9.81f), 0.02f);
    EXPECT_EQ(s.z, ground);
    EXPECT_EQ(countBullets(ammo, 0), 0); // no firing while celebrating

    s.hurt(200.0f); // a late grenade: the dead sink instead of hopping on
    for (int t = 0; t < 500; t++) s.update(5, &w.map, &ammo, nullptr, nullptr);
    EXPECT_EQ(s.getDeadState(), 2);
    EXPECT_FLOAT_EQ(s.z, ground);
}

TEST(Squad, OnlyTheLeaderIsSeenWithinTwentyUnits) {
    testWorld w(80, 40);
    cEnemy enemies(nullptr);
    enemies.move(30.5f, 10.5f); // 20.0 from the leader
    enemies.addEnemy(31.0f, 10.5f); // 20.5 away
    cEnemy* far = enemies.getNext();
    far->setPlayerClose(true, false);

    probeSoldier follower(false, 10.5f, 10.5f);
    follower.update(5, &w.map, nullptr, &enemies, nullptr);
    EXPECT_FALSE(enemies.isPlayerClose());

    probeSoldier lead(true, 10.5f, 10.5f);
    lead.update(5, &w.map, nullptr, &enemies, nullptr);
    EXPECT_TRUE(enemies.isPlayerClose());
    EXPECT_FALSE(far->isPlayerClose());
}

} // namespace
