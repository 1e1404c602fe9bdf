// The key distribution stepped without a window: its stages in order with their
// frames, the draws in their order, the sifted key, what the books show, and
// Return, Speed and counting as the controls give them.
#include "bb84/key_distribution.h"
#include "support/fixed_seeds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr uint32_t seed = 20261208u;

// Both sources on the seed while a test lives.
struct Seeded : FixedSeeds {
    Seeded() : FixedSeeds(seed) {}
};

struct Step {
    KeyPhase phase;
    unsigned column;
    FrameEnd end;
    unsigned redraws;
    float photonX;
};

// Steps a run to its end; `act` may change the controls before each step.
std::vector<Step> play(KeyDistribution& model, const std::function<void(size_t)>& act = {}) {
    std::vector<Step> steps;
    model.startRun();
    for (;;) {
        if (act) act(steps.size());
        const FrameEnd end = model.step();
        steps.push_back({model.phase, model.keyColumn, end, model.takeRedraws(), model.photonX});
        if (end == FrameEnd::Finished) return steps;
        EXPECT_LT(steps.size(), 100000u) << "a run ends";
        if (steps.size() >= 100000u) return steps;
    }
}

int count(const std::vector<Step>& steps, const std::function<bool(const Step&)>& wanted) {
    int n = 0;
    for (const Step& s : steps) n += wanted(s);
    return n;
}

// The specified generator replayed: values modulo 2 from the seed.
struct Replay {
    uint32_t state = seed;
    int next() {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % 2);
    }
};

TEST(KeyDistribution, StagesInOrderWithTheirFramesAndTheSiftedKey) {
    Seeded seeded;
    KeyDistribution model;
    model.controls.speed = 1.0;
    const std::vector<Step> steps = play(model);
    EXPECT_EQ(model.phase, finished);

    std::vector<int> order;
    for (const Step& s : steps) {
        if (s.end == FrameEnd::Step && (order.empty() || order.back() != s.phase)) {
            order.push_back(s.phase);
        }
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13}));
    const auto frameSteps = [&](int phase) {
        return count(steps, [&](const Step& s) { return s.phase == phase && s.end == FrameEnd::Step; });
    };
    EXPECT_EQ(frameSteps(generatingA), 363);
    EXPECT_EQ(frameSteps(generatingB), 363);
    EXPECT_EQ(frameSteps(basesOfA), 32);
    EXPECT_EQ(frameSteps(basesOfB), 32);
    EXPECT_EQ(frameSteps(droppingKeyRows), 2 + 47);
    EXPECT_EQ(frameSteps(markingSender), 32);
    EXPECT_EQ(frameSteps(markingReceiver), 32);

    // Per photon: A's bit, her photon (a frame of her book), 43 frames of
    // flight in which no book is redrawn, and a last frame that shows B's book.
    Replay replay;
    for (int i = 0; i < 33; ++i) replay.next();
    for (int i = 0; i < 33; ++i) replay.next();
    int kept = 0;
    for (unsigned c = 0; c < keyColumns; ++c) {
        const auto in = [&](const Step& s) { return s.phase == sendingPhotons && s.column == c; };
        EXPECT_EQ(count(steps, [&](const Step& s) {
                      return in(s) && s.end == FrameEnd::Step && s.redraws == redrawScene;
                  }),
                  43)
            << c;
        const KeyColumnRecord& r = model.protocol.columns[c];
        EXPECT_EQ(r.aBit, replay.next()) << c;
        if (r.aBase != r.bBase) {
            EXPECT_EQ(r.bBit, replay.next()) << "B's fresh bit " << c;
        }
        // A fresh bit of B's ends one more frame of its own.
        EXPECT_EQ(count(steps, [&](const Step& s) { return in(s) && s.end == FrameEnd::Frame; }),
                  r.aBase == r.bBase ? 2 : 3)
            << c;

        // The kept columns are exactly those with equal bases, and there B has A's bit.
        EXPECT_EQ(r.kept, r.aBase == r.bBase) << c;
        kept += r.kept;
        if (r.kept) {
            EXPECT_EQ(r.bBit, r.aBit) << c;
        }
        EXPECT_EQ(r.sentState, stateOf(r.aBase, r.aBit)) << c;
        EXPECT_EQ(r.receivedState, stateOf(r.bBase, r.bBit)) << c;
    }
    EXPECT_EQ(replay.state, model.random.state) << "no draw beyond those expected";
    EXPECT_GT(kept, 4);
    EXPECT_LT(kept, 28);
    // A kept column's number flies 29 frames and takes one more; the others one.
    EXPECT_EQ(frameSteps(sendingNumbers), kept * 30 + (keyColumns - kept));
    // Only the discarded columns take a frame to be erased.
    EXPECT_EQ(frameSteps(erasing), keyColumns - kept);
    // Each compared column: two flights of 29 frames and its mark; then the verdict.
    EXPECT_EQ(model.protocol.check.compared, (kept + 1) / 2);
    EXPECT_EQ(frameSteps(checkingErrors), model.protocol.check.compared * (29 + 29 + 1) + 1);
    EXPECT_TRUE(model.protocol.check.decided);
    EXPECT_EQ(model.protocol.check.differing, 0) << "nobody listened";
}

