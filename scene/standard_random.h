// The generator of everything the additions draw (an eavesdropper, counted
// rounds, the error check's sample, tallies): the standard library's 64-bit
// Mersenne twister, seeded from the system's entropy or, in tests, from a
// reproducible sequence of seeds.
#pragma once

#include <cstdint>
#include <random>

class StandardRandom {
public:
    // Seeded at once, as reseed() does.
    StandardRandom();

    // A fresh seed: from the system's entropy, or the next of the test sequence.
    void reseed();

    // 0 or 1, each with probability 1/2.
    int bit();
    // Uniform in 0 .. n - 1; an n of 0 is taken as 1.
    uint32_t below(uint32_t n);

    // Tests: from now on every reseed takes the next of first, first + 1, ...,
    // so that runs repeat and separate generators still differ.
    static void useSeedSequence(uint64_t first);
    // Back to the system's entropy.
    static void useSystemEntropy();

private:
    static uint64_t nextSeed();

    std::mt19937_64 engine;
    // bit() hands out the 64 bits of one output before drawing the next.
    uint64_t bits = 0;
    int bitsLeft = 0;
};
