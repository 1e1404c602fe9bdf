// Seeding and draws of StandardRandom.
#include "scene/standard_random.h"

#include <chrono>

namespace {

bool sequenceInUse = false;
uint64_t sequenceNext = 0;

}  // namespace

StandardRandom::StandardRandom() { reseed(); }

void StandardRandom::reseed() {
    engine.seed(nextSeed());
    bitsLeft = 0;
}

int StandardRandom::bit() {
    if (bitsLeft == 0) {
        bits = engine();
        bitsLeft = 64;
    }
    const int b = static_cast<int>(bits & 1);
    bits >>= 1;
    --bitsLeft;
    return b;
}

uint32_t StandardRandom::below(uint32_t n) {
    if (n <= 1) return 0;
    return std::uniform_int_distribution<uint32_t>(0, n - 1)(engine);
}

void StandardRandom::useSeedSequence(uint64_t first) {
    sequenceInUse = true;
    sequenceNext = first;
}

void StandardRandom::useSystemEntropy() { sequenceInUse = false; }

uint64_t StandardRandom::nextSeed() {
    if (sequenceInUse) return sequenceNext++;
    // A system without an entropy source throws here; a clock reading is still
    // a seed no two runs share, and a lesson must not end for want of one.
    try {
        std::random_device device;
        return (static_cast<uint64_t>(device()) << 32) ^ device();
    } catch (...) {
        return static_cast<uint64_t>(
            std::chrono::high_resolution_clock::now().time_since_epoch().count());
    }
}
