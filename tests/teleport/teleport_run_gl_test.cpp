// The teleportation run in its real window, driven frame by frame: frames per
// stage, Return held, Stop, Start from inside Stop, closing and reopening, and
// runs that stay bound to their own window.
#include "app/demonstrations.h"
#include "teleport_probe.h"

#include "teleport/teleport_run.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace teleport_probe;

struct TeleportRunInWindow : testing::Test {
    TeleportWindow* window = nullptr;
    TeleportView* view = nullptr;
    bool released = false;

    void SetUp() override {
        RandomSource::setTickSource(fixedTicks);
        fixedSeed = seedGiving(6, 3);
        window = openWindow();
        view = window->view;
    }
    void TearDown() override { RandomSource::setTickSource(nullptr); }

    // A click on Start as FLTK delivers it.
    void pressStart() { window->startButton->do_callback(); }
};

TEST_F(TeleportRunInWindow, FramesPerStageAndFinishedState) {
    FrameLog log;
    log.attach(view);
    std::vector<std::string> readOuts;
    log.onFrame = [&](int, int phase) {
        if (log.perPhase[phase] == 1) readOuts.push_back(window->polarizationBox->label());
        EXPECT_FALSE(window->startButton->active());
    };
    pressStart();
    const std::map<int, int> expected{{1, 124}, {2, 25}, {3, 40}, {5, 7}, {6, 32},
                                      {7, 37}, {8, 102}, {9, 13}, {10, 133}};
    EXPECT_EQ(log.perPhase, expected);  // no frame at all in stage 4
    EXPECT_EQ(log.total, 513);
    EXPECT_EQ(view->phase, 11);
    EXPECT_NEAR(view->outputZ, -1.69, 0.006);
    EXPECT_TRUE(window->startButton->active());
    // Empty from the start of the run until stage 7, then the angle, kept after.
    EXPECT_EQ(readOuts, (std::vector<std::string>{"", "", "", "", "", "90", "90", "90", "90"}));
    EXPECT_STREQ(window->polarizationBox->label(), "90");
    EXPECT_TRUE(window->shown());
}

TEST_F(TeleportRunInWindow, ReturnHeldEndsTheRunInThatStage) {
    for (int stage : {1, 3, 7, 10}) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        FrameLog log;
        log.attach(view);
        int framesAfterPress = -1;
        log.onFrame = [&](int, int phase) {
            if (framesAfterPress >= 0) ++framesAfterPress;
            if (phase == stage && framesAfterPress < 0) {
                window->returnButton->value(1);  // held down, not yet released
                framesAfterPress = 0;
            }
        };
        pressStart();
        EXPECT_EQ(view->phase, stage);
        EXPECT_EQ(framesAfterPress, 0);
        EXPECT_TRUE(window->startButton->active());
        // Dragged off before release: Return's callback never runs.
        window->returnButton->value(0);
        EXPECT_TRUE(window->shown());
    }
    // Start then replays from stage 1.
    FrameLog log;
    log.attach(view);
    pressStart();
    EXPECT_EQ(log.total, 513);
    EXPECT_EQ(log.perPhase[1], 124);
}

TEST_F(TeleportRunInWindow, StopHoldsTheRunBetweenTwoFrames) {
    FrameLog log;
    log.attach(view);
    int framesWhileHeld = -1;
    int heldAt = 0;
    log.onFrame = [&](int frame, int) {
        if (frame == 200) {
            heldAt = frame;
            window->stopButton->value(1);  // a click lights it, then its callback runs
            Fl::add_timeout(0.4, [](void* data) {
                auto* self = static_cast<TeleportRunInWindow*>(data);
                self->window->stopButton->value(0);
                self->released = true;
            }, this);
            const int before = log.total;
            const int phase = view->phase;
            window->stopButton->do_callback();
            framesWhileHeld = log.total - before;
            // The callback returned only once the light was switched off.
            EXPECT_TRUE(released);
            EXPECT_EQ(view->phase, phase);
        }
    };
    pressStart();
    EXPECT_EQ(heldAt, 200);
    EXPECT_EQ(framesWhileHeld, 0);
    EXPECT_EQ(log.total, 513);
    EXPECT_EQ(view->phase, 11);
}

