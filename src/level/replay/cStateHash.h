// A 64-bit FNV-1a hash fed piece by piece: the checkpoints of a recording and the content it was made with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class cStateHash {
public:
    void addBytes(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; i++) {
            value ^= p[i];
            value *= 0x100000001b3ull;
        }
    }
    // By their bit patterns, so that -0 and 0 differ as the simulation may tell them apart.
    void add(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        add(static_cast<int64_t>(bits));
    }
    void add(int64_t v) {
        unsigned char b[8];
        for (int i = 0; i < 8; i++)
            b[i] = static_cast<unsigned char>(static_cast<uint64_t>(v) >> (8 * i));
        addBytes(b, sizeof b);
    }
    void add(int v) { add(static_cast<int64_t>(v)); }
    void add(bool v) { add(static_cast<int64_t>(v)); }
    // Adds the file's bytes; false when it cannot be read.
    bool addFile(const std::string& path);
    uint64_t get() const { return value; }

private:
    uint64_t value = 0xcbf29ce484222325ull;
};
