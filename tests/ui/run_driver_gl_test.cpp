// The one run loop: frame steps reach the observer and nothing else does, a lit
// Stop holds between two frames until it goes out, and a window hidden by any
// means ends the run at its next frame, even while Stop holds it.
#include "scene/frame_step.h"
#include "support/gl_probe.h"
#include "ui/run_driver.h"

#include <FL/Fl.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Plays a script of frame ends, one per step, and lets the test act at a step.
class ScriptedRun : public RunStepper {
public:
    std::vector<FrameEnd> script;
    std::function<void(int)> atStep;
    int steps = 0, shows = 0, holds = 0;

    FrameEnd step() override {
        const int n = steps++;
        if (atStep) atStep(n);
        return n < static_cast<int>(script.size()) ? script[n] : FrameEnd::Finished;
    }
    void show() override { ++shows; }
    void holding() override { ++holds; }
};

class RunDriver : public ::testing::Test {
protected:
    Fl_Window window{200, 100, "run"};
    Fl_Light_Button* stop = nullptr;
    int observed = 0;

    void SetUp() override {
        stop = new Fl_Light_Button(10, 10, 80, 30, "Stop");
        window.end();
        window.show();
        ASSERT_TRUE(waitUntilDrawn(window));
        setFrameLimit(false);
        setFrameObserver([this] { ++observed; });
    }
    void TearDown() override {
        setFrameObserver(nullptr);
        setFrameLimit(true);
    }
};

TEST_F(RunDriver, OnlyFrameStepsReachTheObserverAndFinishedEndsTheRun) {
    ScriptedRun run;
    run.script = {FrameEnd::Step, FrameEnd::Frame, FrameEnd::Events, FrameEnd::Step, FrameEnd::Step};
    driveRun(window, stop, run);
    EXPECT_EQ(run.steps, 6);  // the sixth says Finished
    EXPECT_EQ(run.shows, 5);
    EXPECT_EQ(observed, 3);
    EXPECT_EQ(run.holds, 0);
}

TEST_F(RunDriver, LitStopHoldsBetweenFramesUntilItGoesOut) {
    ScriptedRun run;
    run.script.assign(6, FrameEnd::Step);
    run.atStep = [&](int n) {
        // No step runs while the light is on.
        EXPECT_EQ(stop->value(), 0) << "step " << n << " ran during the hold";
        if (n == 2) {
            stop->value(1);
            // Put out later by a timer, as a click would.
            Fl::add_timeout(0.2, [](void* button) { static_cast<Fl_Light_Button*>(button)->value(0); }, stop);
        }
    };
    driveRun(window, stop, run);
    EXPECT_EQ(run.holds, 1);
    EXPECT_EQ(run.steps, 7);
    EXPECT_EQ(observed, 6);
}

TEST_F(RunDriver, HiddenWindowEndsTheRunAtItsNextFrameEvenWhileHeld) {
    ScriptedRun run;
    run.script.assign(100, FrameEnd::Step);
    run.atStep = [&](int n) {
        if (n == 3) window.hide();
    };
    driveRun(window, stop, run);
    EXPECT_EQ(run.steps, 4);

    window.show();
    ASSERT_TRUE(waitUntilDrawn(window));
    ScriptedRun held;
    held.script.assign(100, FrameEnd::Step);
    held.atStep = [&](int n) {
        if (n == 1) {
            stop->value(1);
            Fl::add_timeout(0.2, [](void* w) { static_cast<Fl_Window*>(w)->hide(); }, &window);
        }
    };
    driveRun(window, stop, held);
    EXPECT_EQ(held.steps, 2);
    EXPECT_EQ(held.holds, 1);
    stop->value(0);
}

}  // namespace
