// The Bell run in its real window: frame steps per phase, draws with a fixed
// seed, counting statistics, and the controls used during a run as a user would.
#include "app/demonstrations.h"
#include "app/presenter_keys.h"
#include "app/registry.h"
#include "bell/bell_lesson.h"
#include "bell/bell_view.h"
#include "bell/bell_window.h"
#include "bell/inequality_verdict.h"
#include "scene/frame_step.h"
#include "support/demo_harness.h"
#include "support/gl_probe.h"
#include "support/lesson_presenter.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Input.H>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

uint32_t fixedTicks() { return 4242u; }
// A seed whose first pair is A-C (+,+), a cell of the inequality row.
uint32_t firstPairInTheRow() { return 5u; }

BellWindow* openBell() { return &openDemonstration(showBellWindow, bellWindow); }

// Start pressed as a user would; returns when the run is over.
void start(BellWindow* window) { window->startButton->do_callback(); }

// Frame steps of a run, by pair and phase, with an action at each one.
struct PhaseLog {
    FrameLog<int> log;
    std::vector<std::vector<int>> framesByPhase;  // [pair][phase 0..10]
    int lastPhase = -1;
    std::function<void(int pair, int phase, bool firstOfPhase)> action;

    explicit PhaseLog(const BellWindow* window)
        : log([window] { return static_cast<int>(window->experiment.phase); }) {
        log.onFrame = [this](const int& phase) {
            if (phase == 1 && lastPhase != 1) {
                framesByPhase.emplace_back(11, 0);
            }
            const bool first = phase != lastPhase;
            lastPhase = phase;
            ++framesByPhase.back()[phase];
            if (action) action(static_cast<int>(framesByPhase.size()), phase, first);
        };
    }
    int total() const { return static_cast<int>(log.frames.size()); }
};

int sumOfCounters(const BellWindow& window) {
    int total = 0;
    for (auto& plane : window.experiment.counts)
        for (auto& row : plane)
            for (int count : row) total += count;
    return total;
}

// Every display shows its counter, and Performed their sum.
void expectDisplaysMatchCounts(const BellWindow& window, int performed) {
    EXPECT_EQ(std::string(window.performedText), std::to_string(performed));
    EXPECT_EQ(sumOfCounters(window), performed);
    for (int l = 0; l < 3; ++l)
        for (int r = 0; r < 3; ++r)
            for (int o = 0; o < 4; ++o)
                EXPECT_EQ(std::string(window.counterText[l][r][o]),
                          std::to_string(window.experiment.counts[l][r][o]));
    EXPECT_EQ(std::string(window.inequalityText[0]), std::to_string(window.experiment.counts[0][2][0]));
    EXPECT_EQ(std::string(window.inequalityText[1]), std::to_string(window.experiment.counts[1][2][0]));
    EXPECT_EQ(std::string(window.inequalityText[2]), std::to_string(window.experiment.counts[0][1][0]));
}

