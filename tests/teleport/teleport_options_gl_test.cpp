// Message and Repeat in the real window: a run without the message leaves Bob's
// photon as Alice's result left it, a run with it is the run as always, and a
// tally counts a thousand teleportations from its own random source.
#include "teleport_probe.h"

#include "app/presenter_keys.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using namespace teleport_probe;

struct TeleportOptions : testing::Test {
    FixedSeeds seeds{1};
    TeleportWindow* window;
    TeleportView* view;

    TeleportOptions() {
        Fl::e_x_root = Fl::e_y_root = 5000;  // the pointer off the description
        view = (window = openWindow())->view;
    }

    void pressStart() { window->startButton->do_callback(); }

    // Pixels of the output arrow's colour `preset` near its axis, if it lay
    // along `degrees`, at both heads.
    int outputPixelsAlong(int degrees, int preset) {
        int n = 0;
        for (float along : {0.3f, -0.3f}) {
            const Point at = project(*view, [&] {
                glTranslatef(3.26f, -0.45f, window->experiment.outputZ);
                glScalef(0.5f, 0.8f, 1);
                glRotatef(90.0f + degrees, 0, 0, 1);
            }, 0, along, 0);
            for (const Pixel& px : pixelsAround(*view, at, 1)) n += classify(px) == preset;
        }
        return n;
    }

    // Clear red pixels at the cross over the cut channel, and at Bob's "no
    // setting" under his name.
    static bool isRed(Pixel p) { return p.r > 200 && p.g < 90 && p.b < 90; }
    int redAtCut() {
        return countAround(*view, project(*view, [] {}, 0.3f, 1.7f, -5.75f), 2, isRed);
    }
    int redUnderBob() {
        Point at = project(*view, [] { glTranslatef(1, 7, 0); }, 3.1f, -4.35f, 0);
        at.x += 45;
        at.y -= 7;
        return countAround(*view, at, 8, isRed);
    }
};

TEST_F(TeleportOptions, WithoutTheMessageBobKeepsAlicesPhotonWithItTheRunIsAsAlways) {
    // Input 30 degrees (p = 1), Alice's result 2: Bob's photon leaves along 90 - 30.
    FixedSeeds::reseed(seedGiving(6, 1));
    window->experiment.outcomeSource.state = seedGiving(4, 2);
    ASSERT_EQ(window->messageButton->value(), 1);
    EXPECT_STREQ(window->messageButton->tooltip(), "Key: \"m\"");
    EXPECT_STREQ(window->repeatButton->tooltip(), "Key: \"r\"");
    EXPECT_TRUE(pressKeyButton(*window, 'm', 0));
    ASSERT_EQ(window->messageButton->value(), 0);
    RunLog log(*window);
    bool optionsGreyed = true;
    int channelLit = 0, lampLit = 0;
    log.onFrame = [&](const RunFrame& f) {
        optionsGreyed = optionsGreyed && !window->messageButton->active() &&
                        !window->repeatButton->active();
        // The channel and Bob's lamp stay dark while the bits would travel.
        if ((f.phase == 8 || f.phase == 9) && f.ofPhase == 5) {
            channelLit += countAround(*view, channelPoint(*view), 2, isWhite);
            lampLit += countAround(*view, bobLamp(*view), 2, isWhite);
        }
    };
    pressStart();
    EXPECT_EQ(log.total(), 513);
    ASSERT_EQ(phaseOf(*window), 11);
    EXPECT_TRUE(optionsGreyed);
    EXPECT_EQ(channelLit, 0);
    EXPECT_EQ(lampLit, 0);
    EXPECT_TRUE(window->messageButton->active());
    EXPECT_EQ(window->experiment.facts.result, 2);
    EXPECT_EQ(window->experiment.facts.operation, TeleportFacts::noOperation);
    // The dial stays at rest, the arrow lies along 60 degrees in preset 2.
    EXPECT_EQ(window->experiment.needleAngle, 48);
    EXPECT_GT(countAround(*view, needleAt(*view, 48), 1, isNeedleRed), 4);
    EXPECT_EQ(countAround(*view, needleAt(*view, -13), 1, isNeedleRed), 0);
    EXPECT_GT(outputPixelsAlong(60, 2), 3);
    EXPECT_EQ(outputPixelsAlong(30, 2) + outputPixelsAlong(30, 1), 0);
    // The read-out and the legend still reveal the input.
    EXPECT_STREQ(window->polarizationBox->label(), "30");
    EXPECT_EQ(classify(brightestAround(*view, legendArrow(*view, 1))), 1);
    // The cut is marked, and so is the dial that got no setting.
    EXPECT_GT(redAtCut(), 10);
    EXPECT_GT(redUnderBob(), 10);

    // Message read at the next Start: the same draws give the run as always.
    EXPECT_TRUE(pressKeyButton(*window, 'm', 0));
    window->experiment.outcomeSource.state = seedGiving(4, 2);
    RunLog again(*window);
    again.onFrame = [&](const RunFrame& f) {
        if (f.phase == 9 && f.ofPhase == 5) {
            channelLit += countAround(*view, channelPoint(*view), 2, isWhite);
            lampLit += countAround(*view, bobLamp(*view), 2, isWhite);
        }
    };
    pressStart();
    EXPECT_EQ(again.total(), 513);
    // With the message both light up while the bits arrive.
    EXPECT_GT(channelLit, 0);
    EXPECT_GT(lampLit, 0);
    EXPECT_EQ(window->experiment.needleAngle, -13);
    EXPECT_GT(outputPixelsAlong(30, 1), 3);
    EXPECT_EQ(outputPixelsAlong(60, 2), 0);
    EXPECT_EQ(redAtCut(), 0);
    EXPECT_EQ(redUnderBob(), 0);
}

