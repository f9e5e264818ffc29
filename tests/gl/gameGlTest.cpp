// cGame with real screens: the state machine, input routing and the reshape's
// projection stack, over a content folder of two small generated maps.
#include "shell/cGame.h"

#include "assets/cBitmap.h"
#include "level/cLevel.h"
#include "ui/cConsole.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr uint8_t kMiddle = 2;

// A 32 x 32 field with the squad's start and one enemy.
void writeMap(const fs::path& file) {
    cBitmap map(32, 32);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) map.setColor(x, y, 120, 160, 90, 255);
    map.setColor(5, 5, 0, 255, 0, 255);
    map.setColor(25, 25, 255, 0, 0, 255);
    ASSERT_TRUE(map.saveToFile(file.string()));
}

class Game : public ::testing::Test {
protected:
    void SetUp() override {
        home = fs::current_path();
        dir = fs::temp_directory_path() / ("orbix-game-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "maps");
        writeMap(dir / "maps" / "01-first.bmp");
        writeMap(dir / "maps" / "02-second.bmp");
        fs::current_path(dir);
        game = std::make_unique<cGame>();
        ASSERT_TRUE(game->init());
        game->onReshape(800, 600);
    }
    void TearDown() override {
        game.reset();
        fs::current_path(home);
        fs::remove_all(dir);
    }

    // Ticks (and draws, which ends a level's intro) until the controller is
    // in a level again; the menu passes on by itself after a few ticks.
    cLevel* runUntilLevel() {
        for (int i = 0; i < 500 && game->getState() != cGame::kLevel; i++) frame(10);
        return game->getLevel();
    }
    void frame(int ms) {
        game->onUpdate(ms);
        game->onDisplay();
    }
    // Ticks until the level reaches the state (1 playing, 5 won, ...).
    void runUntilLevelState(int s) {
        for (int i = 0; i < 500 && game->getLevel() && game->getLevel()->getState() != s; i++) frame(20);
        ASSERT_TRUE(game->getLevel());
        ASSERT_EQ(game->getLevel()->getState(), s);
    }
    void tap(unsigned char key) {
        game->onKeyboard(key);
        game->onKeyboardUp(key);
    }

    fs::path home, dir;
    std::unique_ptr<cGame> game;
};

}  // namespace

TEST_F(Game, MenuPassesOnToTheLevelsInOrderAndBackToTheFirst) {
    EXPECT_EQ(game->getState(), cGame::kMenu);
    EXPECT_TRUE(game->isInMenu());
    cLevel* first = runUntilLevel();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getLevelNumber(), 1);
    EXPECT_FALSE(game->isInMenu());

    // The middle button with another one is a click for the level.
    game->onMouseClick(1 | kMiddle, 400, 300);
    game->onMouseClick(0, 400, 300);
    EXPECT_EQ(game->getState(), cGame::kLevel);
    // Alone it returns to the menu, and the next start takes the next level.
    game->onMouseClick(kMiddle, 400, 300);
    EXPECT_EQ(game->getState(), cGame::kMenu);
    EXPECT_EQ(game->getLevel(), first);
    game->onMouseClick(0, 400, 300);
    cLevel* second = runUntilLevel();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->getLevelNumber(), 2);

    // Past the end of the list, play starts over at the first level.
    game->onMouseClick(kMiddle, 400, 300);
    game->onMouseClick(0, 400, 300);
    for (int i = 0; i < 500 && game->getLevel() != first; i++) frame(10);
    EXPECT_EQ(game->getLevel(), first);
}

TEST_F(Game, WinningCarriesAmmunitionOverAndEscapeReturnsToTheFirstLevel) {
    cLevel* first = runUntilLevel();
    ASSERT_NE(first, nullptr);
    runUntilLevelState(1);
    tap('w');  // remove the only enemy: the level is won
    runUntilLevelState(5);
    const int grenades = first->getGrenadesCount(), rockets = first->getRocketsCount();
    tap(13);
    for (int i = 0; i < 50 && game->getLevel() == first; i++) frame(20);
    cLevel* second = game->getLevel();
    ASSERT_NE(second, first);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(game->getState(), cGame::kLevel);
    EXPECT_EQ(second->getGrenadesCount(), grenades);
    EXPECT_EQ(second->getRocketsCount(), rockets);

    runUntilLevelState(1);
    tap(27);
    frame(20);
    EXPECT_EQ(game->getState(), cGame::kMenu);
    EXPECT_EQ(runUntilLevel(), first);
}

