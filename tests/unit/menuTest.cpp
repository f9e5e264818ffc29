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

    void openFully() {
        menu.show();
        menu.update(1000);
        ASSERT_EQ(menu.getState(), cMenu::SHOWN);
    }
    int hoverAt(int x, int y) {
        menu.onPassiveMotion(0, x, y, 0, 0);
        return menu.getHover();
    }
};

} // namespace

TEST_F(MenuTest, HideEndsOnTheFirstTickWithTime) {
    EXPECT_EQ(menu.getState(), cMenu::HIDDEN);
    EXPECT_EQ(menu.getX(), -150);
    EXPECT_EQ(menu.getY(), 300);
    menu.hide();
    menu.update(0);
    EXPECT_EQ(menu.getState(), cMenu::SLIDING_OUT);
    EXPECT_TRUE(owner.messages.empty());
    menu.update(5);
    EXPECT_EQ(menu.getState(), cMenu::HIDDEN);
    EXPECT_EQ(owner.messages, std::vector<int>{0});
    menu.update(5);
    EXPECT_EQ(menu.getX(), -150);
    EXPECT_EQ(owner.messages.size(), 1u);
}

TEST_F(MenuTest, ShowWithShortTicksPassesStraightOn) {
    menu.show();
    menu.update(5);
    EXPECT_EQ(menu.getState(), cMenu::SLIDING_OUT);
    EXPECT_EQ(menu.getX(), -145);
    menu.update(5);
    EXPECT_TRUE(owner.messages.empty());
    menu.update(5);
    EXPECT_EQ(menu.getState(), cMenu::HIDDEN);
    EXPECT_EQ(owner.messages, std::vector<int>{0});
}

TEST_F(MenuTest, ALongFirstTickBringsItInAndItStays) {
    menu.show();
    menu.update(550);
    EXPECT_EQ(menu.getState(), cMenu::SLIDING_OUT);
    menu.show();
    menu.update(551);
    EXPECT_EQ(menu.getState(), cMenu::SHOWN);
    EXPECT_EQ(menu.getX(), 400);
    menu.update(100000);
    EXPECT_EQ(menu.getX(), 400);
    EXPECT_EQ(menu.getY(), 300);
    EXPECT_TRUE(owner.messages.empty());

    menu.show();
    menu.update(INT_MAX);
    EXPECT_EQ(menu.getX(), 400);
    menu.hide();
    menu.update(INT_MAX);
    EXPECT_EQ(menu.getState(), cMenu::HIDDEN);
}

TEST_F(MenuTest, ResizeSendsTheAnchorOffScreenUntilTheNextTick) {
    openFully();
    menu.resize(1024, 768);
    EXPECT_EQ(menu.getX(), -150);
    EXPECT_EQ(menu.getY(), 384);
    menu.update(5);
    EXPECT_EQ(menu.getX(), 512);
    EXPECT_EQ(menu.getY(), 384);
}

TEST_F(MenuTest, HitBoxesAreNestedBandsAroundTheAnchor) {
    openFully();
    EXPECT_EQ(hoverAt(300, 200), 1);
    EXPECT_EQ(hoverAt(530, 223), 1);
    EXPECT_EQ(hoverAt(299, 210), 0);
    EXPECT_EQ(hoverAt(531, 210), 0);
    EXPECT_EQ(hoverAt(400, 199), 0);
    EXPECT_EQ(hoverAt(530, 224), 4);
    EXPECT_EQ(hoverAt(300, 273), 4);
    EXPECT_EQ(hoverAt(300, 274), 0);
    EXPECT_EQ(hoverAt(323, 274), 3);
    EXPECT_EQ(hoverAt(507, 323), 3);
    EXPECT_EQ(hoverAt(508, 300), 0);
    EXPECT_EQ(hoverAt(346, 324), 2);
    EXPECT_EQ(hoverAt(484, 373), 2);
    EXPECT_EQ(hoverAt(485, 373), 0);
    EXPECT_EQ(hoverAt(346, 374), 0);
}

TEST_F(MenuTest, NothingIsHitWhileTheAnchorIsOffScreen) {
    for (int y = 0; y < 600; y += 7)
        for (int x = 0; x < 800; x += 7) ASSERT_EQ(hoverAt(x, y), 0) << x << "," << y;
    menu.onMouseClick(1, 0, 0);
    EXPECT_TRUE(owner.messages.empty());
}

TEST_F(MenuTest, ClicksActOnTheLastHoveredBox) {
    openFully();
    hoverAt(400, 210);
    menu.onMouseClick(1, 0, 0);
    EXPECT_EQ(owner.messages, std::vector<int>{2});
    hoverAt(400, 250);
    // Press and release both arrive; the pointer position is not looked at.
    menu.onMouseClick(1, 700, 500);
    menu.onMouseClick(0, 700, 500);
    EXPECT_EQ(owner.messages, (std::vector<int>{2, 1, 1}));
    hoverAt(400, 300);
    menu.onMouseClick(4, 400, 300);
    hoverAt(400, 350);
    menu.onMouseClick(1, 400, 350);
    hoverAt(0, 0);
    menu.onMouseClick(1, 400, 210);
    EXPECT_EQ(owner.messages.size(), 3u);
}

TEST(Menu, WithoutAnOwnerMessagesAreDropped) {
    cMenu menu;
    menu.hide();
    menu.update(5);
    EXPECT_EQ(menu.getState(), cMenu::HIDDEN);
    menu.show();
    menu.update(1000);
    menu.onPassiveMotion(0, 400, 210, 0, 0);
    menu.onMouseClick(1, 400, 210);
    menu.render();
    EXPECT_EQ(menu.getHover(), 1);
}
