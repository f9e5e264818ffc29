// Sound effects: progress lines, copy rotation, bad indices and files, and real output.
#include "assets/cSound.h"

#include "assetsTestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <set>
#include <thread>

using namespace assetsTest;

namespace {

const char* const effectFiles[] = {"ctsm", "roger", "clear", "laught", "pistol1", "pistol2", "pistol3", "explode"};

void writeEffects(const ScratchDir& dir)
{
    for (const char* name : effectFiles)
        writeFile(dir.file(std::string("sounds/") + name + ".wav"), sineWav(100));
}

std::string expectedLines(const std::set<std::string>& failed)
{
    std::string out;
    for (const char* name : effectFiles) {
        bool ok = !failed.count(name);
        out += std::string("Loading sound \"sounds/") + name + ".wav\" .. " + (ok ? "OK" : "FAILED") + "\n";
    }
    return out;
}

// Sound tests play to OpenAL's null device: it opens without a sound card and plays to nowhere.
class Sound : public ::testing::Test {
protected:
    void SetUp() override { setenv("ALSOFT_DRIVERS", "null", 1); }
    ScratchDir dir;
};

} // namespace

TEST_F(Sound, LoadPrintsOneLinePerEffectAndRotatesThroughThreeCopies)
{
    writeEffects(dir);
    WorkingDir cwd(dir.path);
    cSound snd;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(snd.load());
    std::string out = ::testing::internal::GetCapturedStderr();
    if (!snd.getDevice().isOpen())
        GTEST_SKIP() << "OpenAL's null device did not open";
    EXPECT_EQ(out, expectedLines({}));

    for (int n = 0; n < 4; ++n)
        snd.play(7);
    EXPECT_EQ(snd.getDevice().startCount("snd7i0"), 2);
    EXPECT_EQ(snd.getDevice().startCount("snd7i1"), 1);
    EXPECT_EQ(snd.getDevice().startCount("snd7i2"), 1);
    EXPECT_EQ(snd.getDevice().startCount("snd6i0"), 0);

    // Indices outside the table are ignored rather than indexing past it.
    for (int bad : {-1, 8, 1000000})
        snd.play(bad);
    snd.play(1);
    EXPECT_EQ(snd.getDevice().startCount("snd1i0"), 1);

    snd.dispose();
    EXPECT_FALSE(snd.getDevice().isOpen());
    EXPECT_EQ(snd.getDevice().startCount("snd1i0"), 0);
    snd.play(1);  // after closing: nothing to play, nothing breaks
    snd.dispose();
}

TEST_F(Sound, MissingOrBrokenFilesFailOnTheirOwnLine)
{
    writeEffects(dir);
    std::filesystem::remove(dir.file("sounds/roger.wav"));
    // A WAV header that promises far more samples than the file has, and plain junk.
    std::string wav = sineWav(50);
    writeFile(dir.file("sounds/clear.wav"), wav.substr(0, 44));
    writeFile(dir.file("sounds/laught.wav"), std::string(3000, '\x7f'));
    WorkingDir cwd(dir.path);
    cSound snd;
    ::testing::internal::CaptureStderr();
    snd.load();
    std::string out = ::testing::internal::GetCapturedStderr();
    if (!snd.getDevice().isOpen())
        GTEST_SKIP() << "OpenAL's null device did not open";
    EXPECT_EQ(out, expectedLines({"roger", "clear", "laught"}));

    snd.play(1);  // the failed effect plays nothing
    snd.play(4);
    EXPECT_EQ(snd.getDevice().startCount("snd1i0"), 0);
    EXPECT_EQ(snd.getDevice().startCount("snd4i0"), 1);
}

// Each of these re-runs the test binary for its body, so OpenAL starts there with the
// configuration the test sets instead of the one this process already read.
TEST(SoundDevice, WithoutAnyDeviceEveryEffectFailsAndTheGameRunsSilent)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ScratchDir dir;
    writeEffects(dir);
    EXPECT_EXIT(
        {
            setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
            WorkingDir cwd(dir.path);
            cSound snd;
            snd.dispose();  // before any load
            snd.load();
            snd.play(1);
            snd.dispose();
            std::exit(snd.getDevice().isOpen() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "(Loading sound \"sounds/[a-z0-9]+\\.wav\" \\.\\. FAILED\n){8}");
}

namespace {

// True when the data chunk of a WAV file holds anything but one repeated byte (silence).
bool wavHasSignal(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t data = bytes.find("data");
    if (data == std::string::npos || data + 8 >= bytes.size())
        return false;
    std::string samples = bytes.substr(data + 8);
    return samples.find_first_not_of(samples[0]) != std::string::npos;
}

} // namespace

TEST(SoundDevice, PlayedEffectReachesTheOutput)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The re-run body must write where this process looks, so the folder is handed down.
    const char* handedDown = std::getenv("ORBIX_SOUND_TEST_DIR");
    std::unique_ptr<ScratchDir> own;
    std::filesystem::path dir;
    if (handedDown) {
        dir = handedDown;
    } else {
        own = std::make_unique<ScratchDir>();
        dir = own->path;
        setenv("ORBIX_SOUND_TEST_DIR", dir.c_str(), 1);
    }
    std::string conf = (dir / "alsoft.conf").string();
    std::string silentOut = (dir / "silent.wav").string();
    std::string playedOut = (dir / "played.wav").string();
    auto run = [&](const std::string& out, bool playSomething) {
        writeFile((dir / "sounds/roger.wav").string(), sineWav(300));
        writeFile(conf, "[general]\ndrivers=wave\n[wave]\nfile=" + out + "\n");
        unsetenv("ALSOFT_DRIVERS");
        setenv("ALSOFT_CONF", conf.c_str(), 1);
        WorkingDir cwd(dir);
        cSound snd;
        snd.load();
        if (!snd.getDevice().isOpen())
            std::exit(3);
        if (playSomething)
            snd.play(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        snd.dispose();
        std::exit(0);
    };
    EXPECT_EXIT(run(silentOut, false), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(run(playedOut, true), ::testing::ExitedWithCode(0), "");
    unsetenv("ORBIX_SOUND_TEST_DIR");
    ASSERT_TRUE(std::filesystem::exists(silentOut));
    ASSERT_TRUE(std::filesystem::exists(playedOut));
    EXPECT_FALSE(wavHasSignal(silentOut));
    EXPECT_TRUE(wavHasSignal(playedOut));
}
