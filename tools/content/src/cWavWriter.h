// Writes mono 16-bit PCM WAV files from float samples in -1..1.
#pragma once

#include <string>
#include <vector>

class cWavWriter {
public:
    static constexpr int kRate = 22050;  // samples per second of every generated sound

    // Samples beyond -1..1 are clipped. False when the file cannot be written.
    static bool save(const std::string& path, const std::vector<float>& samples, int rate = kRate);
    // The file's bytes, as save writes them.
    static std::string bytes(const std::vector<float>& samples, int rate = kRate);
};
