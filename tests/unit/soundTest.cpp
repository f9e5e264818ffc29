// Sound effects: progress lines, copies played in turn, bad input, no device, and output really reached.
#include "assets/cSound.h"

#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <set>
#include <thread>

using namespace assetsTest;

namespace {

const char* const effectFiles[] = {"ctsm", "roger", "clear", "laught", "pistol1", "pistol2", "pistol3", "explode"};

// Sound tests play to OpenAL's null device: it opens without a sound card and plays to nowhere.
class Sound : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("ALSOFT_DRIVERS", "null", 1);
        for (const char* name : effectFiles) writeFile(dir.file(std::string("sounds/") + name + ".wav"), sineWav(100));
    }
    // Loads the effects and checks the progress lines: FAILED for the ones named.
    void load(const std::set<std::string>& failed) {
        WorkingDir cwd(dir.path);
        ::testing::internal::CaptureStderr();
        snd.load();
        const std::string out = ::testing::internal::GetCapturedStderr();
        if (!snd.getDevice().isOpen()) GTEST_SKIP() << "OpenAL's null device did not open";
        std::string expected;
        for (const char* name : effectFiles)
            expected += std::string("Loading sound \"sounds/") + name + ".wav\" .. " +
                        (failed.count(name) ? "FAILED" : "OK") + "\n";
        EXPECT_EQ(out, expected);
    }
    int started(int effect, int copy) { return snd.getDevice().startCount(cSound::alias(effect, copy)); }
    ScratchDir dir;
    cSound snd;
};

} // namespace

TEST_F(Sound, EachPlayTakesTheNextOfThreeCopiesAndBrokenFilesOrBadIndicesPlayNothing) {
    std::filesystem::remove(dir.file("sounds/roger.wav"));
    // A WAV header that promises far more samples than the file has, and plain junk.
    writeFile(dir.file("sounds/clear.wav"), sineWav(50).substr(0, 44));
    writeFile(dir.file("sounds/laught.wav"), std::string(3000, '\x7f'));
    load({"roger", "clear", "laught"});
    if (IsSkipped()) return;
    for (int n = 0; n < 4; ++n) snd.play(7);
    for (int bad : {-1, 8, 1000000, 1}) snd.play(bad);
    snd.play(4);
    EXPECT_EQ(
        std::vector<int>({started(7, 0), started(7, 1), started(7, 2), started(6, 0), started(1, 0), started(4, 0)}),
        std::vector<int>({2, 1, 1, 0, 0, 1}));
    load({"roger", "clear", "laught"});  // a second load closes the first one's voices before it opens its own
    snd.dispose();
    EXPECT_FALSE(snd.getDevice().isOpen());
    snd.play(4);  // after closing: nothing to play, nothing breaks; the destructor closes once more
}

// These re-run the test binary for their body, so OpenAL starts there with the configuration
// the test sets instead of the one this process already read.
TEST_F(Sound, WithoutAnyDeviceEveryEffectFailsAndTheGameRunsSilent) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT({
            setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
            WorkingDir cwd(dir.path);
            snd.dispose();  // before any load
            snd.load();
            snd.play(1);
            snd.dispose();
            std::exit(snd.getDevice().isOpen() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "(Loading sound \"sounds/[a-z0-9]+\\.wav\" \\.\\. FAILED\n){8}");
}

TEST(SoundDevice, PlayedEffectReachesTheOutput) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The re-run body must write where this process looks, so the folder is handed down.
    const char* handedDown = std::getenv("ORBIX_SOUND_TEST_DIR");
    std::optional<ScratchDir> own;
    const std::filesystem::path dir = handedDown ? std::filesystem::path(handedDown) : own.emplace().path;
    setenv("ORBIX_SOUND_TEST_DIR", dir.c_str(), 1);
    auto run = [&] {
        writeFile((dir / "sounds/roger.wav").string(), sineWav(300));
        writeFile((dir / "alsoft.conf").string(),
                  "[general]\ndrivers=wave\n[wave]\nfile=" + (dir / "played.wav").string() + "\n");
        unsetenv("ALSOFT_DRIVERS");
        setenv("ALSOFT_CONF", (dir / "alsoft.conf").c_str(), 1);
        WorkingDir cwd(dir);
        cSound snd;
        snd.load();
        snd.play(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const bool open = snd.getDevice().isOpen();
        snd.dispose();
        std::exit(open ? 0 : 3);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
    unsetenv("ORBIX_SOUND_TEST_DIR");
    // The data chunk holds something other than one repeated byte (silence).
    const std::string bytes = fileBytes((dir / "played.wav").string());
    const size_t data = bytes.find("data");
    ASSERT_LT(data + 8, bytes.size());
    EXPECT_NE(bytes.find_first_not_of(bytes[data + 8], data + 8), std::string::npos);
}
