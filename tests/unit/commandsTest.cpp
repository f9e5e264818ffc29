// Console command set without a display: the help tables end where their terminators stand.
#include "shell/cGame.h"

#include <gtest/gtest.h>

TEST(Commands, HelpTablesEndAtTheirTerminators) {
    EXPECT_EQ(cGame::commandsCount(), 8);
    EXPECT_EQ(cGame::controlsCount(), 32);
}
