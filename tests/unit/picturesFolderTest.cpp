// Where F12 puts its screenshots: environment, user-dirs.dirs, ~/Pictures, the start folder; numbered names.
#include "platform/picturesFolder.h"

#include "assetsTestFiles.h"

#include <gtest/gtest.h>

TEST(PicturesFolder, TakesTheFirstFolderThatExistsAndNumbersPastTheNamesTaken) {
    assetsTest::ScratchDir root;
    for (const char* sub : {"home/.config", "home/Pictures", "home/Bilder", "env"})
        std::filesystem::create_directories(root.path / sub);
    auto userDirs = [&](const std::string& text) { assetsTest::writeFile(root.file("home/.config/user-dirs.dirs"), text); };
    const std::string home = root.file("home"), start = root.file("start"), env = root.file("env");
    userDirs("# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    EXPECT_EQ(findPicturesFolder(env.c_str(), home.c_str(), nullptr, start), env);
    EXPECT_EQ(findPicturesFolder(root.file("gone").c_str(), home.c_str(), nullptr, start), home + "/Bilder");
    EXPECT_EQ(findPicturesFolder("env", home.c_str(), nullptr, start), home + "/Bilder");  // not absolute
    // The config folder named by XDG_CONFIG_HOME has no such file: ~/Pictures.
    EXPECT_EQ(findPicturesFolder(nullptr, home.c_str(), env.c_str(), start), home + "/Pictures");
    userDirs("XDG_PICTURES_DIR=\"$HOME/Missing\"\n");
    EXPECT_EQ(findPicturesFolder(nullptr, home.c_str(), nullptr, start), home + "/Pictures");
    userDirs("XDG_PICTURES_DIR=\"" + env + "\"\n");
    EXPECT_EQ(findPicturesFolder(nullptr, home.c_str(), nullptr, start), env);
    std::filesystem::remove(root.path / "home/Pictures");
    EXPECT_EQ(findPicturesFolder(nullptr, root.file("nohome").c_str(), nullptr, start), start);
    EXPECT_EQ(findPicturesFolder(nullptr, nullptr, nullptr, start), start);

    EXPECT_EQ(nextScreenshotPath(env), env + "/orbix-tal-0001.png");
    for (const char* taken : {"/orbix-tal-0001.png", "/orbix-tal-0003.png"}) assetsTest::writeFile(env + taken, "x");
    EXPECT_EQ(nextScreenshotPath(env), env + "/orbix-tal-0002.png");
}
