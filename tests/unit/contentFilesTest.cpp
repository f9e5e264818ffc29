// The content as a whole: every file the game reads is there, and the
// generator gives the same bytes every time it runs.
#include "contentTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using namespace contentTest;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> filesUnder(const fs::path& root) {
    std::vector<std::string> out;
    for (const char* sub : {"textures", "models", "sounds", "graphics", "maps", "icons"})
        for (const auto& e : fs::directory_iterator(root / sub)) out.push_back(std::string(sub) + "/" + e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

TEST(ContentFiles, EveryFileTheGameReadsIsThere) {
    SKIP_WITHOUT_CONTENT();
    std::vector<std::string> need = {"models/ball.ASE",     "models/ball_L2.ASE",  "models/ball_L4.ASE",
                                     "models/ball_L8.ASE",  "models/flame.ASE",    "models/trees.ASE",
                                     "sounds/ctsm.wav",     "sounds/roger.wav",    "sounds/clear.wav",
                                     "sounds/laught.wav",   "sounds/pistol1.wav",  "sounds/pistol2.wav",
                                     "sounds/pistol3.wav",  "sounds/explode.wav",  "graphics/fonta.bmp",
                                     "graphics/cornpoppy.bmp", "graphics/grenade.bmp", "graphics/rocket.bmp",
                                     "textures/pistol.bmp", "textures/bazooka.bmp", "textures/flame.bmp",
                                     "textures/smile1.bmp"};
    for (int i = 1; i <= 7; i++)
        for (const char* mood : {"wink", "angry", "laught", "cry", "talk"})
            need.push_back("textures/" + std::string(mood) + std::to_string(i) + ".bmp");
    for (const std::string& n : need) EXPECT_TRUE(fs::is_regular_file(dir() / n)) << n;
}

TEST(ContentFiles, TheGeneratorIsDeterministic) {
    SKIP_WITHOUT_CONTENT();
#ifndef ORBIX_CONTENT_RECORDED_DIR
    GTEST_SKIP() << "the build does not say where the recorded sounds are";
#else
    const fs::path generator = dir() / "orbix-content";
    const fs::path recorded = ORBIX_CONTENT_RECORDED_DIR;
    if (!fs::exists(generator) || !fs::is_directory(recorded)) GTEST_SKIP() << "generator not built";
    const fs::path again = fs::temp_directory_path() / ("orbix-content-" + std::to_string(getpid()));
    fs::remove_all(again);
    std::string cmd;
    for (const fs::path& arg : {generator, again, recorded}) cmd.append(" '").append(arg.string()).append("'");
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const auto built = filesUnder(dir()), fresh = filesUnder(again);
    EXPECT_EQ(built, fresh);
    for (const std::string& n : fresh) EXPECT_EQ(readFile(dir() / n), readFile(again / n)) << n << " changed";
    fs::remove_all(again);
#endif
}
