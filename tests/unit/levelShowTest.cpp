// The campaign's record of tree puffs, hit flashes and falls, each gone after its time.
#include "levelTestMaps.h"
#include "units/cBall.h"

#include <string>
#include <vector>

namespace {
// Open ground with a wall of trees across column 20; the squad west of it, an enemy far east.
std::vector<sMapMark> wallMap() {
    std::vector<sMapMark> marks{{6, 24, kSquadMark}, {44, 44, kEnemyMark}};
    for (int y = 0; y < 48; y++) marks.push_back({20, y, kTreeMark});
    return marks;
}

}  // namespace

using LevelShowTest = LevelTest;

TEST_F(LevelShowTest, TreeHitsHitsAndFallsAreRecordedInTheCampaignAloneAndExpire) {
    for (bool inCampaign : {false, true}) {
        SCOPED_TRACE(inCampaign);
        level.setPlayRules({.campaign = inCampaign});
        build(wallMap());
        level.setGodMode(false);  // a new level starts in god mode
        const cLevelShow& show = level.getShow();
        cPlayerBall* lead = level.getSquad();

        // A squad bullet eastwards (50 units a second) stops on the wall, where it enters column 20.
        level.getAmmo().addBullet(lead->getX() + 2, lead->getY(), 0, 50.0f, 0);
        play(400);
        if (inCampaign) {
            ASSERT_EQ(show.getPuffs().size(), 1u);
            EXPECT_NEAR(show.getPuffs()[0].x, 20.0f, 0.01f);
            EXPECT_NEAR(show.getPuffs()[0].y, lead->getY(), 0.5f);
        }
        play(static_cast<int>(cLevelShow::puffMs) + 100);
        EXPECT_TRUE(show.getPuffs().empty());

        // An enemy bullet in the leader's cell hurts whoever of the squad holds it:
        // he flashes, for a moment.
        level.getAmmo().addBullet(lead->getX(), lead->getY(), 0, 0.1f, 1);
        play(cLevel::stepMs);
        ASSERT_EQ(show.getHits().size(), inCampaign ? 1u : 0u);
        if (inCampaign) {
            const std::string hitName = show.getHits()[0].name;
            bool hurt = false;
            for (const cPlayerBall* s = level.getSquad(); s != nullptr; s = s->getNext())
                hurt = hurt || (s->getName() == hitName && s->getLife() < 100.0f);
            EXPECT_TRUE(hurt) << hitName;
            EXPECT_TRUE(show.isFlashing(hitName, level.getLevelTime()));
            play(static_cast<int>(cLevelShow::flashMs) + 50);
            EXPECT_FALSE(show.isFlashing(hitName, level.getLevelTime()));
        }

        // A soldier killed falls at the next tick, with his name and place.
        cPlayerBall* victim = lead->getNext();
        const std::string victimName = victim->getName();
        static_cast<cBall*>(victim)->hurt(1000.0f);
        play(cLevel::stepMs);
        if (inCampaign) {
            ASSERT_EQ(show.getFalls().size(), 1u);
            EXPECT_EQ(show.getFalls()[0].name, victimName);
            EXPECT_EQ(show.getFalls()[0].x, victim->getX());
        } else {
            EXPECT_TRUE(show.getFalls().empty());
        }
        play(static_cast<int>(cLevelShow::markMs) + 100);
        EXPECT_TRUE(show.getFalls().empty() && show.getHits().empty());
    }
}

TEST(LevelShow, AHitAgainRestartsTheFlashAndEachKindKeepsItsOwnTime) {
    cLevelShow show;
    show.addHit("Ann", 0);
    show.addHit("Ann", 100);
    EXPECT_EQ(std::tuple(show.getHits().size(), show.isFlashing("Ann", 200), show.isFlashing("Bob", 200)), std::tuple(1u, true, false));
    show.addPuff(1, 2, 100);
    show.addFall("Bob", 3, 4, 100);
    show.expire(100 + cLevelShow::puffMs);
    EXPECT_EQ(std::tuple(show.getPuffs().size(), show.getHits().size(), show.getFalls().size()), std::tuple(0u, 0u, 1u));
    show.expire(100 + cLevelShow::markMs);
    EXPECT_TRUE(show.getFalls().empty());
}
