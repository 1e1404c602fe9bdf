// What the Bell experiment is, apart from any window: the 36 coincidence
// counters, the current pair's settings and result, the random source, the two
// rules that turn a pair's draws into a result (quantum mechanics, or a local
// hidden-variable source), and the run that animates the pairs frame by frame.
// The window fills the controls and shows the counts; the view draws the rest.
#pragma once

#include "scene/color.h"
#include "scene/frame_step.h"
#include "scene/random_source.h"

// Each detector direction s (0 A, 1 B, 2 C) is a polarizer turned by 30·s
// degrees, the way the view turns the detectors and draws the lamp panels' axes.
constexpr int kDegreesPerSetting = 30;

// The most pairs one run performs: the Experiment field's upper bound.
constexpr double kMostPairs = 999999;

// Frames that Pause holds the pair just before and just after detection.
constexpr int kPauseFrames = 99;

// The ten phases of an animated pair; Idle before the first pair of a window.
enum class BellPhase {
    Idle = 0,
    Pump = 1,          // the pump photon flies to the crystal
    Emission = 2,      // the pair leaves the crystal
    Turning = 3,       // the detectors turn to this pair's directions
    HeldBefore = 4,    // Pause holds the pair before detection
    Approach = 5,      // on to the detectors
    Detection = 6,     // detected: lamps lit, arrows show the results
    HeldAfter = 7,     // Pause holds the detected pair
    Departure = 8,     // the arrows fly on
    Cleared = 9,       // detectors back to A, lamps off
    Done = 10,         // the pair is done
};

// What the window's controls say, read at every step.
struct BellControls {
    // Experiment: how many pairs the run performs; clamped to 0..999999 when read.
    double experiment = 0;
    bool pause = false;
    bool count = false;
    bool local = false;
};

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
    // leftSetting * 100 + rightSetting * 10 + outcome, by which lamps are coloured.
    int pairCode = 0;
    // Which rule the current pair followed; read from Local before every pair.
    // While it is set, `hiddenAngle` is the pair's hidden polarization in
    // degrees, 0 to 180.
    bool local = false;
    double hiddenAngle = 0;
    RandomSource random;

    // The run: the pair drawn last (counted at once), and the pairs written as
    // performed (after their animation).
    int pairNumber = 0;
    int performed = 0;
    // Whether the current pair is counted without animation (Count at its start).
    bool counting = false;

    // What the animation shows of the current pair.
    BellPhase phase = BellPhase::Idle;
    // Positions are single precision, advanced in double precision and stored back.
    float photonX = -12.0f;
    float photonSpread = 0.0f;
    // Direction index (0 A, 1 B, 2 C) by which each detector is turned.
    int leftShownSetting = 0;
    int rightShownSetting = 0;
    char leftLetter[2] = "A";
    char rightLetter[2] = "A";
    // Extra turn of each detected photon's arrow: 0 for result +, 90 for result -.
    int leftTurn = 0;
    int rightTurn = 0;
    // Lamp = side * 6 + (3 if the result is +) + direction; side 0 left, 1 right.
    // Until the first Start every lamp shows its own direction and result.
    Color lamps[12];
    Color leftPhotonColour;
    Color rightPhotonColour;

    BellExperiment();

    // A new run: the source reseeded with modulus 3, every counter zero, the
    // detectors at A and the lamps off.
    void start();
    // Draws one pair's settings and result and counts it. Both rules use the
    // same draws in the same order: the quantum rule reads the pair's fraction
    // as a probability, the local one as the hidden polarization.
    void performPair();
    // One frame step of the run: the next pair when the last one is done (or
    // Finished when Experiment has them all), else the next frame of its
    // animation. A counted pair is one step without a frame; the end of an
    // animated pair is a frame outside the counted steps.
    FrameEnd step(const BellControls& controls);
    // The run stops with its window: the pair under way is still performed.
    void stop();

    // A counter as the window shows and a saved file holds it: the pair under
    // way is counted when it is drawn, but shown only once it is performed.
    int performedCount(int left, int right, int result) const {
        const bool current = performed != pairNumber && left == leftSetting &&
                             right == rightSetting && result == outcome;
        return counts[left][right][result] - (current ? 1 : 0);
    }

    // The two sides of N(A+,C+) <= N(B+,C+) + N(A+,B+).
    int inequalityLeft() const { return counts[0][2][0]; }
    int inequalityRight() const { return counts[1][2][0] + counts[0][1][0]; }

    void setPhase(BellPhase n) { phase = n; }
    void setLeftTurn(bool minus) { leftTurn = minus ? 90 : 0; }
    void setRightTurn(bool minus) { rightTurn = minus ? 90 : 0; }
    // Colours the two photons and their two lamps after the result in `pairCode`
    // (left direction * 100 + right direction * 10 + outcome).
    void lightResultLamps(int pairCode);
    void lampsOff();

    // The colour that a direction (0..2) shows for a result.
    static void resultColour(Color& colour, int direction, bool minus);
    static int lampIndex(int side, int direction, bool minus) {
        return side * 6 + (minus ? 0 : 3) + direction;
    }

private:
    // Frames left of a Pause hold.
    int holdFrames = 0;
    // The frame just shown glides the pair on: it moves before the next one.
    bool gliding = false;

    void beginPair(const BellControls& controls);
    void enter(BellPhase next, const BellControls& controls);
};

// Whole numbers 0..999999: what the Experiment field may hold.
double clampExperiment(double value);

// The quantum result (as `outcome`) of a pair whose detectors differ by
// `angleDifference` degrees, for a fraction u from the random source.
int outcomeFor(float u, int angleDifference);

// The local source's rule: the left photon gives + at direction `setting` when
// its hidden polarization `hiddenAngle` (degrees) lies within 45 degrees of the
// direction, modulo 180; the right photon gives the opposite of what the left
// one would give at the right detector's direction.
bool localPlus(double hiddenAngle, int setting);
int localOutcomeFor(double hiddenAngle, int leftSetting, int rightSetting);
