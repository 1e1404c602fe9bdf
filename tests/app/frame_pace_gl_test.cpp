// The pace of the program: at most 60 frame steps a second with the same frame
// steps per phase as without the limit, and a lit Stop that waits without
// using the processor.
#include "app/demonstrations.h"
#include "app/registry.h"
#include "bb84/bb84_window.h"
#include "bell/bell_view.h"
#include "bell/bell_window.h"
#include "scene/frame_step.h"
#include "support/gl_probe.h"
#include "teleport/teleport_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Input.H>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>

namespace {

double processSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

double wallSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

struct PacedPair {
    std::map<int, int> framesByPhase;
    int total = 0;
    double seconds = 0;
};

// One animated Bell pair, its frame steps counted by phase and its run timed.
PacedPair runOneBellPair(bool limit) {
    setFrameLimit(limit);
    showBellWindow();
    BellWindow* window = bellWindow;
    EXPECT_TRUE(waitFor([window] { return window->shown() && window->visible(); }));
    window->experimentInput->value(1);
    PacedPair pair;
    setFrameObserver([&pair] {
        ++pair.framesByPhase[static_cast<int>(bellWindow->experiment.phase)];
        ++pair.total;
    });
    const double start = wallSeconds();
    window->startButton->do_callback();
    pair.seconds = wallSeconds() - start;
    setFrameObserver(nullptr);
    setFrameLimit(false);
    leaveBell(nullptr, window);
    return pair;
}

// Stop holds a Bell run between two frames: lit at the run's first frame step
// (Start switches it off), it holds until the light goes out.
void holdBellRun(Fl_Widget*, void*) {
    BellWindow* window = bellWindow;
    window->experimentInput->value(1);
    bool lit = false;
    setFrameObserver([window, &lit] {
        if (!lit) window->stopButton->value(1);
        lit = true;
    });
    window->startButton->do_callback();
    setFrameObserver(nullptr);
}

}  // namespace

TEST(FramePace, LimitHoldsARunToSixtyFrameStepsASecondWithTheSameSteps) {
    const PacedPair fast = runOneBellPair(false);
    const PacedPair paced = runOneBellPair(true);
    ASSERT_EQ(fast.total, 251);
    EXPECT_EQ(paced.framesByPhase, fast.framesByPhase);
    EXPECT_GE(paced.seconds, paced.total / kFramesPerSecond);
    std::printf("paced pair: %d frame steps in %.3f s; unpaced: %.3f s\n", paced.total,
                paced.seconds, fast.seconds);
    // Not slower than the limit asks for by much either (a loaded test machine
    // draws a frame in a few milliseconds, well inside 1/60 s).
    EXPECT_LT(paced.seconds, 2 * paced.total / kFramesPerSecond);
}

TEST(FramePace, ALitStopWaitsWithoutUsingTheProcessor) {
    struct Demonstration {
        const char* name;
        std::function<Fl_Window*()> open;
        std::function<Fl_Light_Button*(Fl_Window*)> stop;
        void (*hold)(Fl_Widget*, void*);
    };
    const Demonstration demonstrations[] = {
        {"Bell", [] { showBellWindow(); return static_cast<Fl_Window*>(bellWindow); },
         [](Fl_Window* w) { return static_cast<BellWindow*>(w)->stopButton; }, holdBellRun},
        {"teleportation",
         [] { showTeleportWindow(); return static_cast<Fl_Window*>(teleportWindow); },
         [](Fl_Window* w) { return static_cast<TeleportWindow*>(w)->stopButton; },
         // Its run holds between two frames: Start switches the light off, so
         // it is lit again at the run's first frame.
         [](Fl_Widget* stop, void*) {
             setFrameObserver([stop, frames = 0]() mutable {
                 if (++frames == 1) static_cast<Fl_Light_Button*>(stop)->value(1);
             });
             teleportWindow->startButton->do_callback();
             setFrameObserver(nullptr);
         }},
        {"BB84", [] { showBb84Window(); return static_cast<Fl_Window*>(bb84Window); },
         [](Fl_Window* w) { return static_cast<Bb84Window*>(w)->stopButton; },
         // Stop holds a run between two frames: lit again at the run's first
         // frame step (Start puts it out), then Return ends the run once the
         // light is off.
         [](Fl_Widget* stop, void*) {
             auto* window = static_cast<Bb84Window*>(stop->window());
             static bool lit;
             lit = false;
             setFrameObserver([window] {
                 if (!lit) {
                     lit = true;
                     window->stopButton->value(1);
                 } else if (window->stopButton->value() == 0) {
                     window->returnButton->value(1);
                 }
             });
             window->startButton->do_callback();
             setFrameObserver(nullptr);
             window->returnButton->value(0);
         }},
    };
    for (const Demonstration& d : demonstrations) {
        Fl_Window* window = d.open();
        // The window's first pictures are drawn before the hold: drawing them
        // is work, not waiting.
        ASSERT_TRUE(waitUntilDrawn(*window));
        Fl_Light_Button* stop = d.stop(window);
        // The hold is measured from half a second in, once the hold's own first
        // event pass is long done, for 2 s; then a timer switches the light off.
        struct Hold {
            Fl_Light_Button* stop;
            double cpuFrom = 0, cpuTo = 0;
        } hold{stop};
        stop->value(1);
        Fl::add_timeout(0.5, [](void* h) { static_cast<Hold*>(h)->cpuFrom = processSeconds(); },
                        &hold);
        Fl::add_timeout(2.5, [](void* h) {
            auto* held = static_cast<Hold*>(h);
            held->cpuTo = processSeconds();
            held->stop->value(0);
        }, &hold);
        const double wallBefore = wallSeconds();
        d.hold(stop, nullptr);
        const double cpu = hold.cpuTo - hold.cpuFrom;
        EXPECT_GE(wallSeconds() - wallBefore, 2.4) << d.name;
        EXPECT_LT(cpu, 0.1) << d.name << ": " << cpu << " s of processor time in 2 s of a hold";
        std::printf("%s: %.3f s of processor time in 2 s of a hold\n", d.name, cpu);
        window->hide();
        Fl::check();
    }
}
