// The inequality's verdict: the exact binomial tail as a normal-equivalent σ,
// and its words.
#include "bell/inequality_verdict.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// A violation this many standard deviations strong is no longer chance.
constexpr double kSignificantSigmas = 3.0;

// Beyond this the complementary error function underflows long before the
// tails a million pairs can reach; its asymptotic series takes over, and
// agrees with it there to about 1e-10.
constexpr double kAsymptoticFrom = 30.0;
constexpr double kSqrtTwoPi = 2.5066282746310002;

// log P(X >= left) for X ~ Binomial(left + right, 1/2), with left > right: in
// logarithms, since a million pairs reach tails far below the smallest double.
double logUpperTail(int left, int right) {
    const double n = static_cast<double>(left) + right;
    const double logFirst =
        std::lgamma(n + 1) - std::lgamma(left + 1.0) - std::lgamma(right + 1.0) - n * std::log(2.0);
    // The later terms relative to the first fall off at once, as left > n / 2.
    double sum = 1, term = 1;
    for (double k = left; k < n && term > sum * 1e-17; ++k) {
        term *= (n - k) / (k + 1);
        sum += term;
    }
    return logFirst + std::log(sum);
}

// log Q(x), Q the standard normal's upper tail, for x >= 0.
double logNormalTail(double x) {
    if (x < kAsymptoticFrom) return std::log(0.5 * std::erfc(x / std::sqrt(2.0)));
    const double r = 1 / (x * x);
    return -x * x / 2 - std::log(x * kSqrtTwoPi) + std::log1p(-r * (1 - 3 * r * (1 - 5 * r)));
}

// The x >= 0 with log Q(x) = logP, for a tail of 1/2 or less. Q(x) < φ(x)/x
// puts it below sqrt(-2 logP) once that is 1 or more.
double normalEquivalent(double logP) {
    double low = 0, high = std::max(1.0, std::sqrt(-2 * logP));
    while (high - low > 1e-12 * high) {
        const double mid = (low + high) / 2;
        (logNormalTail(mid) > logP ? low : high) = mid;
    }
    return (low + high) / 2;
}

std::string words(double z, bool holds) {
    // Rounded toward zero in tenths (the small allowance keeps 0.3, computed as
    // 0.29999..., at 0.3), and on the verdict's side of its boundaries.
    const double tenths = std::floor(std::fabs(z) * 10 + 1e-9);
    char text[64];
    if (holds) {
        // A minus sign, not a hyphen; the font draws both σ and −.
        std::snprintf(text, sizeof text, "holds (\u2212%.1f \u03c3)", tenths / 10);
    } else if (significantViolation(z)) {
        std::snprintf(text, sizeof text, "violated by %.1f \u03c3", std::max(tenths, 30.0) / 10);
    } else {
        std::snprintf(text, sizeof text, "not yet significant (%.1f \u03c3)",
                      std::min(tenths, 29.0) / 10);
    }
    return text;
}

}  // namespace

double violationSigmas(int left, int right) {
    if (left < right) return -violationSigmas(right, left);
    // One pair more than a tie has a tail of exactly 1/2. A tie's tail is more
    // than 1/2, whose negative σ would call a level row one below the bound.
    if (left <= right + 1) return 0.0;
    return normalEquivalent(logUpperTail(left, right));
}

bool significantViolation(double z) { return z >= kSignificantSigmas; }

std::string verdictFor(double z) { return words(z, z < 0); }

std::string verdictFor(int left, int right) {
    return words(violationSigmas(left, right), left < right);
}
