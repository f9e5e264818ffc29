// Console text side: layout, typing, parsing, the output ring, resizing and the slide.
#include "ui/cConsole.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Records what the console hands over, the way the controller reads it back:
// the command, then each parameter it counts.
struct Owner : iConsole {
    cConsole* con = nullptr;
    std::vector<std::string> words;

    void consoleCmd() override {
        char buf[128];
        con->getCmd(buf, sizeof buf);
        words = {buf};
        for (int i = 1; i <= con->getParamCount(); ++i) {
            con->getParam(buf, sizeof buf, i);
            words.push_back(buf);
        }
    }
};

using words = std::vector<std::string>;

struct ConsoleTest : ::testing::Test {
    Owner owner;
    cConsole con{&owner, 800, 600};

    void SetUp() override { owner.con = &con; }

    void type(const std::string& text) { for (char c : text) con.parseKey((unsigned char)c); }
    void enter(const std::string& text) {
        type(text);
        con.parseKey(13);
    }
    // The output lines in display order, oldest first, without their blank padding.
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        const int rows = con.getRows();
        for (int n = 1, i = con.getCurLine(); n < rows; ++n) {
            i = i + 1 > rows - 1 ? 1 : i + 1;
            std::string s = con.getRow(i);
            out.push_back(s.erase(s.find_last_not_of(' ') + 1));
        }
        return out;
    }
};

// Panel width for a given number of columns, in a window with the default margins.
int windowForColumns(int columns) { return 30 + 9 * columns + 160; }

} // namespace

TEST_F(ConsoleTest, LayoutFollowsTheWindowWithAMinimumPanelAndNoBufferForATooLargeOne) {
    // The default 67 x 25 panel shows in the ring test. The first layout runs before any text
    // exists; odd windows still get a usable panel.
    cConsole tiny(nullptr, -2147483647, 0);
    EXPECT_EQ(std::pair(tiny.getColumns(), tiny.getRows()), std::pair(2, 2));
    EXPECT_TRUE(tiny.parseKey('a') && tiny.parseKey(13)); // no owner: harmless
    tiny.write("wraps many times in two columns\n");
    EXPECT_EQ(tiny.getCurCol(), 0);
    // A panel too large for memory gets no text buffer: keys and writes are harmless until it shrinks.
    con.resize(400000, 400000);
    EXPECT_FALSE(con.hasBuffer());
    for (int k : {97, 13, 8}) EXPECT_FALSE(con.parseKey((unsigned char)k)) << k;
    con.write("\ndropped");
    con.clear();
    con.incBufferPos();
    con.decCmdPos(true);
    con.resizeWin(800, 600);
    ASSERT_TRUE(con.hasBuffer());
    enter("ok");
    EXPECT_EQ(owner.words, (words{"ok"}));
}

TEST_F(ConsoleTest, EnteredLineIsSplitIntoCommandAndParameters) {
    enter("   FPS    1   ");
    EXPECT_EQ(owner.words, (words{"FPS", "1"}));
    enter("go a bb ccc dddd eeeee");
    EXPECT_EQ(owner.words, (words{"go", "a", "bb", "ccc", "dddd"}));
    // Words are cut to the longest a command or parameter may be.
    con.resizeWin(windowForColumns(120), 600);
    enter(std::string(70, 'c') + " " + std::string(40, 'p') + " z");
    EXPECT_EQ(owner.words, (words{std::string(63, 'c'), std::string(31, 'p'), "z"}));

    char small[4] = "###";
    con.getCmd(small, 4);
    EXPECT_STREQ(small, "ccc");
    con.getParam(small, 0, 1);
    con.getParam(nullptr, 10, 1);
    EXPECT_STREQ(small, "ccc");
    con.getParam(small, sizeof small, 5);
    EXPECT_STREQ(small, "");
}

TEST_F(ConsoleTest, CommandLineKeys) {
    // Backspace at column 0 is consumed and changes nothing; some keys are not the console's.
    EXPECT_TRUE(con.parseKey(8));
    EXPECT_EQ(con.getCmdPos(), 0);
    for (int k : {96, 126, 27, 9, 0}) EXPECT_FALSE(con.parseKey((unsigned char)k)) << k;
    type("ab\x7f\xc8");
    con.parseKey(8);
    EXPECT_EQ(con.getRow(0).substr(0, 4), "ab\x7f ");
    // A full line keeps replacing its last character; the last column stays blank.
    con.clearCmd();
    std::string typed;
    for (int i = 0; i < 70; ++i) typed += char('A' + i % 26);
    type(typed);
    EXPECT_EQ(std::pair(con.getRow(0), con.getCmdPos()), std::pair(typed.substr(0, 65) + typed[69] + " ", 66));
}