TEST_F(Game, KeysAreFoldedAndHeldKeysStayHeldUnderTheConsole) {
    ASSERT_NE(runUntilLevel(), nullptr);
    game->onKeyboard('A');
    EXPECT_TRUE(game->getKeys().isKey('a'));
    game->onKeyboardUp('a');
    EXPECT_FALSE(game->getKeys().isKey('a'));

    cConsole* console = game->getConsole();
    ASSERT_NE(console, nullptr);
    game->onKeyboard('1');
    tap('`');
    EXPECT_TRUE(console->isActive());
    // A release while the console is open is dropped: the key stays held.
    game->onKeyboardUp('1');
    EXPECT_TRUE(game->getKeys().isKey('1'));
    // Typed keys go to the console only.
    game->onKeyboard('z');
    EXPECT_FALSE(game->getKeys().isKey('z'));
    game->onKeyboardUp('z');
    tap('~');
    EXPECT_FALSE(console->isActive());
    game->onKeyboardUp('1');
    EXPECT_FALSE(game->getKeys().isKey('1'));
}

TEST_F(Game, ReleaseOfAKeyTheConsoleTookNeverReachesTheLevel) {
    cLevel* level = runUntilLevel();
    ASSERT_NE(level, nullptr);
    runUntilLevelState(1);
    const bool fov = level->getFov();
    cConsole* console = game->getConsole();
    tap('`');
    ASSERT_TRUE(console->isActive());

    // 'm' (the level's view-culling toggle) typed into the console, released
    // only after the console was closed.
    game->onKeyboard('m');
    tap('`');
    ASSERT_FALSE(console->isActive());
    game->onKeyboardUp('m');
    EXPECT_EQ(level->getFov(), fov);

    // Later keys reach the level again.
    tap('m');
    EXPECT_NE(level->getFov(), fov);

    // "close" + Enter hides the console on the press; on the success screen
    // the Enter release would advance the level, so it must not get there.
    tap('w');
    runUntilLevelState(5);
    tap('`');
    ASSERT_TRUE(console->isActive());
    tap(8);  // the 'm' is still on the command line
    for (const char* c = "close"; *c; c++) tap(static_cast<unsigned char>(*c));
    game->onKeyboard(13);
    EXPECT_FALSE(console->isActive());
    game->onKeyboardUp(13);
    EXPECT_EQ(level->getState(), 5);
    tap(13);
    EXPECT_EQ(level->getState(), 6);
}

TEST_F(Game, ReshapeKeepsExactlyOneSavedPerspective) {
    const int sizes[][2] = {{640, 480}, {0, 0}, {300, 0}, {0, 200}, {1024, 768}, {1, 1}, {1280, 720}};
    for (int round = 0; round < 10; round++)
        for (auto& s : sizes) game->onReshape(s[0], s[1]);
    EXPECT_EQ(game->getWidth(), 1280);
    EXPECT_EQ(game->getHeight(), 720);
    glMatrixMode(GL_PROJECTION);
    GLint depth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 2);

    // The saved copy below is the perspective of the last size.
    glPopMatrix();
    GLdouble saved[16], expected[16];
    glGetDoublev(GL_PROJECTION_MATRIX, saved);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(45.0, 1280.0 / 720.0, 1.0, 1000.0);
    glGetDoublev(GL_PROJECTION_MATRIX, expected);
    glPopMatrix();
    glPushMatrix();
    for (int i = 0; i < 16; i++) EXPECT_NEAR(saved[i], expected[i], 1e-6) << i;

    game->onReshape(0, 0);
    EXPECT_EQ(game->getWidth(), 1);
    EXPECT_EQ(game->getHeight(), 1);
    // A frame in a level leaves the stack as it found it.
    ASSERT_NE(runUntilLevel(), nullptr);
    frame(10);
    glMatrixMode(GL_PROJECTION);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 2);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
