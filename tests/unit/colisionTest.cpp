// cColision: bounds, last writer wins, clearing and freeing.
#include "world/cColision.h"

#include <gtest/gtest.h>

TEST(Colision, KeepsTheLastWriterInsideAndAnswersMinusOneOutside) {
    cColision c;
    c.resize(4, 3);
    for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {-100000, 100000}}) {
        c.putObject(x, y, 7, 0);
        EXPECT_EQ(c.getObject(x, y), -1) << x << "," << y;
    }
    c.putObject(1, 1, 7, 2); // any radius but 0 changes nothing
    EXPECT_EQ(c.getObject(1, 1), 0);
    // Every corner holds its own writer's id (a wrong row or column stride shows here).
    for (auto [x, y, id] : {std::tuple{3, 2, 5}, {3, 2, 9}, {0, 2, 1}, {3, 0, 4}})
        c.putObject(x, y, id, 0);
    for (auto [x, y, id] : {std::tuple{3, 2, 9}, {0, 2, 1}, {3, 0, 4}, {2, 2, 0}, {0, 0, 0}})
        EXPECT_EQ(c.getObject(x, y), id) << x << "," << y;
    c.removeObject(3, 2, 0);
    EXPECT_EQ(c.getObject(3, 2), 0);
    c.clear();
    EXPECT_EQ(c.getObject(0, 2), 0);
    c.dispose();  // the destructor disposes once more
    EXPECT_EQ(c.getObject(0, 0), -1);
    c.putObject(0, 0, 1, 0); // no cells: a harmless no-op
}
