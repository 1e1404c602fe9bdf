// Both random sources on one seed while a test lives, for model and window
// tests alike.
#pragma once

#include "scene/random_source.h"
#include "scene/standard_random.h"

#include <cstdint>

// The specified source reads `seed` for its clock ticks, the additions' generator
// starts its seed sequence there; both go back to their own sources at the end.
class FixedSeeds {
public:
    explicit FixedSeeds(uint32_t seed) {
        ticks() = seed;
        RandomSource::setTickSource([] { return ticks(); });
        StandardRandom::useSeedSequence(seed);
    }
    ~FixedSeeds() {
        RandomSource::setTickSource(nullptr);
        StandardRandom::useSystemEntropy();
    }
    FixedSeeds(const FixedSeeds&) = delete;
    FixedSeeds& operator=(const FixedSeeds&) = delete;
    // The seed can change between runs of one test.
    static void reseed(uint32_t seed) { ticks() = seed; }

private:
    static uint32_t& ticks() {
        static uint32_t value = 0;
        return value;
    }
};
