// The generator gives the same bytes every time it runs.
#include "contentTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using namespace contentTest;
namespace fs = std::filesystem;

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
    for (const char* sub : {"textures", "models", "sounds", "graphics", "maps", "icons"}) {
        std::vector<std::string> built, fresh;
        for (const auto& e : fs::directory_iterator(dir() / sub)) built.push_back(e.path().filename().string());
        for (const auto& e : fs::directory_iterator(again / sub)) fresh.push_back(e.path().filename().string());
        std::sort(built.begin(), built.end());
        std::sort(fresh.begin(), fresh.end());
        EXPECT_EQ(built, fresh) << sub;
        for (const std::string& n : fresh) EXPECT_EQ(readFile(dir() / sub / n), readFile(again / sub / n)) << n << " changed";
    }
    fs::remove_all(again);
#endif
}