TEST(BellRun, PhasesTakeTheirFrameStepsAndPauseAddsTwoHolds) {
    FixedSeeds seeds(fixedTicks());
    BellWindow* window = openBell();
    const BellExperiment& e = window->experiment;
    window->experimentInput->value(2);
    std::vector<float> spreadAtStart(11, -1);
    PhaseLog log(window);
    log.action = [&](int pair, int phase, bool first) {
        if (!first) return;
        if (pair == 1) spreadAtStart[phase] = e.photonSpread;
        if (pair == 2 && phase == 1) window->pauseButton->value(1);
        if (phase == 3) {
            // The first pair after the window was built has its left detector at A.
            if (pair == 1) {
                EXPECT_EQ(e.leftSetting, 0);
            }
            EXPECT_EQ(e.leftShownSetting, e.leftSetting);
            EXPECT_EQ(e.rightShownSetting, e.rightSetting);
            EXPECT_EQ(e.leftLetter[0], "ABC"[e.leftSetting]);
            EXPECT_EQ(e.rightLetter[0], "ABC"[e.rightSetting]);
        }
        if (phase == 6) {
            EXPECT_EQ(e.leftTurn, e.outcome >= 2 ? 90 : 0);
            EXPECT_EQ(e.rightTurn, e.outcome % 2 ? 90 : 0);
            BellExperiment reference;
            reference.lampsOff();
            reference.lightResultLamps(e.pairCode);
            for (int i = 0; i < 12; ++i) {
                EXPECT_EQ(e.lamps[i].r, reference.lamps[i].r) << i;
                EXPECT_EQ(e.lamps[i].g, reference.lamps[i].g) << i;
                EXPECT_EQ(e.lamps[i].b, reference.lamps[i].b) << i;
            }
        }
        if (phase == 9) {
            EXPECT_EQ(e.leftShownSetting, 0);
            for (const Color& lamp : e.lamps) EXPECT_EQ(lamp.r + lamp.g + lamp.b, 3.0f);
        }
    };
    start(window);
    ASSERT_EQ(log.framesByPhase.size(), 2u);
    const std::vector<int> plain = {0, 80, 53, 27, 0, 41, 22, 0, 27, 1, 0};
    const std::vector<int> paused = {0, 80, 53, 27, 99, 41, 22, 99, 27, 1, 0};
    EXPECT_EQ(log.framesByPhase[0], plain);
    EXPECT_EQ(log.framesByPhase[1], paused);
    EXPECT_EQ(log.total(), 251 + 449);
    // Ends of phases 2, 3 (and 4) and 5 are the starts of 3, 5 and 6.
    EXPECT_NEAR(spreadAtStart[3], 1.484f, 1e-5);
    EXPECT_NEAR(spreadAtStart[5], 2.024f, 1e-5);
    EXPECT_NEAR(spreadAtStart[6], 2.844f, 1e-5);
    EXPECT_NEAR(e.photonSpread, 2.844f, 1e-5);
    EXPECT_EQ(e.phase, BellPhase::Done);
    EXPECT_TRUE(window->startButton->active());
    expectDisplaysMatchCounts(*window, 2);
}

// Lesson mode from the keyboard: "n" lights it, Space starts and goes on at
// every stop; Page Up once plays the stage just played again.
TEST(BellLessonRun, SpaceGoesThroughEveryStopAndPageUpPlaysAStageAgain) {
    FixedSeeds seeds(fixedTicks());
    BellWindow* window = openBell();
    window->experimentInput->value(2);
    ASSERT_TRUE(pressKeyButton(*window, 'n', 0));
    ASSERT_TRUE(window->lesson.lit());
    LessonPresenter presenter(*window, window->lesson, *window->view, 3);
    FrameLog<int> frames([] { return 0; });
    ASSERT_TRUE(pressKeyButton(*window, ' ', 0));

    BellExperiment words;  // the captions of a quantum pair
    std::vector<std::string> expected;
    for (int stop : {bellLaser, bellPair, bellSettings, bellSettings, bellResults, bellCounted}) {
        expected.push_back(bellLessonCaption(stop, words).text);
    }
    expected.push_back(bellLessonEnd(words).text);
    EXPECT_EQ(presenter.captions, expected);
    // Two pairs as without a lesson, and the emission's 53 frame steps again.
    EXPECT_EQ(static_cast<int>(frames.frames.size()), 2 * 251 + 53);
    EXPECT_EQ(window->view->caption().text, nullptr);
    EXPECT_TRUE(window->startButton->active());
    expectDisplaysMatchCounts(*window, 2);
}

// Replays the run's draws on a separate source: what every count must be.
void replayCounts(RandomSource& replay, int pairs, int counts[3][3][4]) {
    std::memset(counts, 0, sizeof(int) * 36);
    for (int pair = 0; pair < pairs; ++pair) {
        replay.nextFraction();
        const int left = static_cast<int>(replay.value());
        replay.next();
        const int right = static_cast<int>(replay.value());
        replay.next();
        ++counts[left][right][outcomeFor(replay.fraction(), (left - right) * 30)];
    }
}

