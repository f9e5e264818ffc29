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
        if (!std::filesystem::exists(ORBIX_BIN_DIR "/orbix-tool"))
            GTEST_SKIP() << "orbix-tool is not built";
        writeMap("duel.bmp", 40, 40, {{5, 5, kSquadMark}, {30, 30, kEnemyMark}});
    }
    // Exit status, and the last line of standard output in `last`; standard error is dropped.
    int run(const std::string& args) {
        FILE* pipe = popen(("ORBIX_DATA='" + dir.string() + "' '" ORBIX_BIN_DIR "/orbix-tool' " + args + " 2>/dev/null").c_str(), "r");
        if (pipe == nullptr)
            return -1;
        std::string out;
        char buf[256];
        for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;)
            out.append(buf, n);
        const int status = pclose(pipe);
        out.erase(out.find_last_not_of('\n') + 1);
        last = out.substr(out.rfind('\n') == std::string::npos ? 0 : out.rfind('\n') + 1);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // "result: won time_ms=N soldiers_lost=N enemies_killed=1 shots=N", nothing after it, some shots fired.
    bool wonOneEnemy() const {
        int ms = 0, lost = -1, killed = 0, shots = 0;
        char extra = 0;
        return std::sscanf(last.c_str(), "result: won time_ms=%d soldiers_lost=%d enemies_killed=%d shots=%d%c", &ms,
                           &lost, &killed, &shots, &extra) == 4 &&
               ms > 0 && lost >= 0 && lost <= 4 && killed == 1 && shots > 0;
    }
    std::string last;
};
}

TEST_F(BotplayTool, PlaysAMapByNameOrPathAndEndsWithTheResult) {
    ASSERT_EQ(run("botplay duel.bmp --seed 4 --god 1"), 0);
    EXPECT_TRUE(wonOneEnemy()) << last;
    const std::string byName = last;
    // A path is taken from where the tool starts; the same seed plays the same game.
    ASSERT_EQ(run("botplay '" + (dir / "maps" / "duel.bmp").string() + "' --god 1 --seed 4"), 0);
    EXPECT_EQ(last, byName);
    ASSERT_EQ(run("botplay duel.bmp --style player --seed 4 --god 1"), 0);
    EXPECT_TRUE(wonOneEnemy()) << last;
    ASSERT_EQ(run("botplay duel.bmp --max-ms 20"), 0);
    EXPECT_EQ(last, "result: timeout time_ms=20 soldiers_lost=0 enemies_killed=0 shots=0");
}

TEST_F(BotplayTool, RefusesBadCommandLinesAndUnplayableMaps) {
    for (const char* args : {"botplay", "botplay duel.bmp --god 2", "botplay duel.bmp --seed", "botplay duel.bmp --seed x1",
                             "botplay duel.bmp --max-ms 0", "botplay duel.bmp --max-ms 99999999999", "botplay duel.bmp --fast 1",
                             "botplay duel.bmp --style fancy"})
        EXPECT_EQ(run(args), 2) << args;
    EXPECT_EQ(run("botplay missing.bmp"), 1);
    std::FILE* f = std::fopen("maps/broken.bmp", "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("BM not really", f);
    std::fclose(f);
    EXPECT_EQ(run("botplay broken.bmp"), 1);
    EXPECT_EQ(last.find("result:"), std::string::npos);
}
