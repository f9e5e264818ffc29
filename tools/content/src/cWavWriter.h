// Writes mono 16-bit PCM WAV files from float samples in -1..1, through libsndfile.
#pragma once

#include <string>
#include <vector>

class cWavWriter {
public:
    static constexpr int kRate = 22050;  // samples per second of every generated sound

    // Samples beyond -1..1 are clipped. False, with no file left behind, when it cannot be written.
    static bool save(const std::string& path, const std::vector<float>& samples, int rate = kRate);
};
