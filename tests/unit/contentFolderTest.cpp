// Content folder lookup: the override, the executable's folder, the installed folder.
#include "platform/contentFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(ContentFolder, PrefersOverrideThenOwnFolderThenInstalledOne) {
    const fs::path root = fs::temp_directory_path() / ("orbix-content-" + std::to_string(::getpid()));
    fs::remove_all(root);
    const fs::path bin = root / "bin", share = root / "share" / "orbix-tal", other = root / "other";
    fs::create_directories(bin);
    fs::create_directories(other);
    std::string tried;

    EXPECT_EQ(findContentFolder(bin.string(), nullptr, tried), "");
    EXPECT_NE(tried.find(share.string()), std::string::npos) << tried;

    fs::create_directories(share / "maps");
    EXPECT_EQ(fs::path(findContentFolder(bin.string(), nullptr, tried)), share);
    EXPECT_EQ(fs::path(findContentFolder(bin.string(), "", tried)), share);  // empty variable: unset

    fs::create_directories(bin / "maps");
    EXPECT_EQ(fs::path(findContentFolder(bin.string(), nullptr, tried)), bin);

    // The override wins, and an override without maps/ is an error, not a fallback.
    EXPECT_EQ(findContentFolder(bin.string(), other.string().c_str(), tried), "");
    EXPECT_EQ(tried, other.string());
    fs::create_directories(other / "maps");
    EXPECT_EQ(findContentFolder(bin.string(), other.string().c_str(), tried), other.string());

    // A file called maps is not a folder.
    fs::remove_all(bin / "maps");
    fs::remove_all(share / "maps");
    { std::FILE* f = std::fopen((bin / "maps").c_str(), "w"); ASSERT_TRUE(f); std::fclose(f); }
    EXPECT_EQ(findContentFolder(bin.string(), nullptr, tried), "");
    fs::remove_all(root);
}
