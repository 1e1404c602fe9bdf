// The teleportation run in its real window, driven frame by frame: frames per
// stage, Return held, Stop, Start while Stop is lit, closing and reopening, runs
// that stay bound to their own window, and a run and a tally told as a lesson.
#include "teleport_probe.h"

#include "app/presenter_keys.h"
#include "support/lesson_presenter.h"
#include "teleport/teleport_lesson.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace teleport_probe;

struct TeleportRunInWindow : testing::Test {
    FixedSeeds seeds{seedGiving(6, 3)};
    TeleportWindow* window = nullptr;
    bool released = false;

    void SetUp() override { window = openWindow(); }

    // A click on Start as FLTK delivers it.
    void pressStart() { window->startButton->do_callback(); }
};

TEST_F(TeleportRunInWindow, FramesPerStageAndFinishedState) {
    RunLog log(*window);
    std::vector<std::string> readOuts;
    log.onFrame = [&](const RunFrame& f) {
        if (f.ofPhase == 1) readOuts.push_back(window->polarizationBox->label());
        EXPECT_FALSE(window->startButton->active());
    };
    pressStart();
    const std::map<int, int> expected{{1, 124}, {2, 25}, {3, 40}, {5, 7}, {6, 32},
                                      {7, 37}, {8, 102}, {9, 13}, {10, 133}};
    EXPECT_EQ(log.perPhase(), expected);  // no frame at all in stage 4
    EXPECT_EQ(log.total(), 513);
    EXPECT_EQ(phaseOf(*window), 11);
    EXPECT_TRUE(window->startButton->active());
    // Empty from the start of the run until stage 7, then the angle, kept after.
    EXPECT_EQ(readOuts, (std::vector<std::string>{"", "", "", "", "", "90", "90", "90", "90"}));
    EXPECT_STREQ(window->polarizationBox->label(), "90");
    EXPECT_TRUE(window->shown());
}

TEST_F(TeleportRunInWindow, ReturnHeldEndsTheRunInThatStage) {
    for (int stage : {1, 3, 7, 9, 10}) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        RunLog log(*window);
        int framesAfterPress = -1;
        // A run ended while the bits travelled leaves no lamp lit in the next.
        bool lampsOutAtStart = false;
        log.onFrame = [&](const RunFrame& f) {
            if (f.frame == 1) {
                TeleportView& view = *window->view;
                lampsOutAtStart = countAround(view, channelPoint(view), 2, isWhite) == 0 &&
                                  countAround(view, bobLamp(view), 2, isWhite) == 0;
            }
            if (framesAfterPress >= 0) ++framesAfterPress;
            if (f.phase == stage && framesAfterPress < 0) {
                window->returnButton->value(1);  // held down, not yet released
                framesAfterPress = 0;
            }
        };
        pressStart();
        EXPECT_EQ(phaseOf(*window), stage);
        EXPECT_EQ(framesAfterPress, 0);
        EXPECT_TRUE(lampsOutAtStart);
        EXPECT_TRUE(window->startButton->active());
        // Dragged off before release: Return's callback never runs.
        window->returnButton->value(0);
        EXPECT_TRUE(window->shown());
    }
    // Start then replays from stage 1.
    RunLog log(*window);
    pressStart();
    EXPECT_EQ(log.total(), 513);
    EXPECT_EQ(log.perPhase()[1], 124);
}

TEST_F(TeleportRunInWindow, StopHoldsTheRunBetweenTwoFrames) {
    RunLog log(*window);
    int phaseWhenLit = 0;
    bool nextFrameAfterRelease = false, samePhase = false;
    log.onFrame = [&](const RunFrame& f) {
        if (f.frame == 200) {
            phaseWhenLit = f.phase;
            window->stopButton->value(1);  // a click lights it
            window->stopButton->do_callback();
            Fl::add_timeout(0.4, [](void* data) {
                auto* self = static_cast<TeleportRunInWindow*>(data);
                self->window->stopButton->value(0);
                self->released = true;
            }, this);
        }
        if (f.frame == 201) {
            nextFrameAfterRelease = released;
            samePhase = f.phase == phaseWhenLit;
        }
    };
    pressStart();
    EXPECT_TRUE(nextFrameAfterRelease);
    EXPECT_TRUE(samePhase);
    EXPECT_EQ(log.total(), 513);
    EXPECT_EQ(phaseOf(*window), 11);
}

