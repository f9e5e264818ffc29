// Main menu: slide timing, the messages it sends, and its four nested hit boxes. HUD widget arithmetic:
// panel counts and life bars, the frame counter's windows, the ground marker. Math helpers: the angle
// convention, vector products and colours from floats.
#include "shell/globals.h"
#include "ui/DrawPlayer.h"
#include "ui/cFPS.h"
#include "ui/cMenu.h"
#include "ui/cUI.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

namespace {

struct Owner : iMenu {
    std::vector<int> messages;
    void msgMenu(int message) override { messages.push_back(message); }
};

struct MenuTest : ::testing::Test {
    Owner owner;
    cMenu menu;

    void SetUp() override { menu.setOwner(&owner); }
    int hoverAt(int x, int y) {
        menu.onPassiveMotion(0, x, y, 0, 0);
        return menu.getHover();
    }
};

} // namespace

TEST_F(MenuTest, SlideTimingAndTheStartMessage) {
    // hide: the anchor already stands at -150, so the first tick with time ends it.
    menu.hide();
    menu.update(0);
    EXPECT_TRUE(owner.messages.empty());
    menu.update(5);
    EXPECT_EQ(std::pair(menu.getState(), owner.messages), std::pair(int(cMenu::HIDDEN), std::vector<int>{0}));
    // Only a first tick that carries the anchor past the centre brings it in to stay.
    menu.show();
    menu.update(INT_MAX);
    EXPECT_EQ(menu.getState(), cMenu::SHOWN);
    menu.update(5);
    EXPECT_EQ(std::pair(menu.getX(), menu.getY()), std::pair(400, 300));
    menu.resize(1024, 768);
    EXPECT_EQ(menu.getX(), -150);
    menu.update(5);
    EXPECT_EQ(std::pair(menu.getX(), owner.messages.size()), std::pair(512, size_t(1)));
}

TEST_F(MenuTest, HitBoxesAreNestedBandsAroundTheAnchorOnlyWhenShownAndClicksActOnTheBoxUnderThem) {
    for (int y = 0; y < 600; y += 7)
        for (int x = 0; x < 800; x += 7) ASSERT_EQ(hoverAt(x, y), 0) << x << "," << y;
    menu.onMouseClick(1, 0, 0);
    EXPECT_TRUE(owner.messages.empty());
    menu.show();
    menu.update(1000);
    struct { int x, y, hover; } cases[] = {
        {300, 200, 1}, {530, 223, 1}, {299, 210, 0}, {400, 199, 0}, {530, 224, 4},
        {300, 273, 4}, {300, 274, 0}, {323, 274, 3}, {507, 323, 3}, {508, 300, 0},
        {346, 324, 2}, {484, 373, 2}, {485, 373, 0}, {346, 374, 0},
    };
    for (auto c : cases) EXPECT_EQ(hoverAt(c.x, c.y), c.hover) << c.x << "," << c.y;

    // A pointer last seen over "Quit" (a slide-out can leave it there) must not
    // make a click elsewhere end the game.
    hoverAt(400, 250);
    menu.onMouseClick(1, 700, 500);
    menu.onMouseClick(0, 700, 500);
    EXPECT_TRUE(owner.messages.empty());
    // Press and release both act, each on the box under its own position.
    hoverAt(700, 500);
    menu.onMouseClick(1, 400, 210);
    menu.onMouseClick(0, 400, 250);
    for (int y : {300, 350, 0}) menu.onMouseClick(1, 400, y);
    EXPECT_EQ(owner.messages, (std::vector<int>{2, 1}));
}

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

TEST(Globals, AnglesVectorsAndColoursFollowTheGamesConventions) {
    for (auto [x, y, angle] : {std::tuple{0.f, 0.f, 0.f}, {1.f, 0.f, 0.f}, {0.f, 1.f, float(M_PI / 2)},
                               {0.f, -1.f, float(-M_PI / 2)}, {-1.f, 0.f, float(M_PI)}})
        EXPECT_FLOAT_EQ(getAngle(x, y, 0, 0), angle) << x << "," << y;
    // The vector product keeps its odd middle sign.
    const sVector c = sVector(1, 2, 3) * sVector(4, 5, 6);
    EXPECT_EQ(std::tuple(c.x, c.y, c.z), std::tuple(-3.0f, -6.0f, -3.0f));
    const sVector z = sVector(1, 2, 3) / 0.0f;
    EXPECT_EQ(z.x * z.x + z.y * z.y + z.z * z.z, 0.0f);
    sVector zero;
    zero.normalize();
    EXPECT_EQ(zero.length(), 0.0f);
    // Colours from floats truncate.
    float parts[4] = {0.5f, 1.0f, 0.999f, 0.0f};
    sRGBA colour;
    colour.set(parts);
    EXPECT_EQ(colour, sRGBA(127, 255, 254, 0));
}
