// The protocol model without a display: the rule of measurement, Eve's
// interception, the choice of the compared columns, and the statistics of many
// rounds with and without Eve.
#include "bb84/key_protocol.h"
#include "scene/random_source.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(KeyProtocol, MeasurementRuleForEveryStateAndBasis) {
    for (int state = 0; state < 4; ++state) {
        for (int basis = 0; basis < 2; ++basis) {
            for (int fresh = 0; fresh < 2; ++fresh) {
                const int result = measure(state, basis, fresh);
                EXPECT_EQ(basisOf(result), basis) << state << basis << fresh;
                // In the photon's basis its bit, whatever the fresh draw says;
                // in the other basis the fresh draw.
                EXPECT_EQ(bitOf(result), basisOf(state) == basis ? bitOf(state) : fresh)
                    << state << basis << fresh;
            }
        }
    }

    // Eve measures by the same rule from her own source, and B then gets her
    // photon; without her, A's.
    KeyProtocol protocol;
    protocol.reset(true, false);
    RandomSource eve;
    eve.state = 7;
    int ownBasis = 0;
    for (int i = 0; i < keyColumns; ++i) {
        protocol.columns[i].sentState = i % 4;
        const uint32_t before = eve.state;
        protocol.intercept(i, eve);
        const KeyColumnRecord& c = protocol.columns[i];
        RandomSource replay;
        replay.state = before;
        replay.setModulus(2);
        replay.next();
        EXPECT_EQ(c.eveBase, static_cast<int>(replay.value())) << i;
        replay.next();
        EXPECT_EQ(c.eveState, measure(c.sentState, c.eveBase, replay.value())) << i;
        EXPECT_EQ(eve.state, replay.state) << "two draws a photon, whatever the bases";
        EXPECT_EQ(protocol.arriving(i), c.eveState);
        ownBasis += c.eveBase == basisOf(c.sentState);
    }
    EXPECT_GT(ownBasis, 4);
    EXPECT_LT(ownBasis, 28);
    protocol.eve = false;
    EXPECT_EQ(protocol.arriving(5), protocol.columns[5].sentState);
}

TEST(KeyProtocol, ChecksHalfTheKeptColumnsAndReadsOut) {
    KeyProtocol protocol;
    RandomSource sampling;
    sampling.state = 12345;
    for (int kept : {0, 1, 7, 16, 32}) {
        protocol.reset(false, false);
        for (int i = 0; i < kept; ++i) {
            KeyColumnRecord& c = protocol.columns[(i * 5) % keyColumns];
            c.kept = true;
            c.aBit = c.bBit = 1;
        }
        int chosen[keyColumns];
        const int n = protocol.chooseCompared(sampling, chosen);
        EXPECT_EQ(n, (kept + 1) / 2);
        for (int j = 0; j < n; ++j) {
            EXPECT_TRUE(protocol.columns[chosen[j]].kept);
            if (j > 0) {
                EXPECT_LT(chosen[j - 1], chosen[j]) << "ascending, each once";
            }
            protocol.compare(chosen[j]);
        }
        protocol.decide();
        EXPECT_EQ(protocol.check.keyBits, kept - n);
    }
    EXPECT_EQ(comparedText(protocol.check), "compared 16 bits, 0 differ (0 %)");
    EXPECT_EQ(verdictText(protocol.check), "no errors: the key of 16 bits is kept");

    // One differing bit of three: the key goes, whatever is left of it.
    protocol.reset(true, false);
    for (int i = 0; i < 3; ++i) {
        protocol.columns[i].kept = true;
        protocol.columns[i].aBit = 0;
        protocol.columns[i].bBit = i == 1;
        protocol.compare(i);
    }
    EXPECT_EQ(verdictText(protocol.check), "");
    protocol.decide();
    EXPECT_TRUE(protocol.columns[1].error);
    EXPECT_EQ(comparedText(protocol.check), "compared 3 bits, 1 differs (33 %)");
    EXPECT_EQ(verdictText(protocol.check), "errors: someone listened, the key is discarded");

    // One bit compared, and one left as the key: both read in the singular.
    protocol.reset(false, false);
    for (int i = 0; i < 2; ++i) {
        protocol.columns[i].kept = true;
        protocol.columns[i].aBit = protocol.columns[i].bBit = 1;
    }
    protocol.compare(0);
    protocol.decide();
    EXPECT_EQ(comparedText(protocol.check), "compared 1 bit, 0 differ (0 %)");
    EXPECT_EQ(verdictText(protocol.check), "no errors: the key of 1 bit is kept");
    protocol.reset(true, false);
    protocol.columns[0].kept = true;
    protocol.columns[0].aBit = 0;
    protocol.columns[0].bBit = 1;
    protocol.compare(0);
    EXPECT_EQ(comparedText(protocol.check), "compared 1 bit, 1 differs (100 %)");
}