TEST(BellRun, CountingRunHasTheEntangledStatistics) {
    FixedSeeds seeds(fixedTicks());
    BellWindow* window = openBell();
    window->countButton->value(1);
    const int pairs = 200000;
    window->experimentInput->value(pairs);
    PhaseLog log(window);
    start(window);
    EXPECT_EQ(log.total(), 0) << "a counting run draws no frames";
    expectDisplaysMatchCounts(*window, pairs);

    // The same draws replayed: the first left setting is A, each later one the
    // value drawn at the end of the pair before.
    RandomSource replay;
    replay.setModulus(3);
    replay.state = fixedTicks();
    int expected[3][3][4];
    replayCounts(replay, pairs, expected);
    EXPECT_EQ(std::memcmp(expected, window->experiment.counts, sizeof expected), 0);

    const double n = pairs / 9.0;
    for (int l = 0; l < 3; ++l) {
        for (int r = 0; r < 3; ++r) {
            const double theta = (l - r) * 30 * M_PI / 180;
            const double sin2 = std::sin(theta) * std::sin(theta);
            for (int o = 0; o < 4; ++o) {
                const int count = window->experiment.counts[l][r][o];
                if (l == r && (o == 0 || o == 3)) {
                    EXPECT_EQ(count, 0) << l << r << o;
                    continue;
                }
                const double share = (o == 0 || o == 3 ? sin2 : 1 - sin2) / 2;
                const double mean = pairs * share / 9;
                const double sigma = std::sqrt(pairs * share / 9 * (1 - share / 9));
                EXPECT_NEAR(count, mean, 5 * sigma) << l << r << o;
            }
        }
    }
    (void)n;
    EXPECT_GT(window->experiment.counts[0][2][0], window->experiment.counts[1][2][0] + window->experiment.counts[0][1][0]);

    // A second Start on the same window: its first left setting is the value the
    // previous run drew last, and the source is seeded again.
    window->experimentInput->value(500);
    start(window);
    replay.state = fixedTicks();
    replayCounts(replay, 500, expected);
    EXPECT_EQ(std::memcmp(expected, window->experiment.counts, sizeof expected), 0);
    expectDisplaysMatchCounts(*window, 500);
}

TEST(BellControls, ExperimentZeroAndTypedValues) {
    BellWindow* window = openBell();
    Fl_Value_Input* field = window->experimentInput;
    // Typing goes through the field's inner input, as keystrokes do.
    auto type = [field](const char* text) {
        field->input.value(text);
        field->input.do_callback();
        return field->value();
    };
    EXPECT_EQ(type("12345678"), 999999);
    EXPECT_STREQ(field->input.value(), "999999");
    EXPECT_EQ(type("-5"), 0);
    EXPECT_EQ(type("2500"), 2500);

    // Dragging across the text selects it; the number stays.
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_x = field->x() + 10;
    Fl::e_y = field->y() + 18;
    Fl::e_x_root = window->x_root() + Fl::e_x;
    Fl::e_y_root = window->y_root() + Fl::e_y;
    field->handle(FL_PUSH);
    Fl::e_x += 80;
    Fl::e_x_root += 80;
    field->handle(FL_DRAG);
    field->handle(FL_RELEASE);
    EXPECT_EQ(field->value(), 2500);
    EXPECT_STREQ(field->input.value(), "2500");
    EXPECT_EQ(type(""), 0);

    PhaseLog log(window);
    start(window);
    EXPECT_EQ(log.total(), 0);
    EXPECT_TRUE(window->startButton->active());
    expectDisplaysMatchCounts(*window, 0);
    EXPECT_STREQ(window->inequalityText[1], "0");

    // A value that is not whole performs the whole pairs below it.
    window->countButton->value(1);
    field->value(3.7);
    start(window);
    expectDisplaysMatchCounts(*window, 3);
}

