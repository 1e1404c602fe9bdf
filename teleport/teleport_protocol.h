// What a teleportation decides, as plain data: Alice's four results with what
// each does to photon 3 and the operation of Bob's that undoes it, the facts of
// one run that the view draws, and a tally over many runs.
#pragma once

class StandardRandom;

// Polarizations are the legend's six directions, index d for 30·d degrees;
// angles are taken modulo 180 degrees.
constexpr int kDirections = 6;
constexpr int kResults = 4;

// One of Alice's Bell-measurement results r. Photon 3 leaves her measurement
// along sign·θ + offset for an input along θ; Bob's dial setting r undoes that.
struct BellResult {
    const char* message;  // the two bits Alice sends
    int needleTarget;     // Bob's dial angle for setting r, degrees
    int sign;
    int offsetDegrees;
};
extern const BellResult kBellResults[kResults];

// Photon 3's direction once Alice found result r, for input direction p.
int directionAfterResult(int p, int r);
// Bob's operation at dial setting s applied to a photon along direction d.
int applyOperation(int s, int d);

// The facts of one run: what the run decided and the view shows.
struct TeleportFacts {
    int input = 0;  // p
    int result = 0;  // r
    bool messageSent = true;
    // Bob's dial setting; noOperation when no message told him one.
    int operation = noOperation;
    int output = 0;  // direction of Bob's output photon

    static constexpr int noOperation = -1;
};

// One teleportation of input p with Alice's result r: with the message Bob sets
// his dial to r and gets p back; without it his photon stays as Alice left it.
TeleportFacts teleport(int p, int r, bool messageSent);

// Running totals of many teleportations, all with the message sent or all without.
struct TeleportTally {
    bool messageSent = true;
    int runs = 0;
    int results[kResults] = {};
    int matches = 0;  // runs whose output equalled the input
    // The input of the latest run added, -1 before the first: while the tally
    // counts, the scene shows it, so that a class sees the inputs vary.
    int lastInput = -1;
    // Set while the runs are being added, cleared when the tally is done.
    bool running = false;

    void add(const TeleportFacts& facts);
    // count / runs; 0 before the first run.
    double share(int count) const;
};

// Adds n teleportations to the tally, p (one of 6) then r (one of 4) drawn
// from `source` for each run.
void tallyRuns(TeleportTally& tally, StandardRandom& source, int n);
