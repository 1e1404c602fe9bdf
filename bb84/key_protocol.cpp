// The protocol's decisions: Eve's interception, the choice of the compared
// columns, the verdict, and whole rounds for counting.
#include "bb84/key_protocol.h"

#include "scene/standard_random.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The resolution of Eve's choice: a share is met to within 2^-30.
constexpr uint32_t choiceSteps = 1u << 30;

}  // namespace

void EveChoice::arm(double share) {
    listenShare = share > 0 ? std::min(share, 1.0) : 0.0;
    if (listenShare <= 0 || listenShare >= 1) return;
    if (source) {
        source->reseed();
    } else {
        source.emplace();
    }
}

bool EveChoice::listens() {
    if (listenShare >= 1) return true;
    if (listenShare <= 0 || !source) return false;
    const auto threshold = static_cast<uint32_t>(std::lround(listenShare * choiceSteps));
    return source->below(choiceSteps) < threshold;
}

void KeyProtocol::reset(bool withEve, bool counted, double share) {
    for (KeyColumnRecord& column : columns) {
        column = KeyColumnRecord{};
    }
    eve = withEve;
    eveShare = share > 0 ? std::min(share, 1.0) : 0.0;
    answering = false;
    check = CheckResult{};
    totals = CountTotals{};
    countMode = counted;
}

void KeyProtocol::intercept(int i, StandardRandom& eveRandom) {
    KeyColumnRecord& c = columns[i];
    c.eveBase = eveRandom.bit();
    const int fresh = eveRandom.bit();
    c.eveState = measure(c.sentState, c.eveBase, fresh);
    c.eveBit = bitOf(c.eveState);
}

void KeyProtocol::eveTurn(int i, StandardRandom& eveRandom, EveChoice& choice) {
    if (choice.listens()) {
        intercept(i, eveRandom);
    } else {
        columns[i].evePassed = true;
    }
}

int KeyProtocol::arriving(int i) const {
    const KeyColumnRecord& c = columns[i];
    return eve && c.eveState >= 0 ? c.eveState : c.sentState;
}

int KeyProtocol::chooseCompared(StandardRandom& sampling, int chosen[keyColumns]) {
    int kept[keyColumns];
    int n = 0;
    for (int i = 0; i < keyColumns; ++i) {
        if (columns[i].kept) kept[n++] = i;
    }
    // A partial shuffle: the first half (rounded up) of the kept columns.
    const int m = (n + 1) / 2;
    for (int j = 0; j < m; ++j) {
        const int pick = j + static_cast<int>(sampling.below(static_cast<uint32_t>(n - j)));
        std::swap(kept[j], kept[pick]);
    }
    std::sort(kept, kept + m);
    for (int j = 0; j < m; ++j) {
        chosen[j] = kept[j];
    }
    return m;
}

void KeyProtocol::compare(int i) {
    KeyColumnRecord& c = columns[i];
    c.compared = true;
    c.error = c.aBit != c.bBit;
    ++check.compared;
    check.differing += c.error;
}

void KeyProtocol::decide() {
    int kept = 0;
    for (const KeyColumnRecord& c : columns) kept += c.kept;
    check.keyBits = check.differing ? 0 : kept - check.compared;
    check.decided = true;
}

KeyBitStatus keyBitStatus(const KeyProtocol& protocol, int column) {
    const KeyColumnRecord& c = protocol.columns[column];
    if (!c.kept) return KeyBitStatus::thrownAway;
    if (c.compared) return KeyBitStatus::compared;
    return protocol.check.differing > 0 ? KeyBitStatus::discarded : KeyBitStatus::key;
}

std::string comparedText(const CheckResult& check) {
    char line[64];
    std::snprintf(line, sizeof line, "compared %d bit%s, %d differ%s (%d %%)", check.compared,
                  check.compared == 1 ? "" : "s", check.differing,
                  check.differing == 1 ? "s" : "", check.percent());
    return line;
}

std::string verdictText(const CheckResult& check) {
    if (!check.decided) return "";
    if (check.differing > 0) return "errors: someone listened, the key is discarded";
    return "no errors: the key of " + std::to_string(check.keyBits) +
           (check.keyBits == 1 ? " bit is kept" : " bits is kept");
}

KeyProtocol playRound(StandardRandom& random, bool withEve) {
    EveChoice everyPhoton;
    return playRound(random, withEve, everyPhoton);
}

KeyProtocol playRound(StandardRandom& random, bool withEve, EveChoice& choice) {
    KeyProtocol round;
    round.eve = withEve;
    round.eveShare = choice.share();
    for (KeyColumnRecord& c : round.columns) c.aBase = random.bit();
    for (KeyColumnRecord& c : round.columns) c.bBase = random.bit();
    for (int i = 0; i < keyColumns; ++i) {
        KeyColumnRecord& c = round.columns[i];
        c.aBit = random.bit();
        c.sentState = stateOf(c.aBase, c.aBit);
        if (withEve) round.eveTurn(i, random, choice);
        // B's fresh bit decides only where his basis is not the photon's.
        c.receivedState = measure(round.arriving(i), c.bBase, random.bit());
        c.bBit = bitOf(c.receivedState);
        c.kept = c.aBase == c.bBase;
    }
    int chosen[keyColumns];
    const int n = round.chooseCompared(random, chosen);
    for (int j = 0; j < n; ++j) round.compare(chosen[j]);
    round.decide();
    return round;
}

void addRound(const KeyProtocol& round, CountTotals& totals) {
    ++totals.rounds;
    totals.photons += keyColumns;
    for (const KeyColumnRecord& c : round.columns) totals.kept += c.kept;
    totals.compared += round.check.compared;
    totals.differing += round.check.differing;
    totals.caught += round.check.differing > 0;
    for (const KeyColumnRecord& c : round.columns) {
        totals.eveKnows += c.kept && c.eveState >= 0 && c.eveBase == c.aBase;
    }
}

// A compared bit is a kept one: A's and B's bases agree. Eve listens to it with
// probability s; she then takes the other basis with probability 1/2, and B,
// measuring her photon in A's basis, gets A's bit or its opposite with 1/2
// each. Any other way the bit arrives as A sent it: an error with s/4.
double expectedErrorRate(double share) { return share / 4; }

// Each photon's bases, bits and Eve's choice are fresh draws, so the errors of
// a round's compared bits are independent, each with s/4.
double unnoticedChance(double share, int compared) {
    return std::pow(1 - expectedErrorRate(share), compared);
}

// A round keeps k ~ Binomial(32, 1/2) columns (B's basis agrees with A's) and
// compares n = ceil(k/2) of them, whatever Eve does, since her choice changes
// no basis. So the chance over rounds is the mean of (1 - s/4)^n over that
// distribution of n, not (1 - s/4) to the mean n: with s = 1 that is 0.101,
// against 0.093 for the mean n of 8.25.
double expectedUnnoticedRate(double share) {
    double chance = 0;
    double ways = 1;  // 32 choose k
    for (int k = 0; k <= keyColumns; ++k) {
        chance += ways * unnoticedChance(share, (k + 1) / 2);
        ways = ways * (keyColumns - k) / (k + 1);
    }
    return chance / std::ldexp(1.0, keyColumns);
}

// Eve knows a kept bit exactly when she listened (s) and took A's basis (1/2):
// her result is then A's bit. Where she took the other basis her bit is a coin
// toss, a guess that is right half the time.
double expectedEveKnowledge(double share) { return share / 2; }