TEST(BellControls, StopHoldsTheRunAndLoweringExperimentEndsIt) {
    FixedSeeds seeds(firstPairInTheRow());
    BellWindow* window = openBell();
    window->experimentInput->value(1000);
    window->stopButton->value(1);
    PhaseLog log(window);
    // What the hold shows when a later click switches Stop off.
    struct Hold {
        BellWindow* window;
        PhaseLog* log;
        int framesWhenReleased = -1;
        std::string verdict;
    } hold{window, &log, -1, {}};
    std::chrono::steady_clock::time_point litAt;
    double heldSeconds = 0;
    log.action = [&](int pair, int phase, bool first) {
        if (log.total() == 1) {
            EXPECT_EQ(window->stopButton->value(), 0) << "Start switches Stop off";
            // The first pair is already counted in the experiment, in the row's
            // cell A-C (+,+), but not yet shown.
            EXPECT_EQ(window->experiment.inequalityLeft(), 1);
        }
        if (log.total() == 100) {
            // Light Stop as a click would; a later click switches it off.
            Fl::add_timeout(0.3, [](void* data) {
                auto* h = static_cast<Hold*>(data);
                h->framesWhenReleased = h->log->total();
                h->verdict = h->window->verdictText;
                h->window->stopButton->value(0);
                h->window->stopButton->do_callback();
            }, &hold);
            litAt = std::chrono::steady_clock::now();
            window->stopButton->value(1);
            window->stopButton->do_callback();
        }
        if (log.total() == 101) {
            heldSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - litAt).count();
        }
        if (pair == 2 && phase == 2 && first) window->experimentInput->value(1);
    };
    start(window);
    EXPECT_EQ(hold.framesWhenReleased, 100) << "no frame step while Stop is lit";
    EXPECT_EQ(hold.verdict, verdictFor(0)) << "the verdict of the row's zeros, not of the pair under way";
    EXPECT_GE(heldSeconds, 0.25);
    EXPECT_EQ(log.total(), 2 * 251) << "the run ends after the pair under way";
    EXPECT_EQ(window->stopButton->value(), 0);
    expectDisplaysMatchCounts(*window, 2);
}

// A counting run repaints its displays only every few hundred pairs; Stop must
// still show the counts as they stand.
TEST(BellControls, StopDuringCountingShowsTheCurrentCounts) {
    static BellWindow* window = openBell();
    window->countButton->value(1);
    window->experimentInput->value(999999);
    static int heldAt = -1;
    // Some time into the count, Stop; then, at the next pass inside the hold:
    Fl::add_timeout(0.1, [](void*) {
        Fl::add_timeout(0, [](void*) {
            heldAt = std::atoi(window->performedText);
            EXPECT_GT(heldAt, 0);
            expectDisplaysMatchCounts(*window, heldAt);
            // Every changed text was handed to its box ...
            EXPECT_FALSE(window->performedStale);
            for (int l = 0; l < 3; ++l)
                for (int r = 0; r < 3; ++r)
                    for (int o = 0; o < 4; ++o) EXPECT_FALSE(window->counterStale[l][r][o]);
            // ... and the boxes draw it while the run is held.
            EXPECT_TRUE(waitFor([] {
                bool drawn = window->performedDisplay->damage() == 0;
                for (auto& plane : window->counterDisplays)
                    for (auto& row : plane)
                        for (Fl_Box* box : row) drawn = drawn && box->damage() == 0;
                return drawn;
            }, 30));
            expectDisplaysMatchCounts(*window, heldAt);
            window->experimentInput->value(heldAt);
            window->stopButton->value(0);
            window->stopButton->do_callback();
        });
        window->stopButton->value(1);
        window->stopButton->do_callback();
    });
    start(window);
    EXPECT_GT(heldAt, 0);
    expectDisplaysMatchCounts(*window, heldAt);
}

TEST(BellControls, CountSwitchedDuringARunActsFromTheNextPair) {
    BellWindow* window = openBell();
    BellView* view = bellView;
    window->experimentInput->value(999999);
    PhaseLog log(window);
    int countedPairs = -1;
    log.action = [&](int pair, int phase, bool first) {
        if (pair == 1 && phase == 3 && first) {
            window->countButton->value(1);
            window->countButton->do_callback();
            EXPECT_FALSE(view->sceneLit);
            EXPECT_EQ(view->lightLevels[1], 0.1f);
        }
        if (pair == 1 && phase == 9) {
            // Switched off again while the run counts.
            Fl::add_timeout(0.2, [](void* data) {
                auto* w = static_cast<BellWindow*>(data);
                w->countButton->value(0);
                w->countButton->do_callback();
            }, window);
        }
        if (pair == 2 && phase == 1 && first) {
            countedPairs = std::atoi(window->performedText);
            // End the run after this pair.
            window->experimentInput->value(countedPairs + 1);
        }
    };
    start(window);
    EXPECT_GT(countedPairs, 2) << "pairs were counted without animation";
    EXPECT_EQ(log.total(), 2 * 251) << "the pair under way and the one after Count went off";
    EXPECT_TRUE(view->sceneLit);
    EXPECT_EQ(view->lightLevels[1], 0.6f);
    expectDisplaysMatchCounts(*window, countedPairs + 1);
}

