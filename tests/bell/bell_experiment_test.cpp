// The local hidden-variable rule against the directions the view draws, its
// statistics over a million pairs, and the inequality's verdict in sigmas.
#include "bell/bell_experiment.h"
#include "bell/inequality_verdict.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace {

// Which of the twelve 15-degree bands of hidden polarization give + at A (the
// vertical + axis of the lamp panels), B (30 degrees on) and C (60 degrees on):
// those within 45 degrees of the direction, modulo 180.
const char* const kPlusBands[3] = {
    "+++------+++",
    "+++++------+",
    "-++++++-----",
};

TEST(BellLocalRule, EveryBandAgainstEverySettingPair) {
    for (int band = 0; band < 12; ++band) {
        const double hidden = 15.0 * band + 7.5;
        for (int l = 0; l < 3; ++l) {
            for (int r = 0; r < 3; ++r) {
                const bool leftPlus = kPlusBands[l][band] == '+';
                // The right photon answers the opposite of the left one's answer there.
                const bool rightPlus = kPlusBands[r][band] == '-';
                const int expected = (leftPlus ? 0 : 2) + (rightPlus ? 0 : 1);
                EXPECT_EQ(localOutcomeFor(hidden, l, r), expected) << hidden << " at " << l << r;
                if (l == r) {
                    EXPECT_TRUE(expected == 1 || expected == 2) << "equal settings, opposite results";
                }
            }
        }
    }
    // Polarizations a half turn apart are the same; the largest fraction the
    // source gives (a little above 1) is a polarization a little above 180.
    const float top = static_cast<float>(4294967295u) / 4294836224.0f;
    for (int l = 0; l < 3; ++l)
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(localOutcomeFor(180.0 * top, l, r), localOutcomeFor(0.004, l, r));
            EXPECT_EQ(localOutcomeFor(187.5, l, r), localOutcomeFor(7.5, l, r));
        }

    // That fraction still counts its pair.
    BellExperiment experiment;
    experiment.local = true;
    experiment.random.setModulus(1);
    experiment.random.state = 230538014u;
    experiment.performPair();
    EXPECT_GT(experiment.random.fraction(), 1.0f);
    EXPECT_EQ(experiment.counts[0][0][1], 1) << "A-A, hidden angle 180: + at A on the left";
}

// Counts of `pairs` pairs from each seed, by the local or the quantum rule.
void countPairs(BellExperiment& experiment, bool local, int pairs) {
    experiment.local = local;
    for (uint32_t seed : {1u, 4242u, 20261208u, 3000000001u}) {
        experiment.random.setModulus(3);
        experiment.random.state = seed;
        for (int i = 0; i < pairs; ++i) experiment.performPair();
    }
}

TEST(BellLocalRule, AMillionPairsReachTheBoundAndNoFurther) {
    const int total = 1000000;
    BellExperiment local;
    countPairs(local, true, total / 4);
    // Shares given the settings: (+,+) and (-,-) each |difference| / 180, the
    // others the rest of a half; so 1/3 for A-C, 1/6 for B-C and A-B.
    for (int l = 0; l < 3; ++l) {
        for (int r = 0; r < 3; ++r) {
            const double alike = std::abs(l - r) * 30 / 180.0;
            for (int o = 0; o < 4; ++o) {
                const int count = local.counts[l][r][o];
                const double share = (o == 0 || o == 3 ? alike : 0.5 - alike) / 9;
                if (share == 0) {
                    EXPECT_EQ(count, 0) << l << r << o;
                    continue;
                }
                const double sigma = std::sqrt(total * share * (1 - share));
                EXPECT_NEAR(count, total * share, 5 * sigma) << l << r << o;
            }
        }
    }
    // L and R have the same expectation, 1/27 of the pairs each; L - R spreads
    // by the square root of their sum.
    const int left = local.inequalityLeft(), right = local.inequalityRight();
    EXPECT_NEAR(left - right, 0, 5 * std::sqrt(2.0 * total / 27));
    auto share = [&local](int l, int r) {
        const int* column = local.counts[l][r];
        return column[0] / static_cast<double>(column[0] + column[1] + column[2] + column[3]);
    };
    std::printf("%d local pairs: P(A+,C+) %.4f, P(B+,C+) %.4f, P(A+,B+) %.4f; L %d, R %d, z %.2f\n",
                total, share(0, 2), share(1, 2), share(0, 1), left, right, violationSigmas(left, right));

    // From the same draws quantum mechanics gives 3/8 against 1/8 + 1/8.
    BellExperiment quantum;
    countPairs(quantum, false, total / 4);
    for (auto [count, share] : {std::pair{quantum.counts[0][2][0], 3 / 8.0},
                                {quantum.counts[1][2][0], 1 / 8.0},
                                {quantum.counts[0][1][0], 1 / 8.0}}) {
        const double p = share / 9;
        EXPECT_NEAR(count, total * p, 5 * std::sqrt(total * p * (1 - p)));
    }
}

