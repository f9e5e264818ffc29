// The generated and recorded sounds: readable by libsndfile, short, audible
// and not clipped, with three shots that really differ.
#include "contentTestSupport.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <string>
#include <vector>

using namespace contentTest;

namespace {

struct sClip {
    bool ok = false;
    int rate = 0, channels = 0, format = 0;
    std::vector<float> samples;
};

sClip readClip(const std::string& name) {
    sClip c;
    SF_INFO info{};
    SNDFILE* f = sf_open((dir() / "sounds" / name).c_str(), SFM_READ, &info);
    if (!f) return c;
    c.rate = info.samplerate;
    c.channels = info.channels;
    c.format = info.format;
    c.samples.resize(size_t(info.frames * info.channels));
    c.ok = sf_readf_float(f, c.samples.data(), info.frames) == info.frames;
    sf_close(f);
    return c;
}

double peak(const std::vector<float>& s) {
    double p = 0;
    for (float x : s) p = std::max(p, double(std::fabs(x)));
    return p;
}

}  // namespace

TEST(ContentSounds, EveryEffectIsAShortAudiblePcmWav) {
    SKIP_WITHOUT_CONTENT();
    for (const char* name : {"ctsm.wav", "roger.wav", "clear.wav", "laught.wav", "pistol1.wav", "pistol2.wav",
                             "pistol3.wav", "explode.wav"}) {
        const sClip c = readClip(name);
        ASSERT_TRUE(c.ok) << name;
        EXPECT_EQ(c.format & SF_FORMAT_TYPEMASK, SF_FORMAT_WAV) << name;
        EXPECT_EQ(c.format & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_16) << name;
        const double seconds = double(c.samples.size()) / c.channels / c.rate;
        EXPECT_GT(seconds, 0.1) << name;
        EXPECT_LT(seconds, 3.0) << name;
        const double p = peak(c.samples);
        EXPECT_GT(p, 0.3) << name << " is too quiet";
        EXPECT_LT(p, 0.999) << name << " clips";
        // A clean end: no click when the sound stops.
        EXPECT_LT(std::fabs(c.samples.back()), 0.05) << name;
    }
}

TEST(ContentSounds, TheThreePistolShotsDiffer) {
    SKIP_WITHOUT_CONTENT();
    const sClip a = readClip("pistol1.wav"), b = readClip("pistol2.wav"), c = readClip("pistol3.wav");
    ASSERT_TRUE(a.ok && b.ok && c.ok);
    EXPECT_NE(a.samples.size(), b.samples.size());
    EXPECT_NE(b.samples.size(), c.samples.size());
    EXPECT_NE(a.samples.size(), c.samples.size());
}
