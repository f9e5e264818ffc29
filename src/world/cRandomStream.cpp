// splitmix64: small, fast and good enough for game decisions; std::rand differs between libraries.
#include "world/cRandomStream.h"

void cRandomStream::reseed(uint64_t seed) {
    // Mixed once, so that seeds 1, 2, 3 do not start from neighbouring states.
    state = seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull;
}

uint32_t cRandomStream::next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 32);
}

int cRandomStream::below(int n) {
    if (n < 1) return 0;
    // Scaled rather than taken modulo, so that no value is favoured beyond 1 in 2^32 / n.
    return int((uint64_t(next()) * uint64_t(n)) >> 32);
}

double cRandomStream::range(double lo, double hi) {
    if (!(hi > lo)) return lo;
    return lo + (hi - lo) * (next() / 4294967296.0);
}
