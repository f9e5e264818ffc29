// RIFF/WAVE output: a 44-byte header and little-endian 16-bit samples.
#include "cWavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {
void put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; i++) s.push_back(char(uint8_t(v >> (8 * i))));
}
void put16(std::string& s, uint16_t v) {
    s.push_back(char(uint8_t(v)));
    s.push_back(char(uint8_t(v >> 8)));
}
}  // namespace

std::string cWavWriter::bytes(const std::vector<float>& samples, int rate) {
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::string s;
    s.reserve(44 + dataBytes);
    s += "RIFF";
    put32(s, 36 + dataBytes);
    s += "WAVEfmt ";
    put32(s, 16);
    put16(s, 1);  // PCM
    put16(s, 1);  // mono
    put32(s, uint32_t(rate));
    put32(s, uint32_t(rate) * 2);
    put16(s, 2);
    put16(s, 16);
    s += "data";
    put32(s, dataBytes);
    for (float x : samples) {
        const long v = std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f);
        put16(s, uint16_t(int16_t(v)));
    }
    return s;
}

bool cWavWriter::save(const std::string& path, const std::vector<float>& samples, int rate) {
    std::ofstream f(path, std::ios::binary);
    if (!f) return false;
    const std::string b = bytes(samples, rate);
    f.write(b.data(), std::streamsize(b.size()));
    return bool(f);
}