TEST_F(TeleportOptions, ATallyAfterARunWithoutTheMessageShowsNothingOfThatRun) {
    // A run without the message: input 60 degrees, Alice's result 1, so Bob's
    // photon leaves along 120 degrees in the legend's magenta.
    FixedSeeds::reseed(seedGiving(6, 2));
    window->experiment.outcomeSource.state = seedGiving(4, 1);
    EXPECT_TRUE(pressKeyButton(*window, 'm', 0));
    pressStart();
    ASSERT_EQ(window->experiment.facts.output, 4);
    ASSERT_GT(outputPixelsAlong(120, 4), 3);
    ASSERT_GT(redAtCut(), 10);

    // The tally with the message: while it counts, the legend, polarizer and
    // read-out show the input it drew last, which changes.
    EXPECT_TRUE(pressKeyButton(*window, 'm', 0));
    EXPECT_TRUE(pressKeyButton(*window, 'r', 0));
    RunLog log(*window);
    std::set<std::string> readOuts;
    bool followsTally = true;
    log.onFrame = [&](const RunFrame& f) {
        const int frame = f.frame;
        const int p = window->experiment.tally.lastInput;
        readOuts.insert(window->polarizationBox->label());
        followsTally = followsTally && window->experiment.polarizationIndex() == p &&
                       std::to_string(30 * p) == window->polarizationBox->label();
        if (frame % 25 == 0) {
            const int lit = classify(brightestAround(*view, legendArrow(*view, p)));
            const int other = classify(brightestAround(*view, legendArrow(*view, (p + 3) % 6)));
            followsTally = followsTally && lit == p && other == 8;
        }
    };
    pressStart();
    ASSERT_EQ(window->experiment.tally.runs, 1000);
    EXPECT_TRUE(followsTally);
    EXPECT_GE(readOuts.size(), 5u);
    // Nothing of the run stays: no output arrow, lamp, turned dial or cut.
    EXPECT_EQ(outputPixelsAlong(120, 4), 0);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(countAround(*view, aliceLamp(*view, k), 2, isGold), 0);
    EXPECT_EQ(redAtCut(), 0);
    EXPECT_EQ(redUnderBob(), 0);
    // Done, the totals stand for all six inputs: each legend arrow in its colour.
    EXPECT_STREQ(window->polarizationBox->label(), "all");
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(classify(brightestAround(*view, legendArrow(*view, i))), i) << "legend arrow " << i;
    }
    window->returnButton->do_callback();  // the next test opens a fresh window
}

