// orbix-tool: the summaries and result lines a level designer reads, reasons on one line, exit statuses.
#include "aseText.h"
#include "assetsTestFiles.h"
#include "levelTestMaps.h"

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <sys/wait.h>

using namespace assetsTest;

namespace {

class OrbixTool : public LevelFolderTest {
protected:
    void SetUp() override {
        LevelFolderTest::SetUp();
        if (!std::filesystem::exists(ORBIX_BIN_DIR "/orbix-tool"))
            GTEST_SKIP() << "orbix-tool is not built";
        writeMap("duel.bmp", 40, 40, {{5, 5, kSquadMark}, {30, 30, kEnemyMark}});
    }
    // Runs the tool in the level folder: its exit status, with standard output and error in out
    // and err, and the last line of standard output in last.
    int run(const std::string& args) {
        const int status = std::system(("ORBIX_DATA='" + dir.string() + "' '" ORBIX_BIN_DIR "/orbix-tool' " + args +
                                        " >stdout.txt 2>stderr.txt").c_str());
        out = fileBytes("stdout.txt");
        err = fileBytes("stderr.txt");
        last = out.substr(0, out.find_last_not_of('\n') + 1);
        last = last.substr(last.rfind('\n') == std::string::npos ? 0 : last.rfind('\n') + 1);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string out, err, last;
};

}  // namespace

TEST_F(OrbixTool, BmpAndAseSummariseAFileOrSayWhyNotOnOneLine) {
    using namespace aseText;
    writeFile("ok.bmp", bmp24(5, 3, [](int, int) { return std::tuple<int, int, int>(1, 2, 3); }));
    writeFile("junk.bmp", "BM this is not a picture");
    writeFile("m.ase", scene() + square("First") + square("Second"));
    const struct {
        std::string args, out, err;  // the whole output, and a part of the one error line
    } cases[] = {
        {"bmp ok.bmp", "5x3\n", ""},
        {"ase m.ase", "-----------------------\n name: First\n vertices: 4\n faces: 2\n\n", ""},
        {"ase m.ase Second", "-----------------------\n name: Second\n vertices: 4\n faces: 2\n\n", ""},
        {"bmp junk.bmp", "", "not an uncompressed 24-bit BMP"},
        {"ase m.ase Third", "", "no object of that name"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), c.err.empty() ? 0 : 1) << c.args;
        EXPECT_EQ(std::pair(out, std::count(err.begin(), err.end(), '\n')), std::pair(c.out, c.err.empty() ? 0l : 1l))
            << c.args << ": " << err;
        EXPECT_NE(err.find(c.err), std::string::npos) << c.args << ": " << err;
    }
    for (const char* args : {"", "bmp", "frobnicate x", "ase a b c"})
        EXPECT_EQ(run(args), 2) << args;
}

TEST_F(OrbixTool, BotplayPlaysAMapByNameOrPathAndEndsWithTheResult) {
    ASSERT_EQ(run("botplay duel.bmp --seed 4 --god 1"), 0);
    EXPECT_TRUE(
        std::regex_match(last, std::regex("result: won time_ms=[1-9][0-9]* soldiers_lost=[0-4] enemies_killed=1 "
                                          "shots=[1-9][0-9]*")))
        << last;
    const std::string byName = last;
    // A path is taken from where the tool starts; the same seed plays the same game.
    ASSERT_EQ(run("botplay '" + (dir / "maps" / "duel.bmp").string() + "' --god 1 --seed 4"), 0);
    EXPECT_EQ(last, byName);
    ASSERT_EQ(run("botplay duel.bmp --max-ms 20"), 0);
    EXPECT_EQ(last, "result: timeout time_ms=20 soldiers_lost=0 enemies_killed=0 shots=0");
    // A frame is handed to the level whole, as the game's timer does.
    ASSERT_EQ(run("botplay duel.bmp --max-ms 20 --tick 50"), 0);
    EXPECT_EQ(last, "result: timeout time_ms=50 soldiers_lost=0 enemies_killed=0 shots=0");
}

TEST_F(OrbixTool, BotplayRefusesBadCommandLinesAndUnplayableMaps) {
    for (const char* args : {"botplay", "botplay duel.bmp --god 2", "botplay duel.bmp --seed x1",
                             "botplay duel.bmp --max-ms 99999999999", "botplay duel.bmp --style fancy",
                             "botplay duel.bmp --tick 0", "botplay duel.bmp --tick 251"})
        EXPECT_EQ(run(args), 2) << args;
    EXPECT_EQ(run("botplay missing.bmp"), 1);
    writeFile("maps/broken.bmp", "BM not really");
    EXPECT_EQ(run("botplay broken.bmp"), 1);
    EXPECT_EQ(last.find("result:"), std::string::npos);
}
