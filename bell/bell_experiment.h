// What the Bell experiment is, apart from any window: the 36 coincidence
// counters, the current pair's settings and result, the random source, and the
// two rules that turn a pair's draws into a result (quantum mechanics, or a
// local hidden-variable source). The run drives it; the window shows it.
#pragma once

#include "scene/random_source.h"

// Each detector direction s (0 A, 1 B, 2 C) is a polarizer turned by 30·s
// degrees, the way the view turns the detectors and draws the lamp panels' axes.
constexpr int kDegreesPerSetting = 30;

class BellExperiment {
public:
    // Counters indexed [left direction][right direction][outcome].
    int counts[3][3][4] = {};
    int leftSetting = 0;
    int rightSetting = 0;
    // (leftSetting - rightSetting) * 30, in degrees.
    int angleDifference = 0;
    // 0 (+,+), 1 (+,-), 2 (-,+), 3 (-,-): the bit of value 2 is the left result
    // -, the bit of value 1 the right result -.
    int outcome = 0;
    // leftSetting * 100 + rightSetting * 10 + outcome, by which the view colours lamps.
    int pairCode = 0;
    // Which rule the next pairs follow; the window sets it before every pair
    // from its Local light. While it is set, `hiddenAngle` is the current
    // pair's hidden polarization in degrees, 0 to 180.
    bool local = false;
    double hiddenAngle = 0;
    RandomSource random;

    // A new run: the source reseeded with modulus 3, every counter zero.
    void start();
    // Draws one pair's settings and result and counts it. Both rules use the
    // same draws in the same order: the quantum rule reads the pair's fraction
    // as a probability, the local one as the hidden polarization.
    void performPair();

    // The two sides of N(A+,C+) <= N(B+,C+) + N(A+,B+).
    int inequalityLeft() const { return counts[0][2][0]; }
    int inequalityRight() const { return counts[1][2][0] + counts[0][1][0]; }
};

// The quantum result (as `outcome`) of a pair whose detectors differ by
// `angleDifference` degrees, for a fraction u from the random source.
int outcomeFor(float u, int angleDifference);

// The local source's rule: the left photon gives + at direction `setting` when
// its hidden polarization `hiddenAngle` (degrees) lies within 45 degrees of the
// direction, modulo 180; the right photon gives the opposite of what the left
// one would give at the right detector's direction.
bool localPlus(double hiddenAngle, int setting);
int localOutcomeFor(double hiddenAngle, int leftSetting, int rightSetting);
