// The BB84 protocol as plain data: what A, Eve and B chose and found in each
// column, which columns survive the sifting and the error check, and the running
// totals of a counting run. The key distribution steps it; the views only read it.
#pragma once

#include "scene/standard_random.h"

#include <cstdint>
#include <optional>
#include <string>

constexpr int keyColumns = 32;

// The stages of a run. Plain (unscoped) so that the numbers the protocol has
// always had stay its numbers; the error check comes after the erasing stage
// but is numbered after the finished one.
enum KeyPhase : int {
    beforeFirstRun = 0,
    generatingA = 1,
    basesOfA = 2,
    generatingB = 3,
    basesOfB = 4,
    sendingPhotons = 5,
    announcingBases = 6,
    droppingKeyRows = 7,
    markingSender = 8,
    sendingNumbers = 9,
    markingReceiver = 10,
    erasing = 11,
    finished = 12,
    checkingErrors = 13,
    counting = 14,
};

// A polarization state is 2 x basis + bit: 0 and 1 rectilinear, 2 and 3 the
// second basis. The one rule of measurement: in the photon's own basis the
// result is the photon's bit; in the other basis it is `freshBit`, a new draw.
inline int stateOf(int basis, int bit) { return 2 * basis + bit; }
inline int basisOf(int state) { return state / 2; }
inline int bitOf(int state) { return state % 2; }
inline int measure(int photonState, int basis, int freshBit) {
    return stateOf(basis, basisOf(photonState) == basis ? bitOf(photonState) : freshBit);
}

// One column of a run; -1 where nothing is decided yet.
struct KeyColumnRecord {
    int aBase = -1, aBit = -1;
    int eveBase = -1, eveBit = -1;
    int bBase = -1, bBit = -1;
    int sentState = -1;      // A's photon
    int eveState = -1;       // the photon Eve sent on in its place
    bool evePassed = false;  // Eve let the photon pass without measuring it
    int receivedState = -1;  // what B measured
    bool kept = false;       // A's and B's bases agree
    bool compared = false;   // the bits were compared in public
    bool error = false;      // compared, and A's and B's bits differ
};

// What the error check found: n compared bits, e of them differing.
struct CheckResult {
    int compared = 0;
    int differing = 0;
    int keyBits = 0;  // what is left of the key when nothing differs
    bool decided = false;
    int percent() const { return compared ? (100 * differing + compared / 2) / compared : 0; }
};

// The read-out of a check: "compared n bits, e differ (x %)", and the verdict
// once it is decided (empty before).
std::string comparedText(const CheckResult& check);
std::string verdictText(const CheckResult& check);

// Running totals of a counting run.
struct CountTotals {
    long rounds = 0;
    long photons = 0;
    long kept = 0;
    long compared = 0;
    long differing = 0;
    long caught = 0;  // rounds in which the check found a difference
    // Kept bits whose value Eve has exactly: she measured them in A's basis.
    long eveKnows = 0;

    // The measured rates a counting run sets beside their expected values.
    double errorRate() const { return compared ? double(differing) / compared : 0.0; }
    double unnoticedRate() const { return rounds ? double(rounds - caught) / rounds : 0.0; }
    double eveKnowledge() const { return kept ? double(eveKnows) / kept : 0.0; }
};

// Whether Eve listens to each photon, at her share (0 to 1) of the photons.
// The choice has a generator of its own, so that every other draw of a run
// keeps its order; at a share of 1 (or 0) nothing is drawn at all, and a run
// at her full share is draw for draw a run from before shares existed.
class EveChoice {
public:
    // A run's share, clamped to 0..1; a fresh seed when the choice draws.
    void arm(double share);
    double share() const { return listenShare; }
    // Whether she listens to the next photon.
    bool listens();

private:
    double listenShare = 1.0;
    std::optional<StandardRandom> source;
};

class KeyProtocol {
public:
    KeyColumnRecord columns[keyColumns];
    // Eve listens on the quantum channel (read at Start), to this share of
    // the photons.
    bool eve = false;
    double eveShare = 1.0;
    // During the check: B's answer is in flight (A's announcement otherwise).
    bool answering = false;
    CheckResult check;
    CountTotals totals;
    // The last run was a counting run: the view shows the totals.
    bool countMode = false;

    // A fresh run: every column undecided, no check, no totals.
    void reset(bool withEve, bool counted, double share = 1.0);

    // Eve's interception of A's photon in column i: her basis, then the draw that
    // decides her bit where her basis is not the photon's, both from her source.
    void intercept(int i, StandardRandom& eveRandom);
    // Eve's turn at the photon of column i: as `choice` says, she intercepts it
    // (drawing from `eveRandom`) or lets it pass unchanged.
    void eveTurn(int i, StandardRandom& eveRandom, EveChoice& choice);
    // The photon that reaches B in column i: Eve's where she listened.
    int arriving(int i) const;

    // A chooses half of the kept columns (rounded up) from `sampling`, and marks
    // them; returns how many, their columns in ascending order in `chosen`.
    int chooseCompared(StandardRandom& sampling, int chosen[keyColumns]);
    // The public comparison of one chosen column.
    void compare(int i);
    // The verdict once every chosen column is compared.
    void decide();
};

// What a column's key bit is once the check has decided: thrown away (the
// bases differed), public (compared in the check), part of the key, or kept but
// discarded with the whole key because the check found a difference.
enum class KeyBitStatus { thrownAway, compared, key, discarded };
KeyBitStatus keyBitStatus(const KeyProtocol& protocol, int column);

// One whole round of 32 photons without animation, its error check included,
// every choice drawn from `random` but whether Eve listens, which `choice`
// decides (she listens to every photon without one). Many rounds in a row
// would run through the short cycles of the animated runs' source; this one
// has none.
KeyProtocol playRound(StandardRandom& random, bool withEve);
KeyProtocol playRound(StandardRandom& random, bool withEve, EveChoice& choice);
// Adds a played round's figures to the totals.
void addRound(const KeyProtocol& round, CountTotals& totals);

// What a class should expect of Eve at a share s of the photons (see
// key_protocol.cpp for why each holds):
// the error rate among compared bits, s/4;
double expectedErrorRate(double share);
// the chance that a round with n compared bits shows no error, (1 - s/4)^n;
double unnoticedChance(double share, int compared);
// the share of rounds in which she goes unnoticed, over the number of compared
// bits a round of 32 photons has;
double expectedUnnoticedRate(double share);
// the share of kept bits whose value she has exactly, s/2.
double expectedEveKnowledge(double share);
