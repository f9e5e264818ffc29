// Deterministic pseudo-random numbers for the content generators: the same seed
// gives the same content on every machine and compiler, unlike std::rand.
#pragma once

#include <cstdint>

class cRandom {
public:
    explicit cRandom(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}

    // Next 32 random bits (splitmix64, upper half).
    uint32_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return uint32_t((z ^ (z >> 31)) >> 32);
    }
    // Uniform in [0, 1).
    double unit() { return next() / 4294967296.0; }
    // Uniform in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    // Uniform integer in [0, n); n must be positive.
    int below(int n) { return int(next() % uint32_t(n)); }

private:
    uint64_t state;
};
