// Message and Repeat in the real window: a run without the message leaves Bob's
// photon as Alice's result left it, a run with it is the run as always, and a
// tally counts a thousand teleportations from its own random source.
#include "teleport_probe.h"

#include "app/presenter_keys.h"
#include "teleport/teleport_run.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <gtest/gtest.h>

namespace {

using namespace teleport_probe;

struct TeleportOptions : testing::Test {
    TeleportWindow* window;
    TeleportView* view;

    TeleportOptions() {
        RandomSource::setTickSource(fixedTicks);
        Fl::e_x_root = Fl::e_y_root = 5000;  // the pointer off the description
        view = (window = openWindow())->view;
    }
    ~TeleportOptions() override { RandomSource::setTickSource(nullptr); }

    // Pixels of the output arrow's colour `preset` near its axis, if it lay
    // along `degrees`, at both heads.
    int outputPixelsAlong(int degrees, int preset) {
        int n = 0;
        for (float along : {0.3f, -0.3f}) {
            const Point at = project(*view, [&] {
                glTranslatef(3.26f, -0.45f, view->outputZ);
                glScalef(0.5f, 0.8f, 1);
                glRotatef(90.0f + degrees, 0, 0, 1);
            }, 0, along, 0);
            for (const Pixel& px : pixelsAround(*view, at, 1)) n += classify(px) == preset;
        }
        return n;
    }
};

TEST_F(TeleportOptions, WithoutTheMessageBobKeepsAlicesPhotonWithItTheRunIsAsAlways) {
    // Input 30 degrees (p = 1), Alice's result 2: Bob's photon leaves along 90 - 30.
    fixedSeed = seedGiving(6, 1);
    window->outcomeSource.state = seedGiving(4, 2);
    ASSERT_EQ(window->messageButton->value(), 1);
    EXPECT_STREQ(window->messageButton->tooltip(), "Key: \"m\"");
    EXPECT_STREQ(window->repeatButton->tooltip(), "Key: \"r\"");
    EXPECT_TRUE(pressKeyButton(*window, 'm', 0));
    ASSERT_EQ(window->messageButton->value(), 0);
    FrameLog log;
    log.attach(view);
    bool optionsGreyed = true, channelIdle = true;
    log.onFrame = [&](int, int phase) {
        optionsGreyed = optionsGreyed && !window->messageButton->active() &&
                        !window->repeatButton->active();
        if (phase == 8 || phase == 9) {
            channelIdle = channelIdle && view->lampColours[4].r == 0.4f &&
                          view->lampColours[5].r == 0.4f;
        }
    };
    startTeleportation(window->startButton);
    EXPECT_EQ(log.total, 513);
    ASSERT_EQ(view->phase, 11);
    EXPECT_TRUE(optionsGreyed);
    EXPECT_TRUE(channelIdle);
    EXPECT_TRUE(window->messageButton->active());
    EXPECT_EQ(view->facts.result, 2);
    EXPECT_EQ(view->facts.operation, TeleportFacts::noOperation);
    // The dial stays at rest, the arrow lies along 60 degrees in preset 2.
    EXPECT_EQ(view->needleAngle, 48);
    EXPECT_GT(countAround(*view, needleAt(*view, 48), 1, isNeedleRed), 4);
    EXPECT_EQ(countAround(*view, needleAt(*view, -13), 1, isNeedleRed), 0);
    EXPECT_GT(outputPixelsAlong(60, 2), 3);
    EXPECT_EQ(outputPixelsAlong(30, 2) + outputPixelsAlong(30, 1), 0);
    // The read-out and the legend still reveal the input.
    EXPECT_STREQ(window->polarizationBox->label(), "30");
    EXPECT_EQ(classify(brightestAround(*view, legendArrow(*view, 1))), 1);

    // Message read at the next Start: the same draws give the run as always.
    EXPECT_TRUE(pressKeyButton(*window, 'm', 0));
    window->outcomeSource.state = seedGiving(4, 2);
    FrameLog again;
    again.attach(view);
    startTeleportation(window->startButton);
    EXPECT_EQ(again.total, 513);
    EXPECT_EQ(view->needleAngle, -13);
    EXPECT_GT(outputPixelsAlong(30, 1), 3);
    EXPECT_EQ(outputPixelsAlong(60, 2), 0);
}

TEST_F(TeleportOptions, RepeatTalliesAThousandWithoutTouchingTheRunsDraws) {
    const RandomSource input = window->polarizationSource, outcome = window->outcomeSource;
    // The finished picture of a run whose output is red, the colour of the
    // "Description" word drawn last before the panel.
    view->setPhase(11);
    view->outputZ = -1.69f;
    view->facts = teleport(0, 0, true);
    view->outputArrow.colour.select(0);
    EXPECT_TRUE(pressKeyButton(*window, 'r', 0));
    ASSERT_EQ(window->repeatButton->value(), 1);
    FrameLog log;
    log.attach(view);
    int largestStep = 0, previous = 0;
    bool greyed = true;
    log.onFrame = [&](int, int) {
        largestStep = std::max(largestStep, view->tally.runs - previous);
        previous = view->tally.runs;
        greyed = greyed && !window->startButton->active() && !window->messageButton->active();
    };
    startTeleportation(window->startButton);
    EXPECT_EQ(view->tally.runs, 1000);
    EXPECT_EQ(view->tally.matches, 1000);
    EXPECT_GT(log.total, 1000 / 50 - 1);
    EXPECT_LE(largestStep, 50);
    EXPECT_TRUE(greyed);
    EXPECT_TRUE(window->startButton->active() && window->repeatButton->active());
    // The animated run's sources and picture are as they were.
    EXPECT_EQ(window->polarizationSource.state, input.state);
    EXPECT_EQ(window->outcomeSource.state, outcome.state);
    EXPECT_EQ(view->phase, 11);
    // The panel's colours do not leak into the scene.
    EXPECT_GT(outputPixelsAlong(0, 0), 3);

    // Stop holds a tally between two steps; Return held ends it at once.
    window->messageButton->value(0);
    FrameLog held;
    held.attach(view);
    int framesWhileHeld = -1, runsAtReturn = -1;
    held.onFrame = [&](int frame, int) {
        if (frame == 20) {
            window->stopButton->value(1);
            Fl::add_timeout(0.3, [](void* data) {
                static_cast<TeleportWindow*>(data)->stopButton->value(0);
            }, window);
            const int before = held.total;
            window->stopButton->do_callback();
            framesWhileHeld = held.total - before;
        }
        if (frame == 40) {
            window->returnButton->value(1);
            runsAtReturn = view->tally.runs;
        }
    };
    startTeleportation(window->startButton);
    window->returnButton->value(0);
    EXPECT_EQ(framesWhileHeld, 0);
    EXPECT_EQ(held.total, 40);
    EXPECT_EQ(view->tally.runs, runsAtReturn);
    EXPECT_LT(view->tally.runs, 1000);
    EXPECT_FALSE(view->tally.messageSent);
    EXPECT_TRUE(window->startButton->active());
    EXPECT_TRUE(window->shown());
}

}  // namespace
