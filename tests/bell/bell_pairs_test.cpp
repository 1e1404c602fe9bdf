// The Bell run's draws, counting, frame steps and lamp bookkeeping, on the
// experiment alone: no window, no display.
#include "bell/bell_experiment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

namespace {

TEST(BellOutcome, IntervalsFollowTheEntangledProbabilities) {
    struct Case {
        float u;
        int difference, outcome;
    };
    // Equal settings: p = 0, only opposite results. 60 apart: p = 0.75; 30: p = 0.25.
    for (Case c : {Case{0.0f, 0, 1}, {0.4999f, 0, 1}, {0.5f, 0, 2}, {0.9999f, 0, 2},
                   {0.0f, 60, 0}, {0.3749f, 60, 0}, {0.3751f, -60, 3}, {0.7499f, 60, 3},
                   {0.7501f, 60, 1}, {0.8749f, 60, 1}, {0.8751f, 60, 2},
                   {0.124f, 30, 0}, {0.126f, -30, 3}, {0.251f, 30, 1}, {0.626f, 30, 2}}) {
        EXPECT_EQ(outcomeFor(c.u, c.difference), c.outcome) << c.u << " at " << c.difference;
    }
    // The source's fractions reach a little above 1; they fall in the last interval.
    const float top = static_cast<float>(4294967295u) / 4294836224.0f;
    ASSERT_GT(top, 1.0f);
    for (int difference : {-60, -30, 0, 30, 60}) {
        EXPECT_EQ(outcomeFor(1.0f, difference), 2) << difference;
        EXPECT_EQ(outcomeFor(top, difference), 2) << difference;
    }
}

TEST(BellExperimentField, OnlyWholeNumbersUpTo999999) {
    EXPECT_EQ(clampExperiment(1000), 1000);
    EXPECT_EQ(clampExperiment(2.9), 2);
    EXPECT_EQ(clampExperiment(-3), 0);
    EXPECT_EQ(clampExperiment(1e12), 999999);
    EXPECT_EQ(clampExperiment(std::numeric_limits<double>::infinity()), 999999);
    EXPECT_EQ(clampExperiment(std::numeric_limits<double>::quiet_NaN()), 0);
}

// Each pair draws a fraction, takes the left setting left by the previous pair,
// draws the right setting and then the next pair's left setting.
TEST(BellPairs, SettingsAndResultsComeFromTheSourceInOrder) {
    BellExperiment experiment;
    experiment.random.setModulus(3);
    experiment.random.state = 0;
    RandomSource replay = experiment.random;
    uint32_t nextLeft = 0;
    for (int pair = 0; pair < 2000; ++pair) {
        replay.nextFraction();
        const float u = replay.fraction();
        replay.next();
        const int right = static_cast<int>(replay.value());
        replay.next();
        experiment.performPair();
        if (pair == 0) {
            // From state 0 the second step draws 2 (the source's worked values).
            EXPECT_EQ(right, 2);
        }
        ASSERT_EQ(experiment.leftSetting, static_cast<int>(nextLeft)) << pair;
        ASSERT_EQ(experiment.rightSetting, right) << pair;
        ASSERT_EQ(experiment.angleDifference, (experiment.leftSetting - right) * 30);
        ASSERT_EQ(experiment.outcome, outcomeFor(u, experiment.angleDifference));
        ASSERT_EQ(experiment.pairCode,
                  experiment.leftSetting * 100 + experiment.rightSetting * 10 + experiment.outcome);
        nextLeft = replay.value();
    }
    int total = 0;
    for (auto& plane : experiment.counts)
        for (auto& row : plane)
            for (int count : row) total += count;
    EXPECT_EQ(total, 2000);

    // The step from this state lands on 4294967295, the largest fraction: the pair
    // is counted all the same.
    experiment.random.state = 230538014u;
    experiment.random.lastValue = 0;
    experiment.random.setModulus(1);  // both detectors at A
    const int before = experiment.counts[0][0][2];
    experiment.performPair();
    EXPECT_GT(experiment.random.fraction(), 1.0f);
    EXPECT_EQ(experiment.counts[0][0][2], before + 1);
}

TEST(BellLamps, LampsFollowPairCodes) {
    BellExperiment experiment;
    auto own = [](int lamp) {  // each lamp's own colour, shown before the first run
        Color c;
        BellExperiment::resultColour(c, lamp % 3, lamp % 6 < 3);
        return c;
    };
    auto same = [](const Color& a, const Color& b) {
        return a.r == b.r && a.g == b.g && a.b == b.b;
    };
    // Blue A-, magenta B-, yellow C-, red A+, brown B+, green C+ on each side.
    const float colours[6][3] = {{0, 0, 1}, {1, 0, 1}, {1, 1, 0}, {1, 0, 0}, {0.6f, 0.3f, 0}, {0, 1, 0}};
    for (int i = 0; i < 12; ++i) {
        const Color& lamp = experiment.lamps[i];
        EXPECT_TRUE(lamp.r == colours[i % 6][0] && lamp.g == colours[i % 6][1] &&
                    lamp.b == colours[i % 6][2]) << i;
    }
    for (int code = 0; code < 223; ++code) {
        const int left = code / 100, right = code / 10 % 10, outcome = code % 10;
        if (right > 2 || outcome > 3) continue;
        experiment.lampsOff();
        experiment.lightResultLamps(code);
        const int leftLamp = BellExperiment::lampIndex(0, left, outcome >= 2);
        const int rightLamp = BellExperiment::lampIndex(1, right, outcome % 2 == 1);
        for (int i = 0; i < 12; ++i) {
            const bool lit = i == leftLamp || i == rightLamp;
            EXPECT_TRUE(same(experiment.lamps[i], lit ? own(i) : Color())) << "code " << code << " lamp " << i;
        }
        EXPECT_TRUE(same(experiment.leftPhotonColour, own(leftLamp))) << code;
        EXPECT_TRUE(same(experiment.rightPhotonColour, own(rightLamp))) << code;
    }
}

// Frame steps of a run, step by step until it finishes, with the controls a
// test changes as a user would between two steps.
struct Walk {
    BellExperiment experiment;
    BellControls controls;
    // [pair][phase]: frame steps seen in each phase, FrameEnd::Step only.
    std::vector<std::vector<int>> framesByPhase;
    // Spread of the first frame step of each phase of the first pair.
    std::vector<float> spreadAtStart = std::vector<float>(11, -1);
    std::vector<FrameEnd> ends;
    std::function<void(Walk&, int pair, BellPhase phase)> beforeStep;