TEST(BellWindows, ReturnEndsTheRunAndReopeningGivesAFreshWindow) {
    BellWindow* first = openBell();
    first->experimentInput->value(1000);
    {
        PhaseLog log(first);
        log.action = [&](int, int, bool) {
            if (log.total() == 30) first->returnButton->do_callback();
        };
        start(first);
        EXPECT_EQ(log.total(), 30) << "the run ends at its next frame step";
    }
    EXPECT_FALSE(first->visible());
    EXPECT_TRUE(first->startButton->active());
    expectDisplaysMatchCounts(*first, 1);

    // The menu's button replaces the hidden window, which is reclaimed.
    showBellWindow();
    BellWindow* second = bellWindow;
    ASSERT_TRUE(waitUntilDrawn(*second));
    EXPECT_NE(second, first);
    EXPECT_STREQ(second->performedText, "0");
    EXPECT_STREQ(second->counterText[0][0][1], "");
    EXPECT_EQ(second->experimentInput->value(), 1000);
    EXPECT_EQ(second->experiment.phase, BellPhase::Idle);
    EXPECT_EQ(second->experiment.lamps[3].g, 0.0f);  // A+ still in its own red
    EXPECT_TRUE(waitFor([] { return BellWindow::instances() == 1; })) << "old window reclaimed";

    // A second click on the Bell button raises the shown window.
    showBellWindow();
    EXPECT_EQ(bellWindow, second);
    EXPECT_EQ(BellWindow::instances(), 1);
}

TEST(BellWindows, ARunStaysWithItsWindowAndEndsWhenItIsClosed) {
    BellWindow* first = openBell();
    BellWindow* third = nullptr;
    PhaseLog log(first);
    log.action = [&](int, int, bool) {
        if (log.total() == 20) {
            first->do_callback();  // Escape or the window manager's close
            EXPECT_FALSE(first->visible());
            showBellWindow();
            third = bellWindow;
        }
    };
    start(first);
    EXPECT_EQ(log.total(), 20);
    ASSERT_NE(third, nullptr);
    ASSERT_NE(third, first);
    EXPECT_EQ(sumOfCounters(*third), 0);
    EXPECT_STREQ(third->performedText, "0");
    EXPECT_EQ(third->experiment.phase, BellPhase::Idle);
    EXPECT_EQ(first->experiment.phase, BellPhase::Pump);
    EXPECT_TRUE(waitFor([] { return BellWindow::instances() == 1; }))
        << "the replaced window is reclaimed once its run ended";
}

TEST(BellWindows, ClosingTheWindowEndsAStopHold) {
    static BellWindow* window = openBell();
    window->experimentInput->value(1000);
    PhaseLog log(window);
    log.action = [&](int, int, bool) {
        if (log.total() == 10) {
            Fl::add_timeout(0.2, [](void*) { window->returnButton->do_callback(); });
            window->stopButton->value(1);
            window->stopButton->do_callback();
        }
    };
    start(window);
    EXPECT_FALSE(window->visible());
    EXPECT_EQ(log.total(), 10) << "held, then ended without another frame step";
    expectDisplaysMatchCounts(*window, 1);
}

}  // namespace

