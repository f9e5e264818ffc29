// Console text side: layout, typing, parsing, the output ring, resizing and the slide.
#include "ui/cConsole.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Records what the console hands over, the way the controller reads it back.
struct Owner : iConsole {
    cConsole* con = nullptr;
    int calls = 0;
    std::string cmd;
    int count = -1;
    std::string params[4];
    std::string cmdLineSeen;
    int cmdPosSeen = -1;

    void consoleCmd() override {
        ++calls;
        char buf[128];
        con->getCmd(buf, sizeof buf);
        cmd = buf;
        count = con->getParamCount();
        for (int i = 0; i < 4; ++i) {
            con->getParam(buf, sizeof buf, i + 1);
            params[i] = buf;
        }
        cmdLineSeen = con->getRow(0);
        cmdPosSeen = con->getCmdPos();
    }
};

struct ConsoleTest : ::testing::Test {
    Owner owner;
    cConsole con{&owner, 800, 600};

    void SetUp() override { owner.con = &con; }

    void type(const std::string& text) {
        for (char c : text) con.parseKey((unsigned char)c);
    }
    void enter(const std::string& text) {
        type(text);
        con.parseKey(13);
    }
    // Output row text without its blank padding.
    std::string row(int r) const {
        std::string s = con.getRow(r);
        return s.erase(s.find_last_not_of(' ') + 1);
    }
    // The output lines in display order, oldest first.
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        int rows = con.getRows();
        for (int n = 1, i = con.getCurLine(); n < rows; ++n) {
            i = i + 1 > rows - 1 ? 1 : i + 1;
            out.push_back(row(i));
        }
        return out;
    }
};

// Panel width for a given number of columns, in a window with the default margins.
int windowForColumns(int columns) { return 30 + 9 * columns + 160; }

} // namespace

TEST_F(ConsoleTest, DefaultWindowLayout) {
    EXPECT_EQ(con.getWidth(), 640);
    EXPECT_EQ(con.getHeight(), 440);
    EXPECT_EQ(con.getColumns(), 67);
    EXPECT_EQ(con.getRows(), 25);
    EXPECT_EQ(con.getState(), cConsole::HIDDEN);
    EXPECT_FALSE(con.isActive());
    EXPECT_EQ(con.getY(), -440);
    EXPECT_EQ(con.getCurLine(), 1);
    EXPECT_EQ(con.getRow(0), std::string(67, ' '));
    EXPECT_EQ(con.getRow(25), "");
    EXPECT_EQ(con.getRow(-1), "");
}

TEST(Console, TinyAndOddWindowsKeepTheMinimumPanel) {
    cConsole con(nullptr, 0, 0);
    EXPECT_EQ(con.getWidth(), 50);
    EXPECT_EQ(con.getHeight(), 50);
    EXPECT_EQ(con.getColumns(), 2);
    EXPECT_EQ(con.getRows(), 2);
    con.resizeWin(-2147483647, -2147483647);
    EXPECT_EQ(con.getWidth(), 50);
    // Enter without an owner is consumed and harmless.
    EXPECT_TRUE(con.parseKey('a'));
    EXPECT_TRUE(con.parseKey(13));
    con.write("a line long enough to wrap many times in two columns\n\n");
    EXPECT_EQ(con.getCurCol(), 0);
}

TEST_F(ConsoleTest, EnteredLineIsSplitIntoCommandAndParameters) {
    enter("   fps    1   ");
    EXPECT_EQ(owner.calls, 1);
    EXPECT_EQ(owner.cmd, "fps");
    EXPECT_EQ(owner.count, 1);
    EXPECT_EQ(owner.params[0], "1");
    EXPECT_EQ(owner.params[1], "");
    // The owner already sees an empty command line.
    EXPECT_EQ(owner.cmdLineSeen, std::string(67, ' '));
    EXPECT_EQ(owner.cmdPosSeen, 0);

    enter("FPS 1");
    EXPECT_EQ(owner.cmd, "FPS");

    enter("");
    EXPECT_EQ(owner.calls, 3);
    EXPECT_EQ(owner.cmd, "");
    EXPECT_EQ(owner.count, 0);
    EXPECT_EQ(owner.params[0], "");
}

TEST_F(ConsoleTest, FiveWordsGiveFourParameters) {
    enter("go a bb ccc dddd eeeee");
    EXPECT_EQ(owner.cmd, "go");
    EXPECT_EQ(owner.count, 4);
    EXPECT_EQ(owner.params[0], "a");
    EXPECT_EQ(owner.params[3], "dddd");
    // A shorter line afterwards leaves no stale parameters behind.
    enter("x y");
    EXPECT_EQ(owner.count, 1);
    EXPECT_EQ(owner.params[0], "y");
    EXPECT_EQ(owner.params[1], "");
}

