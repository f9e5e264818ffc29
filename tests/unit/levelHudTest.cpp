// HUD widget arithmetic: panel counts and life bars, the frame counter's windows, the ground marker.
#include "ui/DrawPlayer.h"
#include "ui/cFPS.h"
#include "ui/cUI.h"

#include <gtest/gtest.h>

#include <utility>

TEST(LevelHud, CountsShowAFullSquadsHundredAndLifeBarsMarkFallenBelowOnePoint) {
    char text[4];
    for (auto [n, shown] : {std::pair{100, "100"}, {99, "99"}, {5000, "999"}, {-3, " 0"}, {7, " 7"}}) {
        cUI::formatCount(n, text);
        EXPECT_STREQ(text, shown) << n;
    }
    for (auto [life, bar] : {std::pair{100.0f, 100}, {250.0f, 100}, {0.5f, 0}, {-20.0f, 0}, {42.9f, 42}})
        EXPECT_EQ(cUI::lifeBar(life), bar) << life;
}

TEST(LevelHud, FrameCounterDoublesEachHalfSecondWindow) {
    cFPS fps;
    for (int i = 1; i <= 4; i++) fps.count(i * 130);
    EXPECT_EQ(std::pair(fps.getFPS(), fps.isGood()), std::pair(8u, false));
    for (int i = 1; i <= 60; i++) fps.count(520 + i * 500 / 60);
    EXPECT_EQ(std::pair(fps.getFPS(), fps.isGood()), std::pair(120u, true));
}

TEST(GroundMarker, TurnsForEverWithinOneCircle) {
    EXPECT_FLOAT_EQ(nextMarkerAngle(0.0f, 5), 2.5f);
    EXPECT_FLOAT_EQ(nextMarkerAngle(358.0f, 5), 0.5f);
    // About 28 hours at 240 frames a second; an unwrapped float stops turning there.
    float angle = 0.0f;
    for (int i = 0; i < 1000; i++) angle = nextMarkerAngle(angle, 5);
    const float far = nextMarkerAngle(angle, 24192000);
    EXPECT_GE(far, 0.0f);
    EXPECT_LT(far, 360.0f);
    EXPECT_NE(nextMarkerAngle(far, 5), far);
}