    explicit Walk(uint32_t seed) {
        static uint32_t ticks;
        ticks = seed;
        RandomSource::setTickSource([] { return ticks; });
        experiment.start();
        RandomSource::setTickSource(nullptr);
    }
    int sumOfCounters() const {
        int total = 0;
        for (auto& plane : experiment.counts)
            for (auto& row : plane)
                for (int count : row) total += count;
        return total;
    }
    // Until the run finishes, or only `mostSteps` steps.
    void run(int mostSteps = 0) {
        for (int i = 0; i < (mostSteps ? mostSteps : 10000000); ++i) {
            if (beforeStep) beforeStep(*this, experiment.pairNumber, experiment.phase);
            const int pairBefore = experiment.pairNumber;
            const FrameEnd end = experiment.step(controls);
            ends.push_back(end);
            // Every pair is counted as soon as it is drawn, exactly once.
            ASSERT_EQ(sumOfCounters(), experiment.pairNumber);
            ASSERT_LE(experiment.performed, experiment.pairNumber);
            if (end == FrameEnd::Finished) return;
            if (end != FrameEnd::Step) {
                // A counted pair, or the end of an animated one: performed now.
                ASSERT_EQ(experiment.performed, experiment.pairNumber);
                continue;
            }
            if (experiment.pairNumber != pairBefore) framesByPhase.emplace_back(11, 0);
            const int phase = static_cast<int>(experiment.phase);
            ASSERT_EQ(experiment.performed, experiment.pairNumber - 1) << "not performed while animated";
            if (framesByPhase.size() == 1 && framesByPhase[0][phase] == 0) {
                spreadAtStart[phase] = experiment.photonSpread;
            }
            ++framesByPhase.back()[phase];
        }
        if (!mostSteps) FAIL() << "the run did not finish";
    }
};

const std::vector<int> kPlainPair = {0, 80, 53, 27, 0, 41, 22, 0, 27, 1, 0};
const std::vector<int> kPausedPair = {0, 80, 53, 27, 99, 41, 22, 99, 27, 1, 0};

TEST(BellRunSteps, PhasesInOrderWithTheirFrameStepsAndPauseReadAtEachHold) {
    Walk walk(4242);
    walk.controls.experiment = 4;
    int heldBefore = 0;
    walk.beforeStep = [&heldBefore](Walk& w, int pair, BellPhase phase) {
        // Pair 2: lit before the first hold, out during it; the hold goes on
        // and the second hold does not come.
        if (pair == 2 && phase == BellPhase::Pump) w.controls.pause = true;
        if (pair == 2 && phase == BellPhase::HeldBefore && ++heldBefore == 10) w.controls.pause = false;
        // Pair 3 with Pause lit throughout; pair 4 counted.
        if (pair == 3 && phase == BellPhase::Pump) w.controls.pause = true;
        if (pair == 3 && phase == BellPhase::Cleared) w.controls.count = true;
        // Phases come in order within a pair.
        static BellPhase last = BellPhase::Idle;
        if (phase != BellPhase::Done && pair > 0) {
            EXPECT_GE(phase, last) << pair;
        }
        last = phase == BellPhase::Done ? BellPhase::Idle : phase;
    };
    walk.run();
    ASSERT_EQ(walk.framesByPhase.size(), 3u);
    EXPECT_EQ(walk.framesByPhase[0], kPlainPair);
    std::vector<int> firstHoldOnly = kPlainPair;
    firstHoldOnly[4] = 99;
    EXPECT_EQ(walk.framesByPhase[1], firstHoldOnly);
    EXPECT_EQ(walk.framesByPhase[2], kPausedPair);
    // Each animated pair ends with one frame outside the counted steps; the
    // counted pair is one event pass; then the run is over.
    const std::vector<FrameEnd> tail(walk.ends.end() - 3, walk.ends.end());
    EXPECT_EQ(tail, (std::vector<FrameEnd>{FrameEnd::Frame, FrameEnd::Events, FrameEnd::Finished}));
    int steps = 0, frames = 0;
    for (FrameEnd end : walk.ends) {
        steps += end == FrameEnd::Step;
        frames += end == FrameEnd::Frame;
    }
    EXPECT_EQ(steps, 251 + 350 + 449);
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(walk.experiment.performed, 4);
    // The pair parts at 0.028 a step leaving the crystal, 0.02 on to the
    // detectors, then keeps its spread.
    EXPECT_NEAR(walk.spreadAtStart[3], 1.484f, 1e-5);
    EXPECT_NEAR(walk.spreadAtStart[5], 2.024f, 1e-5);
    EXPECT_NEAR(walk.spreadAtStart[6], 2.844f, 1e-5);
    EXPECT_NEAR(walk.spreadAtStart[8], 2.844f, 1e-5);
}

// Count and Local are read at every pair, Experiment before every pair; a
// counted pair is one step, performed at once.
TEST(BellRunSteps, CountingLocalAndExperimentActFromTheNextPair) {
    Walk walk(4242);
    walk.controls.experiment = 5000;
    walk.beforeStep = [](Walk& w, int pair, BellPhase phase) {
        // Lit during the first, animated pair: it stays animated.
        if (pair == 1 && phase == BellPhase::Turning) w.controls.count = true;
        if (pair == 1500) w.controls.local = true;
        if (pair == 3000) w.controls.experiment = 2999.5;  // lowered below the pair under way
    };
    walk.run();
    ASSERT_EQ(walk.framesByPhase.size(), 1u);
    EXPECT_EQ(walk.framesByPhase[0], kPlainPair);
    EXPECT_EQ(walk.experiment.performed, 3000);
    EXPECT_EQ(walk.ends.size(), 251 + 1 + 2999 + 1u);

    // The same draws: quantum up to pair 1500, local from pair 1501.
    BellExperiment replay;
    replay.random.setModulus(3);
    replay.random.state = 4242;
    for (int pair = 1; pair <= 3000; ++pair) {
        replay.local = pair > 1500;
        replay.performPair();
    }
    EXPECT_EQ(std::memcmp(replay.counts, walk.experiment.counts, sizeof replay.counts), 0);
}

TEST(BellRunSteps, APairCutShortIsStillPerformedAndOddExperimentsAreClamped) {
    Walk walk(7);
    walk.controls.experiment = 10;
    walk.run(30);
    EXPECT_EQ(walk.experiment.pairNumber, 1);
    EXPECT_EQ(walk.experiment.performed, 0);
    walk.experiment.stop();
    EXPECT_EQ(walk.experiment.performed, 1);
    EXPECT_EQ(walk.sumOfCounters(), 1);

    struct Case {
        double experiment;
        int pairs;
    };
    for (Case c : {Case{2.7, 2}, {0, 0}, {-4, 0}, {std::nan(""), 0}}) {
        Walk counted(7);
        counted.controls.count = true;
        counted.controls.experiment = c.experiment;
        counted.run();
        EXPECT_EQ(counted.experiment.performed, c.pairs) << c.experiment;
        EXPECT_EQ(counted.ends.size(), c.pairs + 1u) << c.experiment;
    }
}

}  // namespace
