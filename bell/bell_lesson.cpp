// The Bell lesson's stops and captions. Latin-1 text: \xB0 is the degree sign.
#include "bell/bell_lesson.h"

#include "bell/bell_experiment.h"
#include "bell/inequality_verdict.h"

#include <cmath>

namespace {

// Below this rough z the exact test cannot reach 3 standard deviations; it
// spares the exact test at most pairs of a counting run.
constexpr double kRoughBound = 2.5;

bool violationShown(const BellExperiment& e) {
    const int left = e.inequalityLeft(), right = e.inequalityRight();
    if (left <= right || (left - right) < kRoughBound * std::sqrt(static_cast<double>(left + right))) {
        return false;
    }
    return significantViolation(violationSigmas(left, right));
}

int stageOf(BellPhase phase) {
    switch (phase) {
    case BellPhase::Pump: return bellLaser;
    case BellPhase::Emission: return bellPair;
    case BellPhase::Turning:
    case BellPhase::HeldBefore:
    case BellPhase::Approach: return bellSettings;
    case BellPhase::Detection:
    case BellPhase::HeldAfter:
    case BellPhase::Departure:
    case BellPhase::Cleared: return bellResults;
    case BellPhase::Done: return bellCounted;
    default: return 0;
    }
}

}  // namespace

int bellLessonStop(const BellExperiment& e) {
    if (e.pairNumber == 1 && !e.counting) {
        return stageOf(e.phase);
    }
    // A pair's count is in the row once the pair is done.
    if (e.performed == e.pairNumber && violationShown(e)) {
        return bellViolation;
    }
    return 0;
}

LessonCaption bellLessonCaption(int stop, const BellExperiment& e) {
    switch (stop) {
    case bellLaser:
        return {"The laser sends a photon (blue) into the crystal (the blue box).\n"
                "There it splits into two photons of lower energy: a pair."};
    case bellPair:
        if (e.local) {
            return {"Local: the pair leaves with a hidden polarization, an angle\n"
                    "drawn at random; each photon carries it as a cyan rod.\n"
                    "Their answers are fixed before any detector turns."};
        }
        return {"The pair leaves in the entangled state (|H>|V> - |V>|H>):\n"
                "neither photon has a polarization of its own, yet along\n"
                "the same direction their two results always differ."};
    case bellSettings:
        return {"Now each detector picks a direction at random: A (0\xB0),\n"
                "B (30\xB0) or C (60\xB0), chosen after the pair has left\n"
                "the crystal. The yellow letters show the two choices."};
    case bellResults:
        // Two lines: the band keeps clear of the lamp panels' centres.
        if (e.local) {
            return {"Each photon answers from its rod: + when it lies within 45\xB0\n"
                    "of the detector's + axis, - otherwise. The lamps show both."};
        }
        return {"Each detector finds + or -: a lamp lights in the colour of its\n"
                "direction and result. Alone, each result is random, + or - alike."};
    case bellCounted:
        return {"The pair is counted in its column (the two directions) and row\n"
                "(the two results). Watch the row under the inequality: can\n"
                "N(A+,C+) stay at or below N(B+,C+) + N(A+,B+) as pairs go on?"};
    case bellViolation:
        if (e.local) {
            return {"The verdict touched 3 standard deviations, yet these photons\n"
                    "carry their answers: this is chance. Count on and it falls\n"
                    "back; the number to judge is the final one."};
        }
        return {"N(A+,C+) now beats the sum on the right by 3 standard\n"
                "deviations: no source whose photons carry their answers does\n"
                "that but by rare chance. Quantum mechanics predicts it."};
    default:
        return {};
    }
}

LessonCaption bellLessonEnd(const BellExperiment& e) {
    if (e.local) {
        return {"Local source: N(A+,C+) stays near N(B+,C+) + N(A+,B+), so the\n"
                "verdict hovers around 0 however many pairs are counted, while\n"
                "equal directions still always give opposite results."};
    }
    return {"Performed counts every pair; the counters split them by directions\n"
            "and results. The verdict says by how many standard deviations\n"
            "N(A+,C+) beats the sum on the right: 3 or more is beyond chance."};
}
