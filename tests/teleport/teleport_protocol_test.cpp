// The four results as data: what each does to photon 3, Bob's operations that
// undo them, and the shares of many tallied teleportations.
#include "scene/standard_random.h"
#include "teleport/teleport_protocol.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(TeleportProtocol, EachResultTurnsTheInputAndItsSettingTurnsItBack) {
    // r = 0: θ; 1: −θ; 2: 90° − θ; 3: θ + 90°, modulo 180°.
    auto expectedDegrees = [](int theta, int r) {
        const int turned[4] = {theta, -theta, 90 - theta, theta + 90};
        return ((turned[r] % 180) + 180) % 180;
    };
    int matchesWithout = 0;
    for (int p = 0; p < kDirections; ++p) {
        for (int r = 0; r < kResults; ++r) {
            SCOPED_TRACE("p=" + std::to_string(p) + " r=" + std::to_string(r));
            const int arriving = directionAfterResult(p, r);
            EXPECT_EQ(arriving * 30, expectedDegrees(30 * p, r));
            EXPECT_EQ(applyOperation(r, arriving), p);

            const TeleportFacts sent = teleport(p, r, true);
            EXPECT_EQ(sent.operation, r);
            EXPECT_EQ(sent.output, p);
            const TeleportFacts withheld = teleport(p, r, false);
            EXPECT_EQ(withheld.operation, TeleportFacts::noOperation);
            EXPECT_EQ(withheld.output, arriving);
            EXPECT_EQ(withheld.input, p);
            EXPECT_EQ(withheld.result, r);
            matchesWithout += withheld.output == p;
        }
    }
    // The identity result, and result 1 for inputs 0 and 90 degrees: 8 of 24.
    EXPECT_EQ(matchesWithout, 8);
}

TEST(TeleportProtocol, TalliedSharesOfResultsAndMatches) {
    constexpr int runs = 100000;
    const double sigmaQuarter = std::sqrt(0.25 * 0.75 / runs);
    const double sigmaThird = std::sqrt(1.0 / 3 * 2.0 / 3 / runs);
    for (const bool sent : {true, false}) {
        SCOPED_TRACE(sent ? "message sent" : "message withheld");
        StandardRandom::useSeedSequence(sent ? 20261208u : 4711u);
        StandardRandom source;
        StandardRandom::useSystemEntropy();
        TeleportTally tally;
        tally.messageSent = sent;
        // In pieces, as the window adds them; the input it shows after each
        // piece is the latest drawn, and over the pieces it takes all six values.
        EXPECT_EQ(tally.lastInput, -1);
        bool inputShown[kDirections] = {};
        for (int done = 0; done < runs; done += 10) {
            tallyRuns(tally, source, 10);
            ASSERT_GE(tally.lastInput, 0);
            ASSERT_LT(tally.lastInput, kDirections);
            inputShown[tally.lastInput] = true;
        }
        for (int p = 0; p < kDirections; ++p) EXPECT_TRUE(inputShown[p]) << "input " << p;
        ASSERT_EQ(tally.runs, runs);
        int total = 0;
        for (int r = 0; r < kResults; ++r) {
            total += tally.results[r];
            EXPECT_NEAR(tally.share(tally.results[r]), 0.25, 5 * sigmaQuarter) << "result " << r;
        }
        EXPECT_EQ(total, runs);
        if (sent) {
            EXPECT_EQ(tally.matches, runs);
        } else {
            EXPECT_NEAR(tally.share(tally.matches), 1.0 / 3, 5 * sigmaThird);
        }
    }
    EXPECT_EQ(TeleportTally{}.share(0), 0.0);
}

}  // namespace
