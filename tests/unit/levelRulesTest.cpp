// The level rules: the content generator and orbix-tool map both refuse a map that breaks one, naming it.
#include "../../tools/content/src/cMapPlan.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

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

// Exit status and standard error of orbix-tool map on a file.
int runTool(const std::string& file, std::string& err) {
    std::FILE* p = popen(("'" ORBIX_BIN_DIR "/orbix-tool' map '" + file + "' 2>&1 >/dev/null").c_str(), "r");
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

class LevelRules : public ::testing::TestWithParam<sRuleCase> {};

TEST_P(LevelRules, GeneratorAndToolNameTheBrokenRule) {
    const sRuleCase& c = GetParam();
    const cMapPlan m = plan(c);
    const std::string why = m.problems();
    // A fine map has no problems; a broken one's first problem names the rule.
    const std::string want = c.rule ? std::string(c.rule) + ": " : "";
    EXPECT_EQ(c.rule ? why.substr(0, want.size()) : why, want) << why;

    if (!std::filesystem::exists(ORBIX_BIN_DIR "/orbix-tool"))
        GTEST_SKIP() << "orbix-tool is not built";
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("orbix-rules-" + std::to_string(getpid()) + "-" + c.name + ".bmp")).string();
    ASSERT_TRUE(m.picture().save(file));
    std::string err;
    const int status = runTool(file, err);
    std::filesystem::remove(file);
    EXPECT_EQ(status, c.rule == nullptr ? 0 : 1) << err;
    if (c.rule != nullptr) { EXPECT_NE(err.find(std::string(": ") + c.rule + ": "), std::string::npos) << err; }
}

INSTANTIATE_TEST_SUITE_P(Maps, LevelRules, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