TEST_F(TeleportRunInWindow, StartWhileStopIsLitRunsInsideStopAndSwitchesItOff) {
    FrameLog log;
    log.attach(view);
    bool holding = false;
    bool lightOffDuringRun = false;
    log.onFrame = [&](int frame, int) {
        if (frame == 1) lightOffDuringRun = holding && window->stopButton->value() == 0;
    };
    struct Context {
        TeleportRunInWindow* test;
        bool* holding;
        int phaseAfterRun = 0;
    } context{this, &holding};
    Fl::add_timeout(0.2, [](void* data) {
        auto* c = static_cast<Context*>(data);
        c->test->pressStart();
        c->phaseAfterRun = c->test->view->phase;
    }, &context);
    window->stopButton->value(1);
    holding = true;
    window->stopButton->do_callback();  // returns only once the light is off
    holding = false;
    EXPECT_TRUE(lightOffDuringRun);
    EXPECT_EQ(context.phaseAfterRun, 11);
    EXPECT_EQ(log.total, 513);
    EXPECT_EQ(window->stopButton->value(), 0);
}

TEST_F(TeleportRunInWindow, ClosingTheWindowAnyWayEndsTheRunAtItsNextFrame) {
    // Return pressed and released within one event pass: only the hidden window tells.
    {
        FrameLog log;
        log.attach(view);
        log.onFrame = [&](int frame, int) {
            if (frame == 150) window->returnButton->do_callback();
        };
        pressStart();
        EXPECT_EQ(log.total, 150);
        EXPECT_EQ(view->phase, 3);
        EXPECT_FALSE(window->shown());
        EXPECT_FALSE(view->shown());
        EXPECT_TRUE(window->startButton->active());
    }
    // Escape or the window manager's close: the window's callback acts as Return.
    window = openWindow();
    view = window->view;
    {
        FrameLog log;
        log.attach(view);
        log.onFrame = [&](int frame, int) {
            if (frame == 300) window->do_callback();
        };
        pressStart();
        EXPECT_EQ(log.total, 300);
        EXPECT_FALSE(window->shown());
    }
    // A lit Stop of a closed window no longer holds the program.
    window = openWindow();
    window->stopButton->value(1);
    Fl::add_timeout(0.2, [](void*) { teleportWindow->do_callback(); });
    window->stopButton->do_callback();
    EXPECT_FALSE(window->shown());
}

TEST_F(TeleportRunInWindow, LauncherRaisesTheShownWindowAndReopensFresh) {
    showTeleportWindow();
    EXPECT_EQ(teleportWindow, window);
    // A finished run, then Return, then the launcher: a new window in phase 1.
    pressStart();
    ASSERT_EQ(view->phase, 11);
    leaveTeleportation(window->returnButton);
    EXPECT_FALSE(window->shown());
    Fl_Widget_Tracker oldWindow(window);
    TeleportWindow* fresh = openWindow();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(teleportWindow, fresh);
    EXPECT_EQ(fresh->view->phase, 1);
    EXPECT_STREQ(fresh->polarizationBox->label(), "");
    EXPECT_EQ(fresh->view->needleAngle, 48);
    EXPECT_EQ(fresh->polarizationSource.value(), 0u);
    // The replaced window is reclaimed at the next event pass.
    EXPECT_TRUE(waitFor([&] { return oldWindow.deleted(); }));
}

TEST_F(TeleportRunInWindow, RunStaysBoundToItsWindowWhenANewOneOpens) {
    Fl_Widget_Tracker oldWindow(window);
    TeleportWindow* newer = nullptr;
    FrameLog log;
    log.attach(view);
    log.onFrame = [&](int frame, int) {
        if (frame == 300) {
            leaveTeleportation(window->returnButton);
            showTeleportWindow();
            newer = teleportWindow;
        }
    };
    pressStart();
    ASSERT_NE(newer, nullptr);
    ASSERT_NE(newer, window);
    EXPECT_EQ(log.total, 300);
    EXPECT_EQ(view->phase, 8);
    // Nothing of the old run reached the new window.
    EXPECT_EQ(newer->view->phase, 1);
    EXPECT_TRUE(newer->startButton->active());
    EXPECT_STREQ(newer->polarizationBox->label(), "");
    EXPECT_EQ(newer->view->pumpZ, 9.3f);
    // The old window survived its run and is reclaimed once the run let go.
    EXPECT_FALSE(oldWindow.deleted());
    EXPECT_TRUE(waitFor([&] { return oldWindow.deleted(); }));
    EXPECT_TRUE(newer->shown());
}

}  // namespace
