// A 32-bit linear congruential generator with a modulus for integer draws and a
// fraction draw: the demonstrations' own runs draw from it, in their order.
// Its low bits repeat quickly (modulus 2 every 131,072 draws), which many BB84
// rounds would expose; the additions draw from StandardRandom.
#pragma once

#include <cstdint>

class RandomSource {
public:
    using TickSource = uint32_t (*)();

    uint32_t modulus = 1;
    uint32_t lastValue = 0;
    float lastFraction = 0.0f;
    // Decimal form of lastValue kept by owners that show it; the generator ignores it.
    char valueText[4] = {0, 0, 0, 0};
    uint32_t state;

    // Seeded from the tick source (the process clock).
    RandomSource();

    void reseed();
    // A modulus of 0 would divide by zero; it is taken as 1.
    void setModulus(uint32_t m) { modulus = m == 0 ? 1 : m; }

    // One generator step, then lastValue = bits 16..31 of the state modulo `modulus`.
    void next();
    uint32_t value() const { return lastValue; }

    // One generator step, then lastFraction = state / 4294836224 in single precision.
    // The divisor is 32767 * 131072, so results reach up to 1.0000305.
    void nextFraction();
    float fraction() const { return lastFraction; }

    // Where seeds come from. Tests replace it to make runs reproducible; the
    // program uses the processor clock.
    static void setTickSource(TickSource source);
    static uint32_t clockTicks();

private:
    void step() { state = state * 1103515245u + 12345u; }
    static TickSource tickSource;
};
