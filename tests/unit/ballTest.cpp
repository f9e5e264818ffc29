// Ball unit: walking and the walk cycle, blinking, moods, death, the muzzle flash and the minimap mark.
#include "units/cBall.h"

#include "assets/cMeshCont.h"
#include "world/cGameSetup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

// Opens the protected state that these tests set up and inspect.
struct probeBall : cBall {
    using cBall::advanceFlash, cBall::animFrame, cBall::clock, cBall::markMiniMap, cBall::moveAngle;
    using cBall::nextRandomMood, cBall::terrainKind, cBall::x, cBall::y;

    probeBall() {
        groundSpeed = 4.0f;
        waterSpeed = 2.0f;
        setWalkCycle(20, 99);
        move(10, 10);
    }
    // Ticks of `ms` until the blink frame has changed `n` times; answers the clock at each change.
    std::vector<int> blinkChanges(int ms, int n, std::vector<int>* frames = nullptr) {
        std::vector<int> at;
        for (int frame = getBlinkFrame(), t = 0; int(at.size()) < n && t < 100000; t++) {
            update(ms);
            if (getBlinkFrame() == frame) continue;
            at.push_back(clock);
            frame = getBlinkFrame();
            if (frames) frames->push_back(frame);
        }
        return at;
    }
};

TEST(Ball, StepsAtTerrainSpeedAndLandsExactlyOnTarget) {
    probeBall b;
    b.moveTo(20, 10);
    EXPECT_FLOAT_EQ(b.moveAngle, 0.0f); // the models face the walk
    b.stepTo(250); // 4 units a second on ground
    EXPECT_FLOAT_EQ(b.x, 11.0f);
    b.terrainKind = 1; // 2 in water
    b.stepTo(500);
    EXPECT_FLOAT_EQ(b.x, 12.0f);
    b.terrainKind = 0;
    b.stepTo(5000); // would overshoot by far
    EXPECT_EQ(std::tuple(b.x, b.y, b.isMoving()), std::tuple(20.0f, 10.0f, false));
    b.stepTo(-100); // a backwards tick neither moves nor breaks the unit
    b.moveTo(20, 10);
    b.stepTo(100); // standing on the ground: the first walk frame, no treading
    EXPECT_EQ(b.getAnimFrame(), 20);
}

TEST(Ball, WalkCycleKeepsFractionsAndWrapsByItsSpan) {
    // 20 frames per unit: 5 units is 100 frames, whatever the tick length.
    for (int ms : {5, 20, 33}) {
        probeBall b;
        b.moveTo(15, 10);
        long long frames = 0;
        for (int prev = b.getAnimFrame(); b.isMoving(); prev = b.getAnimFrame()) {
            b.stepTo(ms);
            frames += (b.getAnimFrame() - prev + 79) % 79;
        }
        EXPECT_NEAR(frames, 100, 1) << ms;
    }
    // Taking 79 off until in range: 98 + 2 frames is 21, 98 + 80 is 99.
    for (auto [ms, frame] : {std::pair{25, 21}, {1000, 99}}) {
        probeBall b;
        b.animFrame = 98;
        b.moveTo(2000, 10);
        b.stepTo(ms);
        EXPECT_EQ(b.getAnimFrame(), frame) << ms;
    }
    // A head without frames, or a reversed range, holds its first frame instead of spinning.
    cMeshCont empty;
    probeBall b;
    b.setCont(nullptr, nullptr, &empty);
    for (int expected : {0, 40}) {
        if (expected == 40) b.setWalkCycle(40, 30);
        b.moveTo(b.x > 30 ? 10 : 50, 10);
        for (int i = 0; i < 100; i++) b.stepTo(20);
        EXPECT_EQ(b.getAnimFrame(), expected);
    }
}

TEST(Ball, BlinksInTwentyMillisecondStepsAfterWeeksAndAfterADeath) {
    probeBall b;
    std::vector<int> frames;
    const std::vector<int> at = b.blinkChanges(1, 13, &frames);
    ASSERT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1, 0, 1}));
    EXPECT_LE(at[0], 25);
    for (int i = 1; i < 12; i++) EXPECT_EQ(at[i] - at[i - 1], 20);
    EXPECT_TRUE(at[12] - at[11] >= 500 && at[12] - at[11] < 3500) << at[12] - at[11];
    // A clock that has run for weeks must not stop the blinking.
    for (int days = 10; days <= 50; days += 10) {
        b.update(864000000);
        const std::vector<int> late = b.blinkChanges(5, 24);
        ASSERT_EQ(late.size(), 24u) << days << " days";
        EXPECT_LE(late.back() - late.front(), 10000) << days << " days";
    }
    b.hurt(150);
    EXPECT_EQ(b.clock, 0); // the sinking is timed from the death
    b.heal(); // back at a restart: still blinks within the usual pause
    EXPECT_EQ((std::pair{b.blinkChanges(5, 1).empty(), b.clock < 4000}), std::pair(false, true)) << b.clock;
}

TEST(Ball, UnknownMoodMuzzleFlashAndMiniMapMark) {
    probeBall b;
    b.nextRandomMood = -1;
    b.setMood(7, 0); // no such mood: a smile
    b.update(100);
    EXPECT_EQ(b.getMood(), 0);

    EXPECT_FALSE(b.advanceFlash());
    b.fire(); // no sound set: silent, not a crash
    for (bool e : {true, false, true, false, true, false, true, true, false, false}) EXPECT_EQ(b.advanceFlash(), e);

    // The mark is a plus clipped to the picture: the corner cell loses two arms; far
    // off any map or at no place at all nothing is painted, not even pixel 0.
    const sRGBA red(255, 0, 0, 255);
    cGameSetup gs;
    b.setGS(&gs);
    const float nan = std::nanf("");
    const struct { float x, y; bool shown; int painted; } cases[] = {
        {0.5f, 7.5f, false, 0}, {0.5f, 7.5f, true, 3}, {1e30f, -1e30f, true, 0}, {1e30f, 3.5f, true, 0},
        {3.5f, -1e30f, true, 0}, {nan, 3.5f, true, 0}, {3.5f, nan, true, 0},
    };
    for (const auto& c : cases) {
        gs.miniMap.resize(8, 8);
        gs.showMiniMap = c.shown;
        b.move(c.x, c.y);
        b.markMiniMap(red);
        int painted = 0;
        for (int i = 0; i < 64; i++) painted += gs.miniMap.getBitmapS()[i] == red;
        EXPECT_EQ(painted, c.painted) << c.x << "," << c.y;
    }
}

} // namespace