// P(X >= left) for X ~ Binomial(left + right, 1/2), term by term from the top
// (each term C(n, k) / 2^n), apart from the verdict's own logarithms.
double binomialTail(int left, int right) {
    const int n = left + right;
    long double term = std::pow(0.5L, n), sum = 0;
    for (int k = n; k >= left; --k) {
        sum += term;
        term *= static_cast<long double>(k) / (n - k + 1);
    }
    return static_cast<double>(sum);
}

double normalTail(double z) { return 0.5 * std::erfc(z / std::sqrt(2.0)); }

TEST(BellVerdict, ExactBinomialTailsAsNormalEquivalentSigmas) {
    // The shown σ is the one whose normal tail is the exact binomial tail.
    for (auto [left, right] : {std::pair{9, 0}, {30, 15}, {500, 430}, {20, 5}, {833, 532}}) {
        const double sigmas = violationSigmas(left, right);
        EXPECT_NEAR(normalTail(sigmas) / binomialTail(left, right), 1.0, 1e-9) << left << "-" << right;
        EXPECT_EQ(violationSigmas(right, left), -sigmas) << "below the bound, the same test mirrored";
    }
    EXPECT_NEAR(violationSigmas(9, 0), 2.886, 0.0005);
    EXPECT_NEAR(violationSigmas(20, 5), 2.872, 0.0005);
    EXPECT_NEAR(violationSigmas(833, 532), 8.153, 0.0005);
    EXPECT_EQ(verdictFor(9, 0), "not yet significant (2.8 σ)");
    EXPECT_EQ(verdictFor(20, 5), "not yet significant (2.8 σ)");
    EXPECT_EQ(verdictFor(833, 532), "violated by 8.1 σ");
    // A tie, and one pair either side of it, weigh nothing; below the bound the
    // row holds even there.
    EXPECT_EQ(violationSigmas(0, 0), 0.0);
    EXPECT_EQ(violationSigmas(3, 3), 0.0);
    EXPECT_EQ(violationSigmas(4, 3), 0.0);
    EXPECT_EQ(verdictFor(3, 4), "holds (−0.0 σ)");
    EXPECT_EQ(verdictFor(3, 3), "not yet significant (0.0 σ)");
    // Tails far below the smallest double: every pair of a long run on the left.
    EXPECT_NEAR(violationSigmas(20000, 0), std::sqrt(2 * 20000 * std::log(2.0)), 1.0);
    EXPECT_GT(violationSigmas(250000, 0), violationSigmas(240000, 0));

    // A local source puts a pair of the row on the left with probability 1/2.
    // For every number of pairs in the row up to 300 its chance of reading
    // "violated" stays at most that of 3 σ; z = (L − R)/sqrt(L + R) read it for
    // nine pairs against none, once in 512 runs. From a few hundred pairs on
    // the exact σ and z differ by less than 0.1.
    const double threeSigma = normalTail(3.0);
    for (int n = 1; n <= 300; ++n) {
        double violated = 0, pmf = std::pow(0.5, n);
        for (int left = 0; left <= n; ++left) {
            const double sigmas = violationSigmas(left, n - left);
            if (significantViolation(sigmas)) violated += pmf;
            pmf *= static_cast<double>(n - left) / (left + 1);
            if (n >= 200 && std::fabs(sigmas) < 6) {
                EXPECT_NEAR(sigmas, (2.0 * left - n) / std::sqrt(n), 0.1) << left << " of " << n;
            }
        }
        EXPECT_LE(violated, threeSigma * (1 + 1e-9)) << n << " pairs";
    }
}

TEST(BellVerdict, WordsAndTenthsRoundedTowardZeroAtTheBoundaries) {
    struct Case {
        double z;
        const char* text;
    };
    for (Case c : {Case{0.0, "not yet significant (0.0 σ)"},
                   {3.0, "violated by 3.0 σ"},
                   {std::nextafter(3.0, 0.0), "not yet significant (2.9 σ)"},
                   {2.97, "not yet significant (2.9 σ)"},
                   {4.19, "violated by 4.1 σ"},
                   {0.1 * 3, "not yet significant (0.3 σ)"},
                   {-0.71, "holds (−0.7 σ)"},
                   {-0.79, "holds (−0.7 σ)"},
                   {-0.1 * 3, "holds (−0.3 σ)"},
                   {-0.05, "holds (−0.0 σ)"},
                   {-std::numeric_limits<double>::denorm_min(), "holds (−0.0 σ)"},
                   {-3.05, "holds (−3.0 σ)"},
                   {12.345, "violated by 12.3 σ"}}) {
        EXPECT_EQ(verdictFor(c.z), c.text) << c.z;
        EXPECT_EQ(significantViolation(c.z), std::string(c.text).rfind("violated", 0) == 0) << c.z;
    }
    // The row's verdict is the words of its σ.
    for (auto [left, right] : {std::pair{241, 159}, {59, 41}, {47, 53}, {0, 4}, {9, 0}}) {
        EXPECT_EQ(verdictFor(left, right), verdictFor(violationSigmas(left, right))) << left << "-" << right;
    }
}

}  // namespace