TEST_F(TeleportRunInWindow, StartWhileStopIsLitSwitchesItOffAndRuns) {
    RunLog log(*window);
    bool lightOffDuringRun = false;
    log.onFrame = [&](const RunFrame& f) {
        if (f.frame == 1) lightOffDuringRun = window->stopButton->value() == 0;
    };
    window->stopButton->value(1);
    window->stopButton->do_callback();  // nothing to hold without a run
    pressStart();
    EXPECT_TRUE(lightOffDuringRun);
    EXPECT_EQ(phaseOf(*window), 11);
    EXPECT_EQ(log.total(), 513);
    EXPECT_EQ(window->stopButton->value(), 0);
}

TEST_F(TeleportRunInWindow, ClosingTheWindowAnyWayEndsTheRunAtItsNextFrame) {
    // Return pressed and released within one event pass: only the hidden window tells.
    {
        RunLog log(*window);
        log.onFrame = [&](const RunFrame& f) {
            if (f.frame == 150) window->returnButton->do_callback();
        };
        pressStart();
        EXPECT_EQ(log.total(), 150);
        EXPECT_EQ(phaseOf(*window), 3);
        EXPECT_FALSE(window->shown());
        EXPECT_FALSE(window->view->shown());
        EXPECT_TRUE(window->startButton->active());
    }
    // Escape or the window manager's close: the window's callback acts as Return.
    window = openWindow();
    {
        RunLog log(*window);
        log.onFrame = [&](const RunFrame& f) {
            if (f.frame == 300) window->do_callback();
        };
        pressStart();
        EXPECT_EQ(log.total(), 300);
        EXPECT_FALSE(window->shown());
    }
    // A run held by a lit Stop ends when its window is closed.
    window = openWindow();
    {
        RunLog log(*window);
        log.onFrame = [&](const RunFrame& f) {
            if (f.frame == 100) {
                window->stopButton->value(1);
                Fl::add_timeout(0.2, [](void*) { teleportWindow->do_callback(); });
            }
        };
        pressStart();
        EXPECT_EQ(log.total(), 100);
        EXPECT_FALSE(window->shown());
        EXPECT_TRUE(window->startButton->active());
    }
}

TEST_F(TeleportRunInWindow, LauncherRaisesTheShownWindowAndReopensFresh) {
    showTeleportWindow();
    EXPECT_EQ(teleportWindow, window);
    // A finished run, then Return, then the launcher: a new window in phase 1.
    pressStart();
    ASSERT_EQ(phaseOf(*window), 11);
    window->returnButton->do_callback();
    EXPECT_FALSE(window->shown());
    Fl_Widget_Tracker oldWindow(window);
    // Through the launcher itself, which takes over the hidden window's place.
    showTeleportWindow();
    TeleportWindow* fresh = teleportWindow;
    ASSERT_TRUE(fresh && waitUntilDrawn(*fresh));
    EXPECT_EQ(teleportWindow, fresh);
    EXPECT_EQ(phaseOf(*fresh), 1);
    EXPECT_TRUE(fresh->experiment.beforeRun());
    EXPECT_STREQ(fresh->polarizationBox->label(), "");
    EXPECT_EQ(fresh->experiment.needleAngle, TeleportExperiment::needleRest);
    EXPECT_EQ(fresh->experiment.polarizationIndex(), 0);
    // The replaced window is reclaimed at the next event pass.
    EXPECT_TRUE(waitFor([&] { return oldWindow.deleted(); }));
}