TEST(KeyDistribution, BooksShowTheRunsOutcomeColumnByColumn) {
    Seeded seeded;
    KeyDistribution model;
    for (int i = 0; i < keyColumns; ++i) {
        for (KeyRow row : {KeyRow::bases, KeyRow::bits, KeyRow::key}) {
            EXPECT_EQ(model.cell(Party::sender, row, i).symbol, ' ') << "blank before a run";
        }
    }
    model.controls.speed = 1.0;
    play(model);
    for (int i = 0; i < keyColumns; ++i) {
        const KeyColumnRecord& r = model.protocol.columns[i];
        for (Party p : {Party::sender, Party::receiver}) {
            const bool sender = p == Party::sender;
            const CellShown base = model.cell(p, KeyRow::bases, i);
            const CellShown bit = model.cell(p, KeyRow::bits, i);
            const CellShown key = model.cell(p, KeyRow::key, i);
            EXPECT_EQ(base.symbol, '0' + (sender ? r.aBase : r.bBase)) << i;
            EXPECT_EQ(bit.symbol, '0' + (sender ? r.aBit : r.bBit)) << i;
            EXPECT_EQ(key.symbol, bit.symbol) << i;
            EXPECT_EQ(model.cell(p, KeyRow::numbers, i).tint, r.kept ? CellTint::red : CellTint::grey);
            EXPECT_EQ(bit.tint, r.compared ? CellTint::green : CellTint::white) << i;
            EXPECT_EQ(key.tint, r.kept ? CellTint::gold : CellTint::black) << i;
        }
        EXPECT_EQ(model.cell(Party::sender, KeyRow::bases, i).tint,
                  r.kept ? CellTint::red : CellTint::grey);
        EXPECT_EQ(model.cell(Party::receiver, KeyRow::bases, i).tint, CellTint::grey);
    }

    // A second run clears the books at its first step, before any draw.
    model.startRun();
    EXPECT_EQ(model.step(), FrameEnd::Frame);
    for (int i = 0; i < keyColumns; ++i) {
        EXPECT_EQ(model.cell(Party::receiver, KeyRow::bits, i).symbol, ' ');
        EXPECT_EQ(model.cell(Party::sender, KeyRow::key, i).tint, CellTint::white);
    }
}

TEST(KeyDistribution, ReturnHeldEndsEveryStageAtItsNextTestAndSpeedIsReadEachStep) {
    Seeded seeded;
    KeyDistribution whole;
    whole.controls.speed = 1.0;
    const size_t wholeRun = play(whole).size();

    KeyDistribution model;
    model.controls.speed = 1.0;
    // During the third photon the Speed is 0 for 100 steps: the photon stands
    // still, and moves on at once when the Speed is back.
    float frozenAt = 0;
    int frozen = 0;
    bool held = false;
    const std::vector<Step> record = play(model, [&](size_t) {
        if (model.phase == sendingPhotons && model.keyColumn == 2 && model.photonX > 0 &&
            frozen == 0) {
            model.controls.speed = 0;
            frozenAt = model.photonX;
            frozen = 1;
        } else if (frozen > 0 && frozen < 100) {
            EXPECT_EQ(model.photonX, frozenAt);
            if (++frozen == 100) model.controls.speed = 1.0;
        }
        // Return held at the sixth photon: the run ends within a few frames.
        if (model.phase == sendingPhotons && model.keyColumn == 5 && !held) {
            model.controls.returnHeld = held = true;
        }
    });
    EXPECT_EQ(frozen, 100);
    EXPECT_LT(record.size(), wholeRun);
    const auto after = std::find_if(record.begin(), record.end(),
                                    [](const Step& s) { return s.phase > sendingPhotons; });
    ASSERT_NE(after, record.end());
    // Stages entered while Return is held still do what comes before their
    // first test: the key rows get their copy (two frames) and stay raised.
    EXPECT_LE(std::count_if(after, record.end(),
                            [](const Step& s) { return s.end == FrameEnd::Step; }),
              2);
    EXPECT_FLOAT_EQ(model.keyDrop, 4.625f);
    EXPECT_EQ(model.phase, finished);
    for (int i = 6; i < keyColumns; ++i) {
        EXPECT_EQ(model.protocol.columns[i].aBit, -1) << i;
    }
    EXPECT_FALSE(model.protocol.check.decided);
}

TEST(KeyDistribution, CountingAddsWholeRoundsAndShowsThemEveryFifty) {
    Seeded seeded;
    KeyDistribution model;
    model.controls.count = true;
    model.controls.eve = true;
    const std::vector<Step> steps = play(model);
    EXPECT_EQ(count(steps, [](const Step& s) { return s.end == FrameEnd::Step; }), 20);
    const CountTotals& t = model.protocol.totals;
    EXPECT_EQ(t.rounds, 1000);
    EXPECT_EQ(t.photons, 1000 * keyColumns);
    EXPECT_LE(t.compared, (t.kept + t.rounds) / 2);
    EXPECT_LE(t.differing, t.compared);
    EXPECT_LE(t.caught, t.rounds);
    EXPECT_GT(t.differing, t.compared / 5) << "Eve disturbs a quarter of the compared bits";
    // No animation: every frame shows the totals, and A and B draw nothing.
    for (const Step& s : steps) {
        if (s.end == FrameEnd::Step) {
            EXPECT_TRUE(s.redraws & redrawScene);
        }
    }
    EXPECT_EQ(model.protocol.columns[0].aBase, -1);
}

}  // namespace
