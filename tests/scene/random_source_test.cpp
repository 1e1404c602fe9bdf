// The generator's worked values, the two kinds of draw and seeding.
#include "scene/random_source.h"

#include <gtest/gtest.h>

namespace {

uint32_t fixedTicks() { return 777; }

RandomSource fromState(uint32_t state) {
    RandomSource source;
    source.state = state;
    return source;
}

TEST(RandomSource, StatesAndDrawsModuloThreeFromZero) {
    RandomSource source = fromState(0);
    source.setModulus(3);
    const uint32_t states[] = {12345u, 3554416254u, 2802067423u, 3596950572u, 229283573u};
    const uint32_t values[] = {0, 2, 0, 0, 0};
    for (int i = 0; i < 5; ++i) {
        source.next();
        EXPECT_EQ(source.state, states[i]);
        EXPECT_EQ(source.value(), values[i]);
    }
}

TEST(RandomSource, FractionsFromZero) {
    RandomSource source = fromState(0);
    const float expected[] = {0.0000028744f, 0.8276023f, 0.6524271f};
    for (float fraction : expected) {
        source.nextFraction();
        EXPECT_NEAR(source.fraction(), fraction, 1e-7f);
    }
}

TEST(RandomSource, SecondStateModuloTwo) {
    RandomSource source = fromState(12345);
    source.setModulus(2);
    source.next();
    EXPECT_EQ(source.value(), 0u);
}

TEST(RandomSource, FractionsReachPastOne) {
    // The step before 4294967295: s * 1103515245 + 12345 = 2^32 - 1 (mod 2^32).
    const uint32_t inverse = 0xeeb9eb65u;  // 1103515245^-1 modulo 2^32
    const uint32_t before = (4294967295u - 12345u) * inverse;
    RandomSource source = fromState(before);
    source.nextFraction();
    ASSERT_EQ(source.state, 4294967295u);
    EXPECT_FLOAT_EQ(source.fraction(), 1.0000305f);
    EXPECT_GE(source.fraction(), 1.0f);
}

TEST(RandomSource, ReadingDoesNotDraw) {
    RandomSource source = fromState(42);
    source.setModulus(1000);
    source.next();
    const uint32_t state = source.state;
    EXPECT_EQ(source.value(), source.value());
    EXPECT_EQ(source.state, state);
    source.nextFraction();
    EXPECT_EQ(source.fraction(), source.fraction());
}

TEST(RandomSource, ModulusOneAlwaysGivesZero) {
    RandomSource source = fromState(99);
    for (int i = 0; i < 1000; ++i) {
        source.next();
        ASSERT_EQ(source.value(), 0u);
    }
}

TEST(RandomSource, BothKindsShareOneSequence) {
    RandomSource source = fromState(0);
    source.setModulus(3);
    source.nextFraction();
    source.next();
    // The integer comes from the second step, not from the fraction.
    EXPECT_EQ(source.state, 3554416254u);
    EXPECT_EQ(source.value(), 2u);
    EXPECT_NEAR(source.fraction(), 0.0000028744f, 1e-10f);
}

TEST(RandomSource, ZeroModulusIsTakenAsOne) {
    RandomSource source = fromState(5);
    source.setModulus(0);
    source.next();
    EXPECT_EQ(source.value(), 0u);
}

TEST(RandomSource, SeedsComeFromTheTickSource) {
    RandomSource::setTickSource(fixedTicks);
    RandomSource source;
    EXPECT_EQ(source.state, 777u);
    source.next();
    source.reseed();
    EXPECT_EQ(source.state, 777u);
    RandomSource::setTickSource(nullptr);
    RandomSource clocked;
    EXPECT_LT(clocked.state, 1000000000u);  // processor ticks since start
}

}  // namespace