TEST_F(ConsoleTest, LongTextWrapsAndTheRingDropsTheOldestLine) {
    con.write(std::string(70, 'w').c_str());
    EXPECT_EQ(std::pair(shown()[22], shown()[23]), std::pair(std::string(67, 'w'), std::string("www")));
    for (int i = 0; i < 30; ++i) con.write(("\nline" + std::to_string(i)).c_str());
    con.writeLn("tail");
    const std::vector<std::string> lines = shown();
    EXPECT_EQ(std::tuple(lines.front(), lines[22], lines[23]), std::tuple("line7", "line29tail", ""));
}

TEST_F(ConsoleTest, ResizingKeepsTheNewestLinesAndPullsTheCursorsIn) {
    for (int i = 0; i < 40; ++i) con.write(("\nline" + std::to_string(i)).c_str());
    // Built by append: GCC 12's -O3 warns (-Wrestrict) on a literal plus a temporary string.
    con.write(std::string("\n").append(60, 'x').c_str());
    type(std::string(50, 'y'));
    con.resizeWin(windowForColumns(30), 30 + 16 * 10 + 160); // 30 columns, 10 rows
    EXPECT_EQ(std::pair(con.getCurCol(), con.getCmdPos()), std::pair(29, 29));
    std::vector<std::string> lines = shown();
    EXPECT_EQ(std::pair(lines.front(), lines.back()), std::pair(std::string("line32"), std::string(30, 'x')));
    // Growing again keeps the rows there are, below blank ones.
    con.resizeWin(800, 600);
    lines = shown();
    EXPECT_EQ(std::tuple(lines[14], lines[15], lines[23]), std::tuple("", "line32", std::string(30, 'x')));
    con.parseKey(13);
    EXPECT_EQ(owner.words, (words{std::string(29, 'y')}));
}

TEST_F(ConsoleTest, SlidesOnePixelPerMillisecondWithinItsTravelToItsCorner) {
    // (step, show first?, state after, y after); -1: not checked.
    const struct { int ms, show, state, y; } steps[] = {
        {260, 1, -1, -180}, {259, 0, cConsole::SHOWING, -1}, {1, 0, cConsole::SHOWN, 80},
        // Closing before it is fully open reverses from where it is.
        {100, -1, -1, -20}, {50, 1, -1, 30}, {470, -1, cConsole::HIDING, -1}, {1, 0, cConsole::HIDDEN, -1},
        // Huge or negative steps stay within the panel's travel.
        {2147483647, 1, -1, 80}, {-2147483647, -1, -1, 80},
    };
    for (const auto& s : steps) {
        if (s.show == 1) con.show();
        if (s.show == -1) con.hide();
        if (s.show != 0) { EXPECT_EQ(con.isActive(), s.show == 1); }
        con.update(s.ms);
        if (s.state >= 0) { EXPECT_EQ(con.getState(), s.state) << s.ms; }
        if (s.y != -1) { EXPECT_EQ(con.getY(), s.y) << s.ms; }
    }
    // A new corner outside the window is ignored; one inside is where the slide ends.
    con.move(800, -1);
    EXPECT_EQ(con.getX(), 80);
    con.move(10, 20);
    con.show();
    con.update(1000);
    EXPECT_EQ(std::pair(con.getX(), con.getY()), std::pair(10, 20));
}

TEST_F(ConsoleTest, GrowsToShowALongAnswerWholeWithinTheWindowAndKeepsItsText) {
    con.show();
    con.update(100000);
    con.write("\nkept");
    con.fitLines(10);  // the default panel already shows 24
    EXPECT_EQ(std::pair(con.getY(), con.getHeight()), std::pair(80, 440));
    // The controls list needs 34 lines: the panel grows both ways, stays open and in the window.
    con.fitLines(34);
    EXPECT_GE(con.getRows() - 1, 34);
    EXPECT_TRUE(con.getY() >= 0 && con.getY() + con.getHeight() <= 600) << con.getY() << " " << con.getHeight();
    EXPECT_EQ(std::pair(con.getState(), shown().back()), std::pair(int(cConsole::SHOWN), std::string("kept")));
    // More than any window holds: as tall as the window, no taller; asking again changes nothing.
    con.fitLines(1000);
    EXPECT_EQ(std::pair(con.getY(), con.getHeight()), std::pair(0, 600));
    con.fitLines(-5);
    EXPECT_EQ(con.getHeight(), 600);
}