TEST_F(ConsoleTest, LongWordsAreCutToTheirFields) {
    con.resizeWin(windowForColumns(120), 600);
    ASSERT_EQ(con.getColumns(), 120);
    std::string longCmd(70, 'c'), longParam(40, 'p');
    enter(longCmd + " " + longParam + " z");
    EXPECT_EQ(owner.cmd, std::string(63, 'c'));
    EXPECT_EQ(owner.count, 2);
    EXPECT_EQ(owner.params[0], std::string(31, 'p'));
    EXPECT_EQ(owner.params[1], "z");
}

TEST_F(ConsoleTest, WordCopiesRespectTheCallersBuffer) {
    enter("about x");
    char small[4] = {'#', '#', '#', '#'};
    con.getCmd(small, 4);
    EXPECT_STREQ(small, "abo");
    con.getParam(small, 1, 1);
    EXPECT_STREQ(small, "");
    small[0] = '#';
    con.getParam(small, 0, 1);
    EXPECT_EQ(small[0], '#');
    con.getParam(nullptr, 10, 1);
    char buf[8];
    con.getParam(buf, sizeof buf, 0);
    EXPECT_STREQ(buf, "about");
    con.getParam(buf, sizeof buf, 5);
    EXPECT_STREQ(buf, "");
    con.getParam(buf, sizeof buf, -1);
    EXPECT_STREQ(buf, "");
}

TEST_F(ConsoleTest, FullCommandLineKeepsReplacingItsLastCharacter) {
    std::string typed;
    for (int i = 0; i < 70; ++i) typed += char('A' + i % 26);
    type(typed);
    EXPECT_EQ(con.getCmdPos(), 66);
    std::string line = con.getRow(0);
    EXPECT_EQ(line.substr(0, 65), typed.substr(0, 65));
    EXPECT_EQ(line[65], typed[69]);
    EXPECT_EQ(line[66], ' ');
    con.parseKey(13);
    EXPECT_EQ(owner.cmd.size(), 63u);
}

TEST_F(ConsoleTest, BackspaceErasesAndIsHarmlessAtColumnZero) {
    EXPECT_TRUE(con.parseKey(8));
    EXPECT_EQ(con.getCmdPos(), 0);
    EXPECT_EQ(con.getRow(0), std::string(67, ' '));
    type("abc");
    EXPECT_TRUE(con.parseKey(8));
    EXPECT_EQ(con.getCmdPos(), 2);
    EXPECT_EQ(row(0), "ab");
    EXPECT_TRUE(con.parseKey(8));
    EXPECT_TRUE(con.parseKey(8));
    EXPECT_TRUE(con.parseKey(8));
    EXPECT_EQ(row(0), "");
}

TEST_F(ConsoleTest, RefusedKeysAreLeftForTheGame) {
    EXPECT_FALSE(con.parseKey('`'));
    EXPECT_FALSE(con.parseKey('~'));
    EXPECT_FALSE(con.parseKey(27));
    EXPECT_FALSE(con.parseKey(9));
    EXPECT_FALSE(con.parseKey(0));
    EXPECT_EQ(con.getCmdPos(), 0);
    // Codes without a glyph are still typed characters.
    EXPECT_TRUE(con.parseKey(127));
    EXPECT_TRUE(con.parseKey(200));
    EXPECT_EQ(con.getCmdPos(), 2);
}

TEST_F(ConsoleTest, LongTextWrapsAndTheRingDropsTheOldestLine) {
    con.write(std::string(70, 'w').c_str());
    EXPECT_EQ(con.getCurCol(), 3);
    EXPECT_EQ(row(con.getCurLine()), "www");
    EXPECT_EQ(shown()[22], std::string(67, 'w'));

    con.clear();
    EXPECT_EQ(con.getCurLine(), 1);
    for (int i = 0; i < 30; ++i) con.write(("\nline" + std::to_string(i)).c_str());
    std::vector<std::string> lines = shown();
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines.front(), "line6");
    EXPECT_EQ(lines.back(), "line29");
    con.write(nullptr);
    con.writeLn("tail");
    EXPECT_EQ(shown()[22], "line29tail");
    EXPECT_EQ(shown()[23], "");
}

TEST_F(ConsoleTest, ClearBlanksEverythingIncludingTheCommandLine) {
    con.write("\nhello");
    type("typed");
    con.clear();
    for (int r = 0; r < con.getRows(); ++r) EXPECT_EQ(row(r), "") << r;
    EXPECT_EQ(con.getCmdPos(), 0);
    EXPECT_EQ(con.getCurCol(), 0);
}

