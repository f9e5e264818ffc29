// orbix-tool botplay: the result line a level designer reads, and clear refusals of bad command lines.
#include "levelTestMaps.h"

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {
class BotplayTool : public LevelFolderTest {
protected:
    void SetUp() override {
        LevelFolderTest::SetUp();
        tool = ORBIX_BIN_DIR "/orbix-tool";
        if (!std::filesystem::exists(tool))
            GTEST_SKIP() << "orbix-tool is not built";
    }
    // Exit status and standard output; standard error is dropped.
    int run(const std::string& args, std::string& out) {
        out.clear();
        FILE* pipe = popen(("ORBIX_DATA='" + dir.string() + "' '" + tool + "' " + args + " 2>/dev/null").c_str(), "r");
        if (pipe == nullptr)
            return -1;
        char buf[256];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
            out.append(buf, n);
        const int status = pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string tool;
};

// "result: won time_ms=N soldiers_lost=N enemies_killed=1 shots=N", nothing after it, some shots fired.
bool wonOneEnemy(const std::string& line) {
    int ms = 0, lost = -1, killed = 0, shots = 0;
    char extra = 0;
    return std::sscanf(line.c_str(), "result: won time_ms=%d soldiers_lost=%d enemies_killed=%d shots=%d%c", &ms, &lost,
                       &killed, &shots, &extra) == 4 &&
           ms > 0 && lost >= 0 && lost <= 4 && killed == 1 && shots > 0;
}

std::string lastLine(const std::string& text) {
    const size_t end = text.find_last_not_of('\n');
    if (end == std::string::npos)
        return "";
    const size_t start = text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
}
}

TEST_F(BotplayTool, PlaysAMapByNameOrPathAndEndsWithTheResult) {
    writeMap("duel.bmp", 40, 40, {{5, 5, kSquadMark}, {30, 30, kEnemyMark}});
    std::string out;
    ASSERT_EQ(run("botplay duel.bmp --seed 4 --god 1", out), 0);
    EXPECT_TRUE(wonOneEnemy(lastLine(out))) << out;
    const std::string byName = out;
    // A path is taken from where the tool starts; the same seed plays the same game.
    ASSERT_EQ(run("botplay '" + (dir / "maps" / "duel.bmp").string() + "' --god 1 --seed 4", out), 0);
    EXPECT_EQ(lastLine(out), lastLine(byName));
    ASSERT_EQ(run("botplay duel.bmp --style player --seed 4 --god 1", out), 0);
    EXPECT_TRUE(wonOneEnemy(lastLine(out))) << out;
    ASSERT_EQ(run("botplay duel.bmp --max-ms 20", out), 0);
    EXPECT_EQ(lastLine(out), "result: timeout time_ms=20 soldiers_lost=0 enemies_killed=0 shots=0");
}

TEST_F(BotplayTool, RefusesBadCommandLinesAndUnplayableMaps) {
    writeMap("duel.bmp", 40, 40, {{5, 5, kSquadMark}, {30, 30, kEnemyMark}});
    std::string out;
    for (const char* args : {"botplay", "botplay duel.bmp --god 2", "botplay duel.bmp --seed", "botplay duel.bmp --seed x1",
                             "botplay duel.bmp --max-ms 0", "botplay duel.bmp --max-ms 99999999999", "botplay duel.bmp --fast 1",
                             "botplay duel.bmp --style fancy"})
        EXPECT_EQ(run(args, out), 2) << args;
    EXPECT_EQ(run("botplay missing.bmp", out), 1);
    std::FILE* f = std::fopen("maps/broken.bmp", "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("BM not really", f);
    std::fclose(f);
    EXPECT_EQ(run("botplay broken.bmp", out), 1);
    EXPECT_EQ(out.find("result:"), std::string::npos);
}
