// A pair's draws, the quantum and the local rule, the counting, and the run's
// frame steps through the ten phases of an animated pair.
#include "bell/bell_experiment.h"

#include <cmath>

namespace {

constexpr double kRadiansPerDegree = 0.017453292519944444;
// Polarizations repeat every half turn.
constexpr double kHalfTurn = 180.0;
// Half the width of the band of hidden polarizations that answer + at a direction.
constexpr double kPlusBand = 45.0;

constexpr double kPhotonStep = 0.1;

const char* const kLetters[3] = {"A", "B", "C"};

void advance(float& value, double step) { value = static_cast<float>(value + step); }

// Where each gliding phase ends, and how far the photons part at each step of it.
struct Glide {
    double limit;
    double spreadStep;
};
bool glideOf(BellPhase phase, Glide& glide) {
    switch (phase) {
    case BellPhase::Pump: glide = {-4.0, 0}; return true;
    case BellPhase::Emission: glide = {1.3, 0.028}; return true;
    case BellPhase::Turning: glide = {4.0, 0.02}; return true;
    case BellPhase::Approach: glide = {8.1, 0.02}; return true;
    case BellPhase::Detection: glide = {10.3, 0}; return true;
    case BellPhase::Departure: glide = {13.0, 0}; return true;
    default: return false;
    }
}

}  // namespace

BellExperiment::BellExperiment() {
    for (int side = 0; side < 2; ++side) {
        for (int direction = 0; direction < 3; ++direction) {
            resultColour(lamps[lampIndex(side, direction, true)], direction, true);
            resultColour(lamps[lampIndex(side, direction, false)], direction, false);
        }
    }
}

void BellExperiment::start() {
    random.reseed();
    random.setModulus(3);
    for (auto& plane : counts)
        for (auto& row : plane)
            for (int& count : row) count = 0;
    pairNumber = 0;
    performed = 0;
    holdFrames = 0;
    gliding = false;
    lampsOff();
    leftShownSetting = 0;
    rightShownSetting = 0;
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

FrameEnd BellExperiment::step(const BellControls& controls) {
    if (performed == pairNumber) {
        // Experiment is read before every pair; clamped, the pair number cannot
        // overflow.
        if (pairNumber + 1 > clampExperiment(controls.experiment)) {
            return FrameEnd::Finished;
        }
        beginPair(controls);
        if (counting) {
            // Not animated: it goes as fast as the pairs can be counted.
            performed = pairNumber;
            return FrameEnd::Events;
        }
        enter(BellPhase::Pump, controls);
    } else if (gliding) {
        Glide glide{};
        glideOf(phase, glide);
        advance(photonX, kPhotonStep);
        if (glide.spreadStep != 0) {
            advance(photonSpread, glide.spreadStep);
        }
        gliding = false;
    }
    for (;;) {
        Glide glide{};
        if (glideOf(phase, glide)) {
            if (photonX < glide.limit) {
                gliding = true;
                return FrameEnd::Step;
            }
        } else if (phase == BellPhase::Done) {
            performed = pairNumber;
            return FrameEnd::Frame;
        } else if (holdFrames > 0) {
            --holdFrames;
            return FrameEnd::Step;
        }
        // The phases follow each other in the order of their numbers.
        enter(static_cast<BellPhase>(static_cast<int>(phase) + 1), controls);
    }
}

void BellExperiment::stop() {
    // A pair cut short is still written as performed, so that the counters
    // always add up to Performed.
    performed = pairNumber;
    gliding = false;
}

void BellExperiment::beginPair(const BellControls& controls) {
    photonX = -12.0f;
    photonSpread = 0.0f;
    // Local and Count are read at every pair: switched during an animated pair,
    // they act from the next pair on.
    local = controls.local;
    performPair();
    ++pairNumber;
    counting = controls.count;
}

void BellExperiment::enter(BellPhase next, const BellControls& controls) {
    setPhase(next);
    switch (next) {
    case BellPhase::Turning:
        leftShownSetting = leftSetting;
        rightShownSetting = rightSetting;
        leftLetter[0] = kLetters[leftSetting][0];
        rightLetter[0] = kLetters[rightSetting][0];
        break;
    case BellPhase::HeldBefore:
    case BellPhase::HeldAfter:
        holdFrames = controls.pause ? kPauseFrames : 0;
        break;
    case BellPhase::Detection:
        lightResultLamps(pairCode);
        setLeftTurn((outcome & 2) != 0);
        setRightTurn((outcome & 1) != 0);
        break;
    case BellPhase::Cleared:
        leftShownSetting = 0;
        rightShownSetting = 0;
        lampsOff();
        // One frame step shows the cleared detectors.
        holdFrames = 1;
        break;
    default:
        break;
    }
}

void BellExperiment::resultColour(Color& colour, int direction, bool minus) {
    switch (direction) {
    case 0:
        minus ? colour.setBlue() : colour.setRed();
        break;
    case 1:
        minus ? colour.setMagenta() : colour.setBrown();
        break;
    default:
        minus ? colour.setYellow() : colour.setGreen();
        break;
    }
}

void BellExperiment::lightResultLamps(int code) {
    const int left = code / 100;
    const int right = (code / 10) % 10;
    const int result = code % 10;
    const bool leftMinus = result == 2 || result == 3;
    const bool rightMinus = result == 1 || result == 3;
    resultColour(leftPhotonColour, left, leftMinus);
    resultColour(rightPhotonColour, right, rightMinus);
    lamps[lampIndex(0, left, leftMinus)] = leftPhotonColour;
    lamps[lampIndex(1, right, rightMinus)] = rightPhotonColour;
}

void BellExperiment::lampsOff() {
    for (Color& lamp : lamps) {
        lamp.setWhite();
    }
}

double clampExperiment(double value) {
    if (!(value > 0)) {  // also NaN
        return 0;
    }
    return value >= kMostPairs ? kMostPairs : std::floor(value);
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
