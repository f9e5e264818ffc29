// Where F12 puts its screenshots: environment, user-dirs.dirs, ~/Pictures, the start folder; numbered names.
#include "platform/picturesFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class PicturesFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("orbix-pictures-" + std::to_string(getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "home/.config");
        fs::create_directories(root / "home/Pictures");
        fs::create_directories(root / "home/Bilder");
        fs::create_directories(root / "env");
    }
    void TearDown() override { fs::remove_all(root); }
    void userDirs(const std::string& text) { std::ofstream(root / "home/.config/user-dirs.dirs") << text; }
    std::string at(const char* sub) const { return (root / sub).string(); }

    fs::path root;
};

TEST_F(PicturesFolderTest, TakesTheFirstFolderThatExists) {
    const std::string home = at("home"), start = at("start");
    userDirs("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    EXPECT_EQ(findPicturesFolder(at("env").c_str(), home.c_str(), nullptr, start), at("env"));
    EXPECT_EQ(findPicturesFolder(at("gone").c_str(), home.c_str(), nullptr, start), home + "/Bilder");
    EXPECT_EQ(findPicturesFolder("env", home.c_str(), nullptr, start), home + "/Bilder");  // not absolute
    // The config folder named by XDG_CONFIG_HOME has no such file: ~/Pictures.
    EXPECT_EQ(findPicturesFolder(nullptr, home.c_str(), at("env").c_str(), start), home + "/Pictures");
    userDirs("XDG_PICTURES_DIR=\"$HOME/Missing\"\n");
    EXPECT_EQ(findPicturesFolder(nullptr, home.c_str(), nullptr, start), home + "/Pictures");
    userDirs("XDG_PICTURES_DIR=\"" + at("env") + "\"\n");
    EXPECT_EQ(findPicturesFolder(nullptr, home.c_str(), nullptr, start), at("env"));
    fs::remove(root / "home/Pictures");
    EXPECT_EQ(findPicturesFolder(nullptr, at("nohome").c_str(), nullptr, start), start);
    EXPECT_EQ(findPicturesFolder(nullptr, nullptr, nullptr, start), start);
}

TEST_F(PicturesFolderTest, NumbersPastTheNamesTaken) {
    const std::string folder = at("env");
    EXPECT_EQ(nextScreenshotPath(folder), folder + "/orbix-tal-0001.png");
    std::ofstream(folder + "/orbix-tal-0001.png") << "x";
    std::ofstream(folder + "/orbix-tal-0003.png") << "x";
    EXPECT_EQ(nextScreenshotPath(folder), folder + "/orbix-tal-0002.png");
}

}  // namespace
