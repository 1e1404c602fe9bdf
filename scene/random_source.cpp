// Generator steps, draws and seeding of RandomSource.
#include "scene/random_source.h"

#include <ctime>

RandomSource::TickSource RandomSource::tickSource = &RandomSource::clockTicks;

uint32_t RandomSource::clockTicks() { return static_cast<uint32_t>(std::clock()); }

void RandomSource::setTickSource(TickSource source) {
    tickSource = source ? source : &RandomSource::clockTicks;
}

RandomSource::RandomSource() : state(tickSource()) {}

void RandomSource::reseed() { state = tickSource(); }

void RandomSource::next() {
    step();
    lastValue = (state >> 16) % modulus;
}

void RandomSource::nextFraction() {
    step();
    // Two single-precision roundings (state to float, then the quotient): the
    // fraction's range up to 1.0000305 follows from them.
    lastFraction = static_cast<float>(state) / 4294836224.0f;
}