TEST_F(TeleportOptions, RepeatTalliesAThousandWithoutTouchingTheRunsDraws) {
    // The finished picture of a run whose output is red (input 0), the colour of
    // the "Description" word drawn last before the panel.
    FixedSeeds::reseed(seedGiving(6, 0));
    pressStart();
    ASSERT_GT(outputPixelsAlong(0, 0), 3);
    const RandomSource input = window->experiment.polarizationSource,
                       outcome = window->experiment.outcomeSource;
    EXPECT_TRUE(pressKeyButton(*window, 'r', 0));
    ASSERT_EQ(window->repeatButton->value(), 1);
    RunLog log(*window);
    int largestStep = 0, previous = 0;
    bool greyed = true;
    log.onFrame = [&](const RunFrame&) {
        largestStep = std::max(largestStep, window->experiment.tally.runs - previous);
        previous = window->experiment.tally.runs;
        greyed = greyed && !window->startButton->active() && !window->messageButton->active();
    };
    pressStart();
    EXPECT_EQ(window->experiment.tally.runs, 1000);
    EXPECT_EQ(window->experiment.tally.matches, 1000);
    EXPECT_GT(log.total(), 1000 / 50 - 1);
    EXPECT_LE(largestStep, 50);
    EXPECT_TRUE(greyed);
    EXPECT_TRUE(window->startButton->active() && window->repeatButton->active());
    // The animated run's sources are as they were; its red arrow is gone.
    EXPECT_EQ(window->experiment.polarizationSource.state, input.state);
    EXPECT_EQ(window->experiment.outcomeSource.state, outcome.state);
    EXPECT_EQ(outputPixelsAlong(0, 0), 0);
    // The panel's colours do not leak into the scene: the lit legend keeps its own.
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(classify(brightestAround(*view, legendArrow(*view, i))), i) << "legend arrow " << i;
    }

    // Stop holds a tally between two steps; Return held ends it at once.
    window->messageButton->value(0);
    RunLog held(*window);
    struct Hold {
        TeleportWindow* window;
        bool released = false;
    } hold{window};
    bool releasedBeforeNext = false, oneStepAcross = false;
    int runsAtReturn = -1, runsWhenLit = -1;
    held.onFrame = [&](const RunFrame& f) {
        if (f.frame == 20) {
            runsWhenLit = window->experiment.tally.runs;
            window->stopButton->value(1);
            Fl::add_timeout(0.3, [](void* data) {
                auto* h = static_cast<Hold*>(data);
                h->window->stopButton->value(0);
                h->released = true;
            }, &hold);
        }
        if (f.frame == 21) {
            releasedBeforeNext = hold.released;
            oneStepAcross = window->experiment.tally.runs ==
                            runsWhenLit + TeleportExperiment::tallyRunsPerFrame;
        }
        if (f.frame == 40) {
            window->returnButton->value(1);
            runsAtReturn = window->experiment.tally.runs;
        }
    };
    pressStart();
    window->returnButton->value(0);
    EXPECT_TRUE(releasedBeforeNext);
    EXPECT_TRUE(oneStepAcross);
    EXPECT_EQ(held.total(), 40);
    EXPECT_EQ(window->experiment.tally.runs, runsAtReturn);
    EXPECT_LT(window->experiment.tally.runs, 1000);
    EXPECT_FALSE(window->experiment.tally.messageSent);
    EXPECT_TRUE(window->startButton->active());
    EXPECT_TRUE(window->shown());
}

}  // namespace
