// Console command set without a display: the help tables' sizes and a controller that has no console.
#include "shell/cGame.h"

#include <gtest/gtest.h>

TEST(Commands, HelpTablesEndAtTheirTerminators) {
    EXPECT_EQ(cGame::commandsCount(), 8);
    EXPECT_EQ(cGame::controlsCount(), 32);
}

TEST(Commands, WithoutAConsoleALineIsIgnored) {
    cGame game;
    ASSERT_EQ(game.getConsole(), nullptr);
    game.consoleCmd();
    EXPECT_EQ(game.getConsole(), nullptr);
    EXPECT_EQ(game.getLevel(), nullptr);
}
