// Folders the game looks in (content, screenshots), directory listing read errors, and the frame timer's chain.
#include "platform/cFrameTimer.h"
#include "platform/contentFolder.h"
#include "platform/dirListing.h"
#include "platform/picturesFolder.h"

#include "assetsTestFiles.h"

#include <dirent.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <vector>

namespace fs = std::filesystem;
using assetsTest::ScratchDir;
using assetsTest::writeFile;

namespace {
// Entries readdir still hands out before it fails as a broken disk would; -1 never fails.
int entriesBeforeError = -1;
}

// Stands in for the C library's readdir in this test program (the listing reaches it
// through the standard library), failing on demand and passing through otherwise.
extern "C" struct dirent* readdir(DIR* dir) {
    using readdirFn = struct dirent* (*)(DIR*);
    static const readdirFn real = reinterpret_cast<readdirFn>(dlsym(RTLD_NEXT, "readdir"));
    if (entriesBeforeError == 0) {
        errno = EIO;
        return nullptr;
    }
    if (entriesBeforeError > 0) entriesBeforeError--;
    return real(dir);
}

TEST(DirListing, AReadErrorMidwayIsAFailure) {
    ScratchDir dir;
    for (const char* name : {"01.bmp", "02.bmp", "03.bmp", "04.bmp"}) writeFile(dir.file(name), "x");
    std::vector<std::string> names;
    EXPECT_TRUE(listDirectory(dir.path.c_str(), names) && names.size() == 4u);
    // "." and ".." come first, then two of the maps, then the error.
    entriesBeforeError = 4;
    EXPECT_TRUE(!listDirectory(dir.path.c_str(), names) && names.empty());
    entriesBeforeError = -1;
}

TEST(ContentFolder, PrefersOverrideThenOwnFolderThenInstalledOne) {
    ScratchDir root;
    const fs::path bin = root.path / "bin", share = root.path / "share" / "orbix-tal", other = root.path / "other";
    std::string tried;

    EXPECT_TRUE(findContentFolder(bin.string(), nullptr, tried).empty() &&
                tried.find(share.string()) != std::string::npos)
        << tried;

    fs::create_directories(share / "maps");
    EXPECT_EQ(fs::path(findContentFolder(bin.string(), nullptr, tried)), share);
    EXPECT_EQ(fs::path(findContentFolder(bin.string(), "", tried)), share);  // empty variable: unset

    fs::create_directories(bin / "maps");
    EXPECT_EQ(fs::path(findContentFolder(bin.string(), nullptr, tried)), bin);

    // The override wins, and an override without maps/ is an error, not a fallback.
    EXPECT_TRUE(findContentFolder(bin.string(), other.string().c_str(), tried).empty() && tried == other.string())
        << tried;
    fs::create_directories(other / "maps");
    EXPECT_EQ(findContentFolder(bin.string(), other.string().c_str(), tried), other.string());

    // A file called maps is not a folder: the installed one is taken.
    fs::remove_all(bin / "maps");
    writeFile((bin / "maps").string(), "");
    EXPECT_EQ(fs::path(findContentFolder(bin.string(), nullptr, tried)), share);
}

