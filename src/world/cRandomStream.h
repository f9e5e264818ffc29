// A seeded stream of random numbers that a level owns, so that its draws do not depend on anything else the process does.
#pragma once

#include <cstdint>

class cRandomStream {
public:
    explicit cRandomStream(uint64_t seed = 0) { reseed(seed); }

    // The same seed gives the same numbers on every machine and compiler.
    void reseed(uint64_t seed);
    // The next 32 random bits.
    uint32_t next();
    // Uniform integer in [0, n); 0 for n < 1.
    int below(int n);
    // Uniform in [lo, hi); lo when the range is empty.
    double range(double lo, double hi);

private:
    uint64_t state = 0;
};
