// Ball unit: start values, walking and the walk cycle, blinking, moods, life and the flash counter.
#include "units/cBall.h"

#include "assets/cMeshCont.h"
#include "world/cGameSetup.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

namespace {

// Opens the protected state that these tests set up and inspect.
struct probeBall : cBall {
    using cBall::advanceFlash;
    using cBall::animFrame;
    using cBall::bodyColour;
    using cBall::clock;
    using cBall::groundSpeed;
    using cBall::markMiniMap;
    using cBall::moveAngle;
    using cBall::nextRandomMood;
    using cBall::terrainKind;
    using cBall::waterSpeed;
    using cBall::x;
    using cBall::y;

    probeBall() {
        groundSpeed = 4.0f;
        waterSpeed = 2.0f;
        setWalkCycle(20, 99);
        move(10, 10);
    }
};

TEST(Ball, IdsAreUniqueAndColoursHaveOneStrongChannel) {
    std::srand(7);
    std::set<int> ids;
    for (int i = 0; i < 50; i++) {
        probeBall b;
        EXPECT_GE(b.getID(), 1);
        ids.insert(b.getID());
        int strong = 0, empty = 0;
        for (int k = 0; k < 3; k++) {
            strong += b.bodyColour[k] >= 200 / 255.0f;
            empty += b.bodyColour[k] == 0.0f;
        }
        EXPECT_EQ(strong, 1);
        EXPECT_GE(empty, 1);
    }
    EXPECT_EQ(ids.size(), 50u);
}

TEST(Ball, StepsAtTerrainSpeedAndLandsExactlyOnTarget) {
    probeBall b;
    b.moveTo(20, 10);
    EXPECT_TRUE(b.isMoving());
    EXPECT_FLOAT_EQ(b.moveAngle, 0.0f);
    b.stepTo(250); // 4 units a second on ground
    EXPECT_FLOAT_EQ(b.x, 11.0f);
    EXPECT_FLOAT_EQ(b.y, 10.0f);
    b.terrainKind = 1; // 2 units a second in water
    b.stepTo(500);
    EXPECT_FLOAT_EQ(b.x, 12.0f);
    b.terrainKind = 0;
    b.stepTo(5000); // would overshoot by far
    EXPECT_EQ(b.x, 20.0f);
    EXPECT_EQ(b.y, 10.0f);
    EXPECT_FALSE(b.isMoving());
    b.stepTo(-100); // a backwards tick neither moves nor breaks the unit
    EXPECT_EQ(b.x, 20.0f);
    b.moveTo(20, 10); // the same target again changes nothing
    EXPECT_FALSE(b.isMoving());
}

TEST(Ball, StuckOnTreeOrOutsideIsPutOntoTarget) {
    for (int kind : {2, 5}) {
        probeBall b;
        b.animFrame = 57;
        b.moveTo(30, 40);
        b.terrainKind = kind;
        b.stepTo(5);
        EXPECT_EQ(b.x, 30.0f);
        EXPECT_EQ(b.y, 40.0f);
        EXPECT_FALSE(b.isMoving());
        EXPECT_EQ(b.getAnimFrame(), 20);
    }
}

// Frames the walk cycle advances while the unit walks `distance` in ticks of `ms`.
long long framesWalked(int ms, float distance) {
    probeBall b;
    b.moveTo(10 + distance, 10);
    long long frames = 0;
    int prev = b.getAnimFrame();
    while (b.isMoving()) {
        b.stepTo(ms);
        int f = b.getAnimFrame();
        frames += f >= prev ? f - prev : f - prev + 79;
        prev = f;
    }
    return frames;
}

TEST(Ball, WalkCycleKeepsFractionsAndWrapsByItsSpan) {
    // 20 frames per unit: 5 units is 100 frames, whatever the tick length.
    for (int ms : {5, 20, 33}) EXPECT_NEAR(framesWalked(ms, 5.0f), 100, 1) << ms;
    // Taking 79 off until in range: 98 + 2 frames is 21, 98 + 80 is 99.
    for (auto [ms, frame] : {std::pair{25, 21}, {1000, 99}}) {
        probeBall b;
        b.animFrame = 98;
        b.moveTo(2000, 10);
        b.stepTo(ms);
        EXPECT_EQ(b.getAnimFrame(), frame) << ms;
    }
}

TEST(Ball, HeadWithoutAnimationHoldsFrameZero) {
    cMeshCont empty; // nothing loaded: the head has no frames, the cycle's range is empty
    probeBall b;
    b.setCont(nullptr, nullptr, &empty);
    EXPECT_EQ(b.getAnimFrame(), 0);
    b.moveTo(50, 10);
    for (int i = 0; i < 100; i++) b.stepTo(20);
    EXPECT_EQ(b.getAnimFrame(), 0);
    b.setWalkCycle(40, 30); // a reversed range must not spin either
    b.moveTo(10, 10);
    for (int i = 0; i < 100; i++) b.stepTo(20);
    EXPECT_EQ(b.getAnimFrame(), 40);
}

TEST(Ball, BlinkClosesAndOpensInTwentyMillisecondSteps) {
    std::srand(11);
    probeBall b;
    std::vector<std::pair<int, int>> changes; // (clock, frame)
    int frame = 0;
    for (int t = 0; t < 8000; t++) {
        b.update(1);
        if (b.getBlinkFrame() != frame) {
            frame = b.getBlinkFrame();
            changes.push_back({b.clock, frame});
        }
    }
    ASSERT_GE(changes.size(), 24u);
    EXPECT_LE(changes[0].first, 25);
    const int expected[12] = {1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1, 0};
    for (int i = 1; i < 12; i++) EXPECT_EQ(changes[i].first - changes[i - 1].first, 20);
    for (int i = 0; i < 12; i++) EXPECT_EQ(changes[i].second, expected[i]);
    int pause = changes[12].first - changes[11].first;
    EXPECT_GE(pause, 500);
    EXPECT_LT(pause, 3500);
}

TEST(Ball, MoodLengths) {
    probeBall b;
    b.nextRandomMood = -1;
    b.setMood(7, 0);
    EXPECT_EQ(b.getMood(), 0);
    b.update(100);
    EXPECT_EQ(b.getMood(), 0);

    std::srand(5);
    for (int trial = 0; trial < 20; trial++) {
        b.nextRandomMood = -1;
        b.setMood(1, -1);
        int shown = 0;
        for (; b.getMood() == 1; shown++) b.update(80);
        EXPECT_GE(shown, 10);
        EXPECT_LE(shown, 29);
    }

    b.nextRandomMood = -1;
    b.setMood(2, 150);
    int start = b.clock;
    while (b.getMood() == 2) {
        EXPECT_LE(b.getMoodFrame(), 150);
        b.update(10);
    }
    EXPECT_EQ(b.clock - start, 149 * 80); // 150 frames of 80 ms, the first at once
    EXPECT_GE(b.nextRandomMood, b.clock + 2000);
    EXPECT_LT(b.nextRandomMood, b.clock + 12000);
}

TEST(Ball, FirstRandomMoodShowsForOneTick) {
    int nonSmiles = 0;
    for (unsigned seed = 1; seed <= 20; seed++) {
        std::srand(seed);
        probeBall b;
        int when = b.nextRandomMood;
        EXPECT_GE(when, 2000);
        EXPECT_LT(when, 12000);
        while (b.nextRandomMood != -1) {
            EXPECT_EQ(b.getMood(), 0);
            b.update(10);
        }
        EXPECT_GE(b.clock, when);
        EXPECT_LT(b.clock, when + 10);
        if (b.getMood() == 0) continue; // a smile ends the chain
        nonSmiles++;
        b.update(10);
        EXPECT_EQ(b.getMood(), 0);
        EXPECT_NE(b.nextRandomMood, -1);
    }
    EXPECT_GT(nonSmiles, 0);
}

TEST(Ball, DeathRestartsTheClockAndLodStaysInRange) {
    probeBall b;
    for (int t = 0; t < 600000; t += 20) b.update(20); // ten minutes of play
    b.hurt(150);
    EXPECT_EQ(b.getLife(), 0.0f);
    EXPECT_EQ(b.getDeadState(), 1);
    EXPECT_EQ(b.clock, 0);
    b.heal(); // back at a restart: still blinks within the usual pause
    int firstBlink = -1;
    for (int t = 0; t < 4000 && firstBlink < 0; t += 5) {
        b.update(5);
        if (b.getBlinkFrame() != 0) firstBlink = b.clock;
    }
    EXPECT_GE(firstBlink, 0);
    for (int i = 0; i < 4; i++) b.lodInc();
    EXPECT_EQ(b.getLod(), 3);
    for (int i = 0; i < 5; i++) b.lodDec();
    EXPECT_EQ(b.getLod(), 0);
}

TEST(Ball, MuzzleFlashPattern) {
    probeBall b;
    EXPECT_FALSE(b.advanceFlash());
    b.fire(); // no sound set: silent, not a crash
    const bool expected[9] = {true, false, true, false, true, false, true, true, false};
    for (bool e : expected) EXPECT_EQ(b.advanceFlash(), e);
    EXPECT_FALSE(b.advanceFlash());
}

TEST(Ball, MiniMapMarkIsAPlusClippedToThePicture) {
    const sRGBA red(255, 0, 0, 255);
    cGameSetup gs;
    gs.miniMap.resize(8, 8);
    probeBall b;
    b.setGS(&gs);
    b.move(0.5f, 7.5f); // the top-left corner cell: two arms fall outside
    for (bool shown : {false, true}) {
        gs.showMiniMap = shown;
        b.markMiniMap(red);
        int painted = 0;
        for (int i = 0; i < 64; i++) painted += gs.miniMap.getBitmapS()[i] == red;
        EXPECT_EQ(painted, shown ? 3 : 0);
    }
    // Far off any map or at no place at all: nothing painted, not even pixel 0
    // of the unit's row or column.
    gs.miniMap.resize(8, 8);
    const float nan = std::nanf("");
    const std::pair<float, float> nowhere[] = {{1e30f, -1e30f}, {1e30f, 3.5f}, {3.5f, -1e30f}, {nan, 3.5f}, {3.5f, nan}};
    for (auto [x, y] : nowhere) {
        b.move(x, y);
        b.markMiniMap(red);
    }
    int painted = 0;
    for (int i = 0; i < 64; i++) painted += gs.miniMap.getBitmapS()[i] == red;
    EXPECT_EQ(painted, 0);
}

} // namespace

TEST(Ball, FacesKeepBlinkingAfterWeeksWithoutAHurt) {
    std::srand(5);
    probeBall b;
    for (int days = 0; days < 50; days += 10) {
        b.update(864000000);  // ten days on the unit's clock
        // A blink (twelve frame steps, 20 ms each) every 0.5 to 3.5 s.
        int changes = 0;
        for (int t = 0; t < 2000; t++) {  // 10 s
            const int before = b.getBlinkFrame();
            b.update(5);
            changes += b.getBlinkFrame() != before;
        }
        EXPECT_GE(changes, 24) << days + 10 << " days";
        EXPECT_LE(changes, 170) << days + 10 << " days";
    }
}
