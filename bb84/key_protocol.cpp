// The protocol's decisions: Eve's interception, the choice of the compared
// columns, the verdict, and whole rounds for counting.
#include "bb84/key_protocol.h"

#include "scene/standard_random.h"

#include <algorithm>
#include <cstdio>

void KeyProtocol::reset(bool withEve, bool counted) {
    for (KeyColumnRecord& column : columns) {
        column = KeyColumnRecord{};
    }
    eve = withEve;
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
    KeyProtocol round;
    round.eve = withEve;
    for (KeyColumnRecord& c : round.columns) c.aBase = random.bit();
    for (KeyColumnRecord& c : round.columns) c.bBase = random.bit();
    for (int i = 0; i < keyColumns; ++i) {
        KeyColumnRecord& c = round.columns[i];
        c.aBit = random.bit();
        c.sentState = stateOf(c.aBase, c.aBit);
        if (withEve) round.intercept(i, random);
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
}