// Rounds from fixed seeds: each seed's rounds stay within one period of the
// generator's bit that modulus 2 draws from, so no round repeats another.
struct Tally {
    long photons = 0, kept = 0, keptErrors = 0;
    CountTotals totals;
};

Tally play(bool withEve) {
    Tally tally;
    for (uint32_t seed : {11u, 2026u, 777777u, 31415926u}) {
        RandomSource random, eve, sampling;
        random.state = seed;
        eve.state = seed ^ 0x9e3779b9u;
        sampling.state = seed ^ 0x7f4a7c15u;
        for (int r = 0; r < 800; ++r) {
            const KeyProtocol round = playRound(random, eve, sampling, withEve);
            addRound(round, tally.totals);
            int kept = 0;
            int statuses[4] = {};
            for (int i = 0; i < keyColumns; ++i) {
                const KeyColumnRecord& c = round.columns[i];
                EXPECT_EQ(c.kept, c.aBase == c.bBase);
                kept += c.kept;
                tally.keptErrors += c.kept && c.aBit != c.bBit;
                ++statuses[static_cast<int>(keyBitStatus(round, i))];
            }
            // The key row after the check: only kept bits, the compared ones
            // public, the rest the key, or discarded with it on any error.
            const int unchecked = kept - round.check.compared;
            EXPECT_EQ(statuses[static_cast<int>(KeyBitStatus::thrownAway)], keyColumns - kept);
            EXPECT_EQ(statuses[static_cast<int>(KeyBitStatus::compared)], round.check.compared);
            EXPECT_EQ(statuses[static_cast<int>(KeyBitStatus::key)], round.check.keyBits);
            EXPECT_EQ(statuses[static_cast<int>(KeyBitStatus::discarded)],
                      round.check.differing > 0 ? unchecked : 0);
            EXPECT_EQ(round.check.compared, (kept + 1) / 2);
            tally.kept += kept;
            tally.photons += keyColumns;
        }
    }
    return tally;
}

TEST(KeyProtocol, EveCausesAQuarterOfErrorsAmongKeptBitsAndNoneWithoutHer) {
    const double sigmas = 3;
    const Tally eve = play(true);
    ASSERT_GE(eve.photons, 100000);
    EXPECT_EQ(eve.totals.photons, eve.photons);
    EXPECT_EQ(eve.totals.kept, eve.kept);

    const double keptShare = static_cast<double>(eve.kept) / eve.photons;
    EXPECT_NEAR(keptShare, 0.5, sigmas * std::sqrt(0.25 / eve.photons));
    const double errorRate = static_cast<double>(eve.keptErrors) / eve.kept;
    EXPECT_NEAR(errorRate, 0.25, sigmas * std::sqrt(0.25 * 0.75 / eve.kept));
    // The compared half shows the same rate, and she goes unnoticed in a round
    // only with probability (3/4)^n: about one round in ten.
    const double comparedRate = static_cast<double>(eve.totals.differing) / eve.totals.compared;
    EXPECT_NEAR(comparedRate, 0.25, sigmas * std::sqrt(0.25 * 0.75 / eve.totals.compared));
    EXPECT_GT(eve.totals.caught, eve.totals.rounds * 8 / 10);
    EXPECT_LT(eve.totals.caught, eve.totals.rounds * 97 / 100);

    const Tally alone = play(false);
    EXPECT_EQ(alone.keptErrors, 0);
    EXPECT_EQ(alone.totals.differing, 0);
    EXPECT_EQ(alone.totals.caught, 0);
    EXPECT_NEAR(static_cast<double>(alone.kept) / alone.photons, 0.5,
                sigmas * std::sqrt(0.25 / alone.photons));
}

}  // namespace
