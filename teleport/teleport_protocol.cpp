// The four results' table and the arithmetic of directions modulo 180 degrees.
#include "teleport/teleport_protocol.h"

#include "scene/standard_random.h"

namespace {

constexpr int kStepDegrees = 180 / kDirections;

int directionOf(int degrees) {
    const int angle = ((degrees % 180) + 180) % 180;
    return angle / kStepDegrees;
}

}  // namespace

// r = 0: θ; 1: −θ; 2: 90° − θ; 3: θ + 90°. The dial angles point the needle at
// the numbers "0" to "3".
const BellResult kBellResults[kResults] = {
    {"00", 24, +1, 0},
    {"01", 6, -1, 0},
    {"10", -13, -1, 90},
    {"11", -30, +1, 90},
};

int directionAfterResult(int p, int r) {
    const BellResult& result = kBellResults[r];
    return directionOf(result.sign * p * kStepDegrees + result.offsetDegrees);
}

int applyOperation(int s, int d) {
    // The inverse of φ = sign·θ + offset is θ = sign·(φ − offset), as sign is ±1.
    const BellResult& result = kBellResults[s];
    return directionOf(result.sign * (d * kStepDegrees - result.offsetDegrees));
}

TeleportFacts teleport(int p, int r, bool messageSent) {
    TeleportFacts facts;
    facts.input = p;
    facts.result = r;
    facts.messageSent = messageSent;
    const int arriving = directionAfterResult(p, r);
    if (messageSent) {
        facts.operation = r;
        facts.output = applyOperation(r, arriving);
    } else {
        facts.output = arriving;
    }
    return facts;
}

void TeleportTally::add(const TeleportFacts& facts) {
    ++runs;
    ++results[facts.result];
    lastInput = facts.input;
    if (facts.output == facts.input) {
        ++matches;
    }
}

double TeleportTally::share(int count) const { return runs > 0 ? double(count) / runs : 0.0; }

void tallyRuns(TeleportTally& tally, StandardRandom& source, int n) {
    for (int i = 0; i < n; ++i) {
        const int p = static_cast<int>(source.below(kDirections));
        const int r = static_cast<int>(source.below(kResults));
        tally.add(teleport(p, r, tally.messageSent));
    }
}
