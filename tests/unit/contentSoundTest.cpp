// The generated and recorded sounds: 16-bit PCM WAVs that libsndfile reads, short, audible,
// not clipped, ending without a click, with three pistol shots that differ.
#include "contentTestSupport.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

using namespace contentTest;

TEST(ContentSounds, EveryEffectIsAShortAudiblePcmWav) {
    SKIP_WITHOUT_CONTENT();
    std::set<sf_count_t> pistolLengths;
    for (const char* name : {"ctsm", "roger", "clear", "laught", "pistol1", "pistol2", "pistol3", "explode"}) {
        SF_INFO info{};
        SNDFILE* f = sf_open((dir() / "sounds" / (std::string(name) + ".wav")).c_str(), SFM_READ, &info);
        ASSERT_NE(f, nullptr) << name;
        std::vector<float> samples(size_t(info.frames * info.channels));
        EXPECT_EQ(sf_readf_float(f, samples.data(), info.frames), info.frames) << name;
        sf_close(f);
        EXPECT_EQ(info.format & (SF_FORMAT_TYPEMASK | SF_FORMAT_SUBMASK), SF_FORMAT_WAV | SF_FORMAT_PCM_16) << name;
        const double seconds = double(info.frames) / info.samplerate;
        EXPECT_TRUE(seconds > 0.1 && seconds < 3.0) << name << " lasts " << seconds << " s";
        double peak = 0;
        for (float x : samples) peak = std::max(peak, double(std::fabs(x)));
        EXPECT_GT(peak, 0.3) << name << " is too quiet";
        EXPECT_LT(peak, 0.999) << name << " clips";
        EXPECT_LT(std::fabs(samples.back()), 0.05) << name << " clicks when it stops";
        if (std::string(name).rfind("pistol", 0) == 0) pistolLengths.insert(info.frames);
    }
    EXPECT_EQ(pistolLengths.size(), 3u) << "the three pistol shots should differ";
}
