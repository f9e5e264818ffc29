// cColision: bounds, last writer wins, resizing.
#include "world/cColision.h"

#include <gtest/gtest.h>

TEST(Colision, OutsideAnswersMinusOneAndIgnoresWrites) {
    cColision c;
    c.resize(4, 3);
    for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {-100000, 100000}}) {
        EXPECT_EQ(c.getObject(x, y), -1);
        c.putObject(x, y, 7, 0);
    }
    c.putObject(1, 1, 7, 2); // any radius but 0 changes nothing
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 4; x++) EXPECT_EQ(c.getObject(x, y), 0);
}

TEST(Colision, LastWriterWinsClearAndResizeEmpty) {
    cColision c;
    EXPECT_EQ(c.getWidth(), 1);
    c.resize(4, 3);
    c.putObject(3, 2, 5, 0);
    c.putObject(3, 2, 9, 0);
    c.putObject(0, 2, 1, 0);
    EXPECT_EQ(c.getObject(3, 2), 9);
    EXPECT_EQ(c.getObject(0, 2), 1);
    EXPECT_EQ(c.getObject(2, 2), 0);
    c.removeObject(3, 2, 0);
    EXPECT_EQ(c.getObject(3, 2), 0);
    c.clear();
    EXPECT_EQ(c.getObject(0, 2), 0);
    c.putObject(1, 1, 3, 0);
    c.resize(0, 5); // an invalid side keeps the old one
    EXPECT_EQ(c.getWidth(), 4);
    EXPECT_EQ(c.getHeight(), 5);
    EXPECT_EQ(c.getObject(1, 1), 0);
    EXPECT_EQ(c.getObject(3, 4), 0);
    c.dispose();
    c.dispose();
    EXPECT_EQ(c.getObject(0, 0), -1);
    c.putObject(0, 0, 1, 0);
    c.clear();
}
