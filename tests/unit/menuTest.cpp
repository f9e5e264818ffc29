// Main menu: slide timing, the messages it sends, and its four nested hit boxes.
#include "ui/cMenu.h"

#include <gtest/gtest.h>

#include <climits>
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
