// The inequality's verdict in standard deviations.
#include "bell/inequality_verdict.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// A violation this many standard deviations strong is no longer chance.
constexpr double kSignificantSigmas = 3.0;

}  // namespace

double violationSigmas(int left, int right) {
    const double counted = static_cast<double>(left) + right;
    return counted == 0 ? 0.0 : (static_cast<double>(left) - right) / std::sqrt(counted);
}

bool significantViolation(double z) { return z >= kSignificantSigmas; }

std::string verdictFor(double z) {
    // Rounded down in tenths (the small allowance keeps 0.3, computed as
    // 0.29999..., at 0.3), and on the verdict's side of its boundaries.
    const double tenths = std::floor(z * 10 + 1e-9);
    char text[64];
    if (significantViolation(z)) {
        std::snprintf(text, sizeof text, "violated by %.1f \u03c3", std::max(tenths, 30.0) / 10);
    } else if (z < 0) {
        // A minus sign, not a hyphen; the font draws both σ and −.
        std::snprintf(text, sizeof text, "holds (\u2212%.1f \u03c3)", -std::min(tenths, -1.0) / 10);
    } else {
        std::snprintf(text, sizeof text, "not yet significant (%.1f \u03c3)",
                      std::min(tenths, 29.0) / 10);
    }
    return text;
}