TEST_F(TeleportRunInWindow, RunStaysBoundToItsWindowWhenANewOneOpens) {
    Fl_Widget_Tracker oldWindow(window);
    TeleportWindow* newer = nullptr;
    RunLog log(*window);
    log.onFrame = [&](const RunFrame& f) {
        if (f.frame == 300) {
            window->returnButton->do_callback();
            showTeleportWindow();
            newer = teleportWindow;
        }
    };
    pressStart();
    ASSERT_NE(newer, nullptr);
    ASSERT_NE(newer, window);
    EXPECT_EQ(log.total(), 300);
    EXPECT_EQ(phaseOf(*window), 8);
    // Nothing of the old run reached the new window.
    EXPECT_EQ(phaseOf(*newer), 1);
    EXPECT_TRUE(newer->experiment.beforeRun());
    EXPECT_TRUE(newer->startButton->active());
    EXPECT_STREQ(newer->polarizationBox->label(), "");
    // The old window survived its run and is reclaimed once the run let go.
    EXPECT_FALSE(oldWindow.deleted());
    EXPECT_TRUE(waitFor([&] { return oldWindow.deleted(); }));
    EXPECT_TRUE(newer->shown());
}

// Lesson mode from the keyboard: "n" lights it, Space starts and goes on at
// every stop, Page Up plays the stage of Alice's measurement again with the same
// result; the run then ends as a run without a lesson. A tally waits only at its end.
TEST_F(TeleportRunInWindow, ALessonStopsAtEveryStageAndEndsAsARunEnds) {
    ASSERT_TRUE(pressKeyButton(*window, 'n', 0));
    ASSERT_TRUE(window->lesson.lit());
    // The read-out and Alice's result at each wait.
    std::vector<std::string> readOuts;
    std::vector<int> results;
    LessonPresenter presenter(*window, window->lesson, *window->view, 5);
    presenter.atWait = [&] {
        readOuts.push_back(window->polarizationBox->label());
        results.push_back(window->experiment.facts.result);
    };
    RunLog log(*window);
    ASSERT_TRUE(pressKeyButton(*window, ' ', 0));

    const TeleportExperiment& e = window->experiment;
    std::vector<std::string> expected;
    for (int stop : {1, 2, 3, 4, 5, 5, 6, 7}) {
        expected.push_back(teleportLessonCaption(e, static_cast<TeleportStop>(stop)).text);
    }
    expected.push_back(teleportLessonEnd(e).text);
    EXPECT_EQ(presenter.captions, expected);
    // Stage 7 played twice: its 37 frame steps once more, and Alice's result
    // drawn once, the same at both waits of her stop and at the end.
    EXPECT_EQ(log.total(), 513 + 37);
    ASSERT_EQ(results.size(), 9u);
    EXPECT_EQ(results[4], results[5]);
    EXPECT_EQ(results[4], e.facts.result);
    EXPECT_EQ(readOuts.back(), "90");
    EXPECT_EQ(phaseOf(*window), 11);
    EXPECT_EQ(e.facts.output, 3);
    EXPECT_EQ(window->view->caption().text, nullptr);
    EXPECT_TRUE(window->startButton->active());

    // A tally: no stage stops, one wait at the end, its read-out already "all".
    window->repeatButton->value(1);
    presenter.captions.clear();
    readOuts.clear();
    ASSERT_TRUE(pressKeyButton(*window, ' ', 0));
    EXPECT_EQ(presenter.captions, std::vector<std::string>{teleportLessonEnd(e).text});
    EXPECT_EQ(readOuts, std::vector<std::string>{"all"});
    EXPECT_EQ(e.tally.runs, TeleportExperiment::tallyLength);
    EXPECT_EQ(window->view->caption().text, nullptr);
}

}  // namespace
