// The level rules: the content generator and orbix-tool map both refuse a map that breaks one, naming it.
#include "../../tools/content/src/cMapPlan.h"
#include "levelTestMaps.h"

#include <sys/wait.h>

#include <cstdio>
#include <functional>

namespace {

struct sRuleCase {
    const char* name;
    const char* rule;  // the rule named in the refusal; null when the map is fine
    std::function<void(cMapPlan&)> paint;
    int w = 40;
};

// A 40 x 40 meadow: the start low in the middle, one enemy high in the middle,
// and whatever the case paints in between.
cMapPlan plan(const sRuleCase& c) {
    cMapPlan m(c.w, 40, 1);
    m.start(20, 8);
    c.paint(m);
    m.enemy(20, 30);
    return m;
}

// Exit status and one stream of orbix-tool map on a file: standard error, or standard output.
int runTool(const std::string& file, std::string& err, bool output = false) {
    const char* keep = output ? " 2>/dev/null" : " 2>&1 >/dev/null";
    std::FILE* p = popen(("'" ORBIX_BIN_DIR "/orbix-tool' map '" + file + "'" + keep).c_str(), "r");
    err.clear();
    char buf[256];
    for (size_t n; p != nullptr && (n = std::fread(buf, 1, sizeof buf, p)) > 0;) err.append(buf, n);
    const int status = p != nullptr ? pclose(p) : -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void diagonalBands(cMapPlan& m, int gap) {
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 40; x++)
            if (x + y >= 36 && x + y <= 41 && (x - y < 0 || x - y >= gap)) m.woods(x, y, x, y, 1);
}

const sRuleCase kCases[] = {
    {"threeCellGap", nullptr, [](cMapPlan& m) { m.woods(0, 18, 18, 19, 1); m.woods(22, 18, 39, 19, 1); }},
    {"loneTree", "no lone trees", [](cMapPlan& m) { m.woods(10, 20, 10, 20, 1); }},
    // Nine trees in a square: no lone tree, but quite likely none of them drawn.
    {"hiddenClump", "no hidden clumps", [](cMapPlan& m) { m.woods(8, 20, 10, 22, 1); }},
    {"clumpOfTwelve", nullptr, [](cMapPlan& m) { m.woods(8, 20, 11, 22, 1); }},
    {"twoCellGap", "wide ways", [](cMapPlan& m) { m.woods(0, 18, 18, 19, 1); m.woods(21, 18, 39, 19, 1); }},
    // A wood running corner to corner, crossed by a diagonal gap two cells wide, then five.
    {"diagonalGap", "wide ways", [](cMapPlan& m) { diagonalBands(m, 2); }},
    {"wideDiagonalGap", nullptr, [](cMapPlan& m) { diagonalBands(m, 5); }},
    {"treeLineBehindStart", "room for the file", [](cMapPlan& m) { m.woods(15, 2, 16, 14, 1); }},
    {"tooWide", "size", [](cMapPlan&) {}, 129},
};

// The tool runs the same check on the map it reads: its reading, its exit status and the rule's
// name in its report are the tool test's below, and the planner's picture reading back into the
// planned cells is the terrain kinds test's.
TEST(LevelRules, GeneratorNamesTheBrokenRule) {
    for (const sRuleCase& c : kCases) {
        const std::string why = plan(c).problems();
        // A fine map has no problems; a broken one's first problem names the rule.
        const std::string want = c.rule ? std::string(c.rule) + ": " : "";
        EXPECT_EQ(c.rule ? why.substr(0, want.size()) : why, want) << c.name << ": " << why;
    }
}

using LevelRulesTool = LevelFolderTest;

// Places as an image editor shows them (y from the top), slips of the brush, two starts and a
// wide map, told on both streams alike.
TEST_F(LevelRulesTool, TellsPlacesFromTheTopNearColoursStartsAndShape) {
    if (!std::filesystem::exists(ORBIX_BIN_DIR "/orbix-tool")) GTEST_SKIP() << "orbix-tool is not built";
    std::string out, err;
    // The map's rows count from the bottom: row r is image row h - 1 - r. The start stands
    // at image row 31, an enemy at row 9.
    const auto run = [&](int w, std::vector<sMapMark> marks) {
        marks.insert(marks.end(), {{20, 8, kSquadMark}, {20, 30, kEnemyMark}});
        writeMap("m.bmp", w, 40, marks);
        runTool("maps/m.bmp", out, true);
        return runTool("maps/m.bmp", err);
    };

    // A soft-brush blot of near-black: no trees, but named with its count and its top-left pixel;
    // one pixel near the water's blue, one too far from black.
    std::vector<sMapMark> blot{{30, 30, sRGBA(0, 0, 215, 255)}, {31, 30, sRGBA(60, 60, 60, 255)}};
    for (int y = 30; y <= 32; y++)
        for (int x = 5; x <= 7; x++) blot.push_back({x, y, sRGBA(20, 30 + x, 10, 255)});
    EXPECT_EQ(run(40, blot), 0) << err;
    EXPECT_TRUE(out.find("start: 20,31\n") != std::string::npos && out.find("trees: 0.0%") != std::string::npos) << out;
    EXPECT_NE(err.find("warning: near colour: 9 pixels within 40 of trees (0,0,0) in every channel but not exactly it, "
                       "the first at 5,7;"), std::string::npos) << err;
    EXPECT_NE(err.find("near colour: 1 pixel within 40 of water (0,0,255) in every channel but not exactly it, "
                       "the first at 30,9;"), std::string::npos) << err;
    EXPECT_EQ(err.find("square"), std::string::npos) << err;

    // Two starts: the same words on both streams, and which one the game takes.
    EXPECT_EQ(run(40, {{10, 8, kSquadMark}}), 1);
    const std::string two = "2 markers at 10,31 and 20,31 (the game uses 20,31)";
    EXPECT_NE(out.find("start: " + two + "\n"), std::string::npos) << out;
    EXPECT_NE(err.find("one start: " + two + "; there must be exactly one"), std::string::npos) << err;

    // A rule break's place is counted from the top too; a 90 x 40 map is squashed on the minimap.
    EXPECT_EQ(run(90, {{60, 25, kTreeMark}}), 1);
    EXPECT_TRUE(err.find("no lone trees: at 60,14: ") != std::string::npos &&
                err.find("warning: not square: 90 x 40 cells") != std::string::npos)
        << err;
    EXPECT_EQ(err.find("near colour"), std::string::npos) << err;
}

}  // namespace
