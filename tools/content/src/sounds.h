// The synthesised sound effects: three pistol shots, an explosion, a radio
// chirp and a laugh. The two spoken lines are recorded files (tools/content/recorded).
#pragma once

#include <string>
#include <vector>

// Mono samples at cWavWriter::kRate, peak about 0.9.
std::vector<float> pistolShot(int variant);  // variant 1 to 3
std::vector<float> explosion();
std::vector<float> radioChirp();
std::vector<float> laugh();

// Writes the six synthesised WAV files into dir; false when one cannot be written.
bool writeSounds(const std::string& dir);