// Environment, user-dirs.dirs, ~/Pictures, the start folder; numbered names.
TEST(PicturesFolder, TakesTheFirstFolderThatExistsAndNumbersPastTheNamesTaken) {
    ScratchDir root;
    for (const char* sub : {"home/.config", "home/Pictures", "home/Bilder", "env"})
        fs::create_directories(root.path / sub);
    auto userDirs = [&](const std::string& text) { writeFile(root.file("home/.config/user-dirs.dirs"), text); };
    const std::string home = root.file("home"), start = root.file("start"), env = root.file("env");
    userDirs(
        "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    EXPECT_EQ(findPicturesFolder(env.c_str(), home.c_str(), nullptr, start), env);
    EXPECT_EQ(findPicturesFolder(root.file("gone").c_str(), home.c_str(), nullptr, start), home + "/Bilder");
    EXPECT_EQ(findPicturesFolder("env", home.c_str(), nullptr, start), home + "/Bilder");  // not absolute
    // The config folder named by XDG_CONFIG_HOME has no such file: ~/Pictures.
    EXPECT_EQ(findPicturesFolder(nullptr, home.c_str(), env.c_str(), start), home + "/Pictures");
    userDirs("XDG_PICTURES_DIR=\"$HOME/Missing\"\n");
    EXPECT_EQ(findPicturesFolder(nullptr, home.c_str(), nullptr, start), home + "/Pictures");
    userDirs("XDG_PICTURES_DIR=\"" + env + "\"\n");
    EXPECT_EQ(findPicturesFolder(nullptr, home.c_str(), nullptr, start), env);
    EXPECT_EQ(findPicturesFolder(nullptr, root.file("nohome").c_str(), nullptr, start), start);
    EXPECT_EQ(findPicturesFolder(nullptr, nullptr, nullptr, start), start);

    EXPECT_EQ(nextScreenshotPath(env), env + "/orbix-tal-0001.png");
    for (const char* taken : {"/orbix-tal-0001.png", "/orbix-tal-0003.png"}) writeFile(env + taken, "x");
    EXPECT_EQ(nextScreenshotPath(env), env + "/orbix-tal-0002.png");
}

namespace {

// A fake main loop: timers fire in order of their due time.
struct FakeLoop : cFrameTimer::iHost {
    void update(int ms) override { updates.push_back(ms); }
    void redisplay() override { redisplays++; }
    void armTimer(int delayMs) override { due.push_back(clock + delayMs); }

    // Advances the clock to t, firing every timer due by then.
    void runUntil(int t) {
        for (auto next = std::min_element(due.begin(), due.end()); next != due.end() && *next <= t;
             next = std::min_element(due.begin(), due.end())) {
            clock = *next;
            due.erase(next);
            timer.onTimerFired(clock);
        }
        clock = t;
    }
    // Toggles F5 and answers what it printed.
    std::string toggle() {
        testing::internal::CaptureStdout();
        timer.toggleFullPower();
        return testing::internal::GetCapturedStdout();
    }

    int clock = 0, redisplays = 0;
    std::vector<int> due, updates;
    bool fullPower = false;
    cFrameTimer timer{*this, fullPower};
};

}  // namespace

TEST(FrameTimer, FirstTickGetsTheWholeStartUpTimeAndLaterOnesTheGap) {
    FakeLoop loop;
    loop.clock = 1500;  // loading took 1.5 s before the timer was armed
    loop.timer.start();
    loop.runUntil(1530);
    ASSERT_GE(loop.updates.size(), 2u);
    EXPECT_EQ(std::pair(loop.updates[0], loop.updates[1]), std::pair(1520, 5));
    EXPECT_EQ(loop.redisplays, int(loop.updates.size()));
    // A stall is passed on whole, capped only where an int ends; a clock running backwards gives 0.
    for (auto [now, gap] : {std::pair{100000, 100000 - 1530}, {99000, 0}, {INT_MIN, 0}, {INT_MAX, INT_MAX}}) {
        loop.timer.onTimerFired(now);
        EXPECT_EQ(loop.updates.back(), gap) << now;
    }
}

TEST(FrameTimer, FullPowerEndsTheChainAndTicksEachFrameAndTogglesKeepOneChain) {
    FakeLoop loop;
    loop.timer.start();
    loop.runUntil(100);
    EXPECT_EQ(loop.toggle(), "Entering Full Power Mode.\n");
    loop.runUntil(200);  // the pending timer fires once and does not re-arm
    EXPECT_TRUE(loop.due.empty());
    const size_t before = loop.updates.size();
    loop.timer.onFrame(210);
    loop.timer.onFrame(217);
    EXPECT_EQ(std::pair(loop.updates.size(), loop.updates.back()), std::pair(before + 2, 7));
    EXPECT_EQ(loop.toggle(), "Leaving Full Power Mode.\n");
    loop.runUntil(300);
    // Two toggles within one interval still leave one chain: one tick every 5 ms, never two.
    loop.toggle();
    loop.toggle();
    const size_t chained = loop.updates.size();
    loop.runUntil(1300);
    EXPECT_EQ(std::pair(loop.due.size(), loop.updates.size() - chained), std::pair(size_t(1), size_t(200)));
}
