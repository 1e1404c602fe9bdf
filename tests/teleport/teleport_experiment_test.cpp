// The teleportation experiment without a display: the stages' frame counts from
// the float arithmetic, where the parts stand when stages end, what p and r
// decide, the draws' order, and the tally with Return and its own source.
#include "teleport/teleport_experiment.h"
#include "teleport/teleport_window.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>

namespace {

uint32_t seedForTest = 0;
uint32_t testTicks() { return seedForTest; }

// The first generator state, from a seed, whose draw modulo m is `wanted`.
uint32_t seedGiving(uint32_t modulus, uint32_t wanted) {
    for (uint32_t seed = 0;; ++seed) {
        RandomSource probe;
        probe.state = seed;
        probe.setModulus(modulus);
        probe.next();
        if (probe.value() == wanted) {
            return seed;
        }
    }
}

int number(TeleportPhase phase) { return static_cast<int>(phase); }

struct TeleportStages : testing::Test {
    void SetUp() override {
        RandomSource::setTickSource(testTicks);
        StandardRandom::useSeedSequence(7);
    }
    void TearDown() override {
        RandomSource::setTickSource(nullptr);
        StandardRandom::useSystemEntropy();
    }

    // Frame steps per phase of one whole run; `atFrame` looks at each frame as
    // it would be drawn.
    std::map<int, int> play(TeleportExperiment& e,
                            const std::function<void(const TeleportExperiment&)>& atFrame = {}) {
        std::map<int, int> frames;
        e.startRun();
        int total = 0;
        while (e.step() == FrameEnd::Step) {
            ++frames[number(e.phase)];
            if (atFrame) atFrame(e);
            if (++total > 10000) {
                ADD_FAILURE() << "the run never ends";
                break;
            }
        }
        EXPECT_FALSE(e.running());
        return frames;
    }
};

TEST_F(TeleportStages, PhasesInOrderWithTheirFrameCounts) {
    TeleportExperiment e;
    int previous = 1;
    bool inOrder = true;
    // Photons 1 and 4 are born together where the pump pulse came back to.
    bool bornAtTheCrystal = false;
    const auto frames = play(e, [&](const TeleportExperiment& at) {
        inOrder = inOrder && number(at.phase) >= previous;
        if (at.phase == TeleportPhase::SecondPairLeaves && previous != 5) {
            bornAtTheCrystal = at.photon1Z == at.photon4Z && at.photon1Z >= 1.9f &&
                               at.pumpZ == 9.3f && at.photon2Z <= -1.3f;
        }
        previous = number(at.phase);
    });
    // Stage 3 needs its fortieth frame (the pump stops a hair short of the
    // crystal after 39), and stage 4 none: photon 2 is past its limit already.
    const std::map<int, int> expected{{1, 124}, {2, 25}, {3, 40}, {5, 7}, {6, 32},
                                      {7, 37}, {8, 102}, {9, 13}, {10, 133}};
    EXPECT_EQ(frames, expected);
    int total = 0;
    for (const auto& entry : frames) total += entry.second;
    EXPECT_EQ(total, 513);
    EXPECT_TRUE(inOrder);
    EXPECT_TRUE(bornAtTheCrystal);
    EXPECT_EQ(e.phase, TeleportPhase::Finished);
    EXPECT_NEAR(e.outputZ, -1.69, 0.006);
}

TEST_F(TeleportStages, PositionsAtTheEndsOfStagesSevenAndNine) {
    TeleportExperiment e;
    // The first frames of stages 8 and 10 show where stages 7 and 9 left the
    // photons, the helix and the message.
    TeleportExperiment endOfSeven, endOfNine;
    int lastPhase = 0;
    play(e, [&](const TeleportExperiment& at) {
        if (number(at.phase) != lastPhase && at.phase == TeleportPhase::MessageSent) endOfSeven = at;
        if (number(at.phase) != lastPhase && at.phase == TeleportPhase::OutputLeaves) endOfNine = at;
        lastPhase = number(at.phase);
    });
    EXPECT_NEAR(endOfSeven.photon1X, -2.48, 0.005);
    EXPECT_NEAR(endOfSeven.photon1Z, -0.396, 0.005);
    EXPECT_NEAR(endOfSeven.photon2X, -3.284, 0.005);
    EXPECT_NEAR(endOfSeven.photon2Z, 0.838, 0.005);
    EXPECT_NEAR(endOfSeven.photon3X, 1.839, 0.005);
    EXPECT_NEAR(endOfSeven.photon3Z, -5.51, 0.005);
    EXPECT_NEAR(endOfSeven.helixExtent, 2.451, 0.002);
    EXPECT_NEAR(endOfSeven.helixTwist, 32.88, 0.01);
    // The helix painter will draw 245 points after its start point.
    EXPECT_EQ(static_cast<unsigned>(endOfSeven.helixExtent * 100), 245u);
    EXPECT_NEAR(endOfNine.photon3X, 3.449, 0.005);
    EXPECT_NEAR(endOfNine.photon3Z, -11.26, 0.005);
    EXPECT_NEAR(endOfNine.messageX, 2.11, 0.005);
    EXPECT_NEAR(endOfNine.messageY, 6.44, 0.005);
    EXPECT_NEAR(endOfNine.messageZ, 0.528, 0.005);
}

TEST_F(TeleportStages, EveryInputAndResultDecideReadOutMessageAndDial) {
    const char* const messages[4] = {"00", "01", "10", "11"};
    const int targets[4] = {24, 6, -13, -30};
    for (uint32_t p = 0; p < 6; ++p) {
        for (uint32_t r = 0; r < 4; ++r) {
            SCOPED_TRACE("p=" + std::to_string(p) + " r=" + std::to_string(r));
            seedForTest = seedGiving(6, p);
            TeleportExperiment e;
            e.outcomeSource.state = seedGiving(4, r);
            // The input stays hidden until stage 7; the dial rests until stage 10.
            bool hiddenThenShown = true, dialRests = true;
            play(e, [&](const TeleportExperiment& at) {
                hiddenThenShown = hiddenThenShown &&
                                  at.inputShown() == (at.phase >= TeleportPhase::InputRevealed);
                if (at.phase < TeleportPhase::OutputLeaves) {
                    dialRests = dialRests && at.needleAngle == TeleportExperiment::needleRest;
                }
            });
            EXPECT_TRUE(hiddenThenShown);
            EXPECT_TRUE(dialRests);
            EXPECT_EQ(e.facts.input, static_cast<int>(p));
            EXPECT_EQ(e.facts.result, static_cast<int>(r));
            EXPECT_STREQ(e.messageText, messages[r]);
            EXPECT_EQ(e.needleAngle, targets[r]);
            // With the message the output is the input, whatever Alice found.
            EXPECT_EQ(e.facts.output, static_cast<int>(p));
            EXPECT_EQ(e.polarizationIndex(), static_cast<int>(p));
            EXPECT_TRUE(e.inputShown());
        }
    }
}

TEST_F(TeleportStages, OutputEqualsInputExactlyWhenTheMessageIsSent) {
    // Without the message Bob keeps Alice's photon: it matches the input only
    // where her result left it unturned (r = 0, or r = 1 for p = 0 and 90).
    int withoutMatches = 0;
    for (uint32_t p = 0; p < 6; ++p) {
        for (uint32_t r = 0; r < 4; ++r) {
            for (bool sent : {true, false}) {
                SCOPED_TRACE("p=" + std::to_string(p) + " r=" + std::to_string(r) +
                             (sent ? " sent" : " withheld"));
                seedForTest = seedGiving(6, p);
                TeleportExperiment e;
                e.controls.message = sent;
                e.outcomeSource.state = seedGiving(4, r);
                const auto frames = play(e);
                int total = 0;
                for (const auto& entry : frames) total += entry.second;
                EXPECT_EQ(total, 513);  // the run takes as long either way
                EXPECT_EQ(e.facts.messageSent, sent);
                if (sent) {
                    EXPECT_EQ(e.facts.output, e.facts.input);
                } else {
                    EXPECT_EQ(e.facts.operation, TeleportFacts::noOperation);
                    EXPECT_EQ(e.needleAngle, TeleportExperiment::needleRest);
                    withoutMatches += e.facts.output == e.facts.input;
                }
            }
        }
    }
    EXPECT_EQ(withoutMatches, 6 + 2);
}

TEST_F(TeleportStages, OutcomesContinueOneSequenceWhileInputsAreReseeded) {
    TeleportExperiment e;
    e.outcomeSource.state = 777;
    RandomSource expected;
    expected.state = 777;
    expected.setModulus(4);
    for (int runIndex = 0; runIndex < 3; ++runIndex) {
        seedForTest = 5;  // every Start reseeds the input source alike
        play(e);
        expected.next();
        EXPECT_EQ(e.outcomeSource.value(), expected.value());
        EXPECT_EQ(e.outcomeSource.state, expected.state);
        RandomSource input;
        input.state = 5;
        input.setModulus(6);
        input.next();
        EXPECT_EQ(e.polarizationSource.value(), input.value());
        EXPECT_EQ(e.facts.input, static_cast<int>(input.value()));
    }
}

TEST_F(TeleportStages, NewStartResetsDialAndReadOutAndReturnEndsARun) {
    seedForTest = seedGiving(6, 5);
    TeleportExperiment e;
    e.outcomeSource.state = seedGiving(4, 2);
    play(e);
    ASSERT_EQ(e.needleAngle, -13);
    ASSERT_EQ(e.polarizationIndex(), 5);
    // The next Start's first frame: stage 1 again, nothing of the last run shown.
    e.startRun();
    ASSERT_EQ(e.step(), FrameEnd::Step);
    EXPECT_EQ(e.phase, TeleportPhase::PumpToCrystal);
    EXPECT_EQ(e.helixExtent, 0.0f);
    EXPECT_EQ(e.needleAngle, TeleportExperiment::needleRest);
    EXPECT_FALSE(e.inputShown());
    EXPECT_FLOAT_EQ(e.pumpZ, 9.3f);
    EXPECT_FALSE(e.beforeRun());
    // Return held: the run ends in the stage it is in, and Start is usable again.
    for (int i = 0; i < 200; ++i) e.step();
    const TeleportPhase reached = e.phase;
    e.controls.returnHeld = true;
    EXPECT_EQ(e.step(), FrameEnd::Finished);
    EXPECT_EQ(e.phase, reached);
    EXPECT_FALSE(e.running());
    EXPECT_EQ(e.step(), FrameEnd::Finished);
}

TEST_F(TeleportStages, TallyCountsAThousandFromItsOwnSourceAndClearsTheScene) {
    seedForTest = seedGiving(6, 2);
    TeleportExperiment e;
    e.outcomeSource.state = seedGiving(4, 3);
    play(e);
    const RandomSource input = e.polarizationSource, outcome = e.outcomeSource;

    e.controls.repeat = true;
    e.controls.message = false;
    e.startRun();
    // The scene as before the first run: stage 1, dial at rest, all inputs.
    EXPECT_EQ(e.phase, TeleportPhase::PumpToCrystal);
    EXPECT_EQ(e.needleAngle, TeleportExperiment::needleRest);
    int frames = 0, previous = 0, largestStep = 0;
    bool inputFollows = true;
    while (e.step() == FrameEnd::Step) {
        ++frames;
        largestStep = std::max(largestStep, e.tally.runs - previous);
        previous = e.tally.runs;
        inputFollows = inputFollows && e.tally.running && e.inputShown() &&
                       e.polarizationIndex() == e.tally.lastInput;
    }
    EXPECT_EQ(e.tally.runs, 1000);
    EXPECT_FALSE(e.tally.messageSent);
    EXPECT_EQ(frames, 100);
    EXPECT_EQ(largestStep, TeleportExperiment::tallyRunsPerFrame);
    EXPECT_TRUE(inputFollows);
    EXPECT_FALSE(e.tally.running);
    EXPECT_TRUE(e.beforeRun());
    EXPECT_TRUE(e.showTally);
    // The animated runs' sources are untouched.
    EXPECT_EQ(e.polarizationSource.state, input.state);
    EXPECT_EQ(e.outcomeSource.state, outcome.state);

    // Return ends a tally between two steps.
    TeleportExperiment again;
    again.controls = e.controls;
    again.startRun();
    for (int i = 0; i < 30; ++i) ASSERT_EQ(again.step(), FrameEnd::Step);
    again.controls.returnHeld = true;
    EXPECT_EQ(again.step(), FrameEnd::Finished);
    EXPECT_EQ(again.tally.runs, 300);
    EXPECT_FALSE(again.running());

    // An animated run after the tally hides it again.
    e.controls.repeat = false;
    e.startRun();
    EXPECT_FALSE(e.showTally);
}

TEST_F(TeleportStages, FreshWindowStartsInPhaseOne) {
    TeleportWindow* window = buildTeleportWindow();
    const TeleportExperiment& e = window->experiment;
    EXPECT_EQ(e.phase, TeleportPhase::PumpToCrystal);
    EXPECT_TRUE(e.beforeRun());
    EXPECT_FALSE(e.inputShown());
    EXPECT_EQ(e.needleAngle, TeleportExperiment::needleRest);
    EXPECT_FLOAT_EQ(e.pumpX, -0.2f);
    EXPECT_FLOAT_EQ(e.pumpZ, 9.3f);
    EXPECT_EQ(e.polarizationSource.value(), 0u);
    EXPECT_EQ(e.polarizationIndex(), 0);
    EXPECT_TRUE(window->startButton->active());
    EXPECT_STREQ(window->polarizationBox->label(), "");
    EXPECT_STREQ(window->label(), "Quantum-teleportation");
    EXPECT_EQ(window->color(), 113u);
    delete window;
}

}  // namespace
