// A pair's draws, the quantum and the local rule, and the counting.
#include "bell/bell_experiment.h"

#include <cmath>

namespace {

constexpr double kRadiansPerDegree = 0.017453292519944444;
// Polarizations repeat every half turn.
constexpr double kHalfTurn = 180.0;
// Half the width of the band of hidden polarizations that answer + at a direction.
constexpr double kPlusBand = 45.0;

}  // namespace

void BellExperiment::start() {
    random.reseed();
    random.setModulus(3);
    for (auto& plane : counts)
        for (auto& row : plane)
            for (int& count : row) count = 0;
}

void BellExperiment::performPair() {
    random.nextFraction();
    // The left setting is the integer drawn at the end of the previous pair.
    leftSetting = static_cast<int>(random.value());
    random.next();
    rightSetting = static_cast<int>(random.value());
    random.next();
    angleDifference = (leftSetting - rightSetting) * kDegreesPerSetting;
    if (local) {
        // A fraction of 1 or a little more is a polarization of 180 degrees or a
        // little more: the same as 0, still a pair like any other.
        hiddenAngle = kHalfTurn * random.fraction();
        outcome = localOutcomeFor(hiddenAngle, leftSetting, rightSetting);
    } else {
        outcome = outcomeFor(random.fraction(), angleDifference);
    }
    ++counts[leftSetting][rightSetting][outcome];
    pairCode = leftSetting * 100 + rightSetting * 10 + outcome;
}

int outcomeFor(float u, int angleDifference) {
    const double theta = angleDifference * kRadiansPerDegree;
    const double p = std::sin(theta) * std::sin(theta);
    const double q = std::cos(theta) * std::cos(theta);
    int outcome = -1;
    if (u < p / 2) outcome = 0;
    if (p <= u && u < p + q / 2) outcome = 1;
    if (p + q / 2 <= u && u < p + q) outcome = 2;
    if (p / 2 <= u && u < p) outcome = 3;
    // The source's fractions reach 1.0000305. Such a fraction belongs to the
    // last interval; dropping the pair would skew the counts against Performed.
    return outcome < 0 ? 2 : outcome;
}

bool localPlus(double hiddenAngle, int setting) {
    // Distance to the direction along the half turn, either way round.
    const double apart = std::fmod(std::fabs(hiddenAngle - kDegreesPerSetting * setting), kHalfTurn);
    return apart <= kPlusBand || apart >= kHalfTurn - kPlusBand;
}

int localOutcomeFor(double hiddenAngle, int leftSetting, int rightSetting) {
    const bool leftMinus = !localPlus(hiddenAngle, leftSetting);
    // The right photon carries the opposite answers: its + is the left's -.
    const bool rightMinus = localPlus(hiddenAngle, rightSetting);
    return (leftMinus ? 2 : 0) + (rightMinus ? 1 : 0);
}