// The Local light and the verdict, in the same window and harness.
namespace {

TEST(BellLocal, LitHalfwayThroughACountingRunItActsFromTheNextPair) {
    FixedSeeds seeds(fixedTicks());
    static BellWindow* window = openBell();
    static const int pairs = 3000, half = 1500;
    static int verdictsSeen = 0;
    window->countButton->value(1);
    window->experimentInput->value(pairs);
    // After every counted pair the run passes through the event loop, where a
    // click would land.
    auto afterPair = [](void*) {
        const int performed = std::atoi(window->performedText);
        if (performed == half && !window->localButton->value()) {
            window->localButton->value(1);
            window->localButton->do_callback();
        }
        if (performed > 0 && performed % 500 == 0) {
            // Shown at least every 500 pairs: the verdict of the counts as they stand.
            const BellExperiment& e = window->experiment;
            EXPECT_EQ(window->verdictText, verdictFor(e.inequalityLeft(), e.inequalityRight()))
                << performed;
            ++verdictsSeen;
        }
    };
    Fl::add_check(afterPair);
    start(window);
    Fl::remove_check(afterPair);
    EXPECT_GE(verdictsSeen, pairs / 500 - 1);
    expectDisplaysMatchCounts(*window, pairs);

    // The same draws, quantum up to the half and local after it, give every count;
    // switching one pair later would give others.
    auto replay = [](int quantumPairs, int counts[3][3][4]) {
        BellExperiment experiment;
        experiment.random.setModulus(3);
        experiment.random.state = fixedTicks();
        for (int pair = 0; pair < pairs; ++pair) {
            experiment.local = pair >= quantumPairs;
            experiment.performPair();
        }
        std::memcpy(counts, experiment.counts, sizeof experiment.counts);
    };
    int expected[3][3][4], late[3][3][4];
    replay(half, expected);
    replay(half + 1, late);
    ASSERT_NE(std::memcmp(expected, late, sizeof late), 0);
    EXPECT_EQ(std::memcmp(expected, window->experiment.counts, sizeof expected), 0);
}

TEST(BellLocal, AnAnimatedLocalPairCarriesItsPolarizationIn251FrameSteps) {
    FixedSeeds seeds(fixedTicks());
    BellWindow* window = openBell();
    const BellExperiment& e = window->experiment;
    EXPECT_STREQ(window->localButton->tooltip(),
                 "photons carry their answers: a local hidden-variable source\nKey: \"l\"");
    window->experimentInput->value(2);
    PhaseLog log(window);
    log.action = [&](int pair, int phase, bool first) {
        if (!first) return;
        // Lit by its key during the first pair: the second pair is local.
        if (pair == 1 && phase == 1) {
            EXPECT_TRUE(pressKeyButton(*window, 'l', 0));
        }
        if (phase >= 2 && phase <= 5) {
            // The view draws the rods of a local pair's photons in these phases.
            EXPECT_EQ(e.local, pair == 2) << pair;
        }
        if (pair == 2 && phase == 6) {
            EXPECT_EQ(e.outcome, localOutcomeFor(e.hiddenAngle, e.leftSetting, e.rightSetting));
            EXPECT_EQ(e.leftTurn, e.outcome >= 2 ? 90 : 0);
        }
    };
    start(window);
    EXPECT_EQ(window->localButton->value(), 1);
    ASSERT_EQ(log.framesByPhase.size(), 2u);
    const std::vector<int> plain = {0, 80, 53, 27, 0, 41, 22, 0, 27, 1, 0};
    EXPECT_EQ(log.framesByPhase[0], plain);
    EXPECT_EQ(log.framesByPhase[1], plain);
    EXPECT_EQ(log.total(), 2 * 251);
    EXPECT_TRUE(pressKeyButton(*window, 'l', 0));
    EXPECT_EQ(window->localButton->value(), 0);
}

TEST(BellLocal, TwentyThousandCountedPairsInEachMode) {
    FixedSeeds seeds(fixedTicks());
    BellWindow* window = openBell();
    window->countButton->value(1);
    window->experimentInput->value(20000);
    for (bool local : {false, true}) {
        window->localButton->value(local);
        start(window);
        expectDisplaysMatchCounts(*window, 20000);
        const double z = violationSigmas(window->experiment.inequalityLeft(),
                                         window->experiment.inequalityRight());
        std::printf("20000 %s pairs: %s\n", local ? "local" : "quantum", window->verdictText);
        EXPECT_EQ(window->verdictText, verdictFor(window->experiment.inequalityLeft(),
                                                  window->experiment.inequalityRight()));
        if (local) {
            EXPECT_LT(z, 3);
        } else {
            EXPECT_EQ(std::string(window->verdictText).rfind("violated by ", 0), 0u);
        }
        EXPECT_EQ(window->verdictDisplay->labelcolor(), local ? FL_BLACK : FL_RED);
    }
}

}  // namespace