TEST_F(ConsoleTest, ShrinkingKeepsTheNewestLinesAndPullsTheCursorsIn) {
    for (int i = 0; i < 40; ++i) con.write(("\nline" + std::to_string(i)).c_str());
    con.write(("\n" + std::string(60, 'x')).c_str());
    type(std::string(50, 'y'));
    // 30 columns and 10 rows.
    con.resizeWin(windowForColumns(30), 30 + 16 * 10 + 160);
    ASSERT_EQ(con.getColumns(), 30);
    ASSERT_EQ(con.getRows(), 10);
    EXPECT_EQ(con.getCurLine(), 1);
    EXPECT_EQ(con.getCurCol(), 29);
    EXPECT_EQ(con.getCmdPos(), 29);
    std::vector<std::string> lines = shown();
    EXPECT_EQ(lines.front(), "line32");
    EXPECT_EQ(lines[7], "line39");
    EXPECT_EQ(lines.back(), std::string(30, 'x'));
    EXPECT_EQ(con.getRow(0), std::string(30, 'y'));

    // Growing again keeps all the rows there are and blanks the rest.
    con.resizeWin(800, 600);
    lines = shown();
    EXPECT_EQ(lines[14], "");
    EXPECT_EQ(lines[15], "line32");
    EXPECT_EQ(lines[23], std::string(30, 'x'));
    // A full command line carried over still parses its words.
    con.parseKey(8);
    con.parseKey(13);
    EXPECT_EQ(owner.cmd, std::string(28, 'y'));
}

TEST_F(ConsoleTest, NoBufferWhenThePanelIsTooLargeThenRecovers) {
    con.write("\nkept?");
    con.resize(400000, 400000);
    EXPECT_FALSE(con.hasBuffer());
    EXPECT_FALSE(con.parseKey('a'));
    EXPECT_FALSE(con.parseKey(13));
    EXPECT_FALSE(con.parseKey(8));
    con.write("\ndropped");
    con.clear();
    con.clearCmd();
    con.incBufferPos();
    con.decCmdPos(true);
    EXPECT_EQ(owner.calls, 0);
    con.resizeWin(800, 600);
    ASSERT_TRUE(con.hasBuffer());
    EXPECT_EQ(shown().back(), "");
    enter("ok");
    EXPECT_EQ(owner.cmd, "ok");
}

TEST_F(ConsoleTest, SlidesOneEachPixelPerMillisecond) {
    con.show();
    EXPECT_TRUE(con.isActive());
    EXPECT_EQ(con.getState(), cConsole::SHOWING);
    con.update(260);
    EXPECT_EQ(con.getY(), -180);
    con.update(259);
    EXPECT_EQ(con.getState(), cConsole::SHOWING);
    con.update(1);
    EXPECT_EQ(con.getState(), cConsole::SHOWN);
    EXPECT_EQ(con.getY(), 80);
    con.show();
    EXPECT_EQ(con.getState(), cConsole::SHOWN);

    // Closing before it is fully open reverses from where it is.
    con.hide();
    con.update(100);
    EXPECT_EQ(con.getY(), -20);
    con.show();
    con.update(50);
    EXPECT_EQ(con.getY(), 30);
    con.hide();
    EXPECT_FALSE(con.isActive());
    con.update(470);
    EXPECT_EQ(con.getState(), cConsole::HIDING);
    con.update(1);
    EXPECT_EQ(con.getState(), cConsole::HIDDEN);
    EXPECT_EQ(con.getY(), -440);
    con.hide();
    EXPECT_EQ(con.getState(), cConsole::HIDDEN);

    // Huge or negative steps stay within the panel's travel.
    con.show();
    con.update(2147483647);
    EXPECT_EQ(con.getY(), 80);
    con.hide();
    con.update(-2147483647);
    EXPECT_EQ(con.getY(), 80);
    con.update(2147483647);
    EXPECT_EQ(con.getState(), cConsole::HIDDEN);
}

TEST_F(ConsoleTest, OpacityStepsStopAtTheirLimits) {
    for (int i = 0; i < 200; ++i) con.incBkgAlpha();
    EXPECT_EQ(con.getBkgAlpha(), 254);
    for (int i = 0; i < 200; ++i) con.decBkgAlpha();
    EXPECT_EQ(con.getBkgAlpha(), 2);
    con.resetColors();
    EXPECT_EQ(con.getBkgAlpha(), 128);
}

TEST_F(ConsoleTest, MoveIgnoresPointsOutsideTheWindow) {
    con.move(800, 600);
    con.show();
    con.update(10000);
    EXPECT_EQ(con.getX(), 80);
    EXPECT_EQ(con.getY(), 80);
    con.move(10, 20);
    con.update(0);
    EXPECT_EQ(con.getX(), 10);
    EXPECT_EQ(con.getY(), 20);
    con.move(-1, 599);
    EXPECT_EQ(con.getX(), 10);
    EXPECT_EQ(con.getY(), 599);
}
