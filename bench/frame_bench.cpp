// Frame budget of the real views and runs: builds the title screen, the menu and
// each demonstration through the program's own callbacks on the current display,
// times their frame steps and runs, and prints the table rows as CSV; with
// --full-screen the same with every window filling the screen.
#include "app/fonts.h"
#include "app/intro_view.h"
#include "app/main_window.h"
#include "app/menu_previews.h"
#include "app/menu_window.h"
#include "app/program.h"
#include "app/registry.h"
#include "bb84/bb84_view.h"
#include "bb84/bb84_window.h"
#include "bb84/key_tables.h"
#include "bell/bell_lesson.h"
#include "bell/bell_run.h"
#include "bell/bell_view.h"
#include "bell/bell_window.h"
#include "bench/frame_clock.h"
#include "bench/stats.h"
#include "scene/bitmap_text.h"
#include "scene/frame_step.h"
#include "scene/gl_support.h"
#include "teleport/teleport_view.h"
#include "teleport/teleport_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Input.H>
#include <FL/Fl_Value_Slider.H>
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

// How often each figure is repeated; --quick is for checking the programs.
struct Repeats {
    int titleTurns = 1500;
    int titleSeconds = 10;
    int previewSteps = 300;
    int bellPairs = 8;
    int teleportRuns = 5;
    int countingRuns = 3;
    int countedPairs = 999999;
    int keyRuns = 3;
    int keySteps = 200;
    int pacedBellPairs = 2;
};

// With --full-screen every window fills the screen (the script gives it a
// 1920 x 1080 display): the figures are named apart and a view's frame step
// may take up to one 60 Hz frame.
bool fullScreen = false;
constexpr double kFullScreenTargetMs = 16;

std::string named(const std::string& name) { return fullScreen ? name + " at full screen" : name; }

// Frames drawn before any figure is taken: the renderer compiles its shaders
// for each new context and state on first use, once per window.
constexpr int kWarmUpSteps = 30;

void emit(const Figure& figure, const std::vector<double>& samples) {
    std::printf("%s\n", csvRow(figure, samples).c_str());
    std::fflush(stdout);
}

Figure viewFigure(const std::string& name, double targetMs) {
    Figure figure{named(name), "ms/frame step", Better::Lower, {}};
    figure.target.kind = Target::AtMost;
    figure.target.limit = fullScreen ? kFullScreenTargetMs : targetMs;
    return figure;
}

Figure rateFigure(const std::string& name, const std::string& unit) {
    return Figure{named(name), unit, Better::Higher, {}};
}

void progress(const char* what) {
    std::fprintf(stderr, "bench: %s\n", what);
}

bool waitUntilDrawn(Fl_Gl_Window* view) {
    const bool drawn = waitFor([view] { return view->shown() && view->visible() && view->valid(); });
    // Let the rest of the window draw once before timing anything.
    waitFor([] { return false; }, 0.2);
    return drawn;
}

void reportRenderer(Fl_Gl_Window* view) {
    view->make_current();
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::fprintf(stderr, "bench: renderer %s\n", renderer ? renderer : "unknown");
}

// The title loop itself, timed from one turn to the next by a check handler,
// which the loop's event pass calls once a turn; it ends the loop as "Go" would,
// but leaves the title screen up for the next figure.
struct TitleTurns {
    int wanted = 0;
    int turns = 0;
    StepTimes times;
};

void onTitleTurn(void* data) {
    auto* title = static_cast<TitleTurns*>(data);
    if (title->turns == kWarmUpSteps) {
        title->times.restart();
    }
    title->times.mark();
    if (++title->turns == kWarmUpSteps + title->wanted + 1) {
        mainWindow->titleActive = false;
    }
}

std::vector<double> timeTitleLoop(int turns) {
    TitleTurns title;
    title.wanted = turns;
    Fl::add_check(onTitleTurn, &title);
    runTitleLoop();
    Fl::remove_check(onTitleTurn, &title);
    mainWindow->titleActive = true;
    return title.times.intervalsMs();
}

// Processor time of the whole process, the renderer's threads included.
double processSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

void onTitleSecond(void* data) {
    if (StepTimes::Clock::now() >= *static_cast<StepTimes::Clock::time_point*>(data)) {
        mainWindow->titleActive = false;
    }
}

// The title loop for one second at the class's pace, as the program runs it:
// the share of one core the process used meanwhile, in per cent.
std::vector<double> titleCpuShare() {
    setFrameLimit(true);
    const auto began = StepTimes::Clock::now();
    auto end = began + std::chrono::seconds(1);
    const double cpu = processSeconds();
    Fl::add_check(onTitleSecond, &end);
    runTitleLoop();
    Fl::remove_check(onTitleSecond, &end);
    const double share = 100 * (processSeconds() - cpu) / StepTimes::secondsSince(began);
    mainWindow->titleActive = true;
    setFrameLimit(false);
    return {share};
}

// A figure taken from the glyph textures and through glBitmap in turns, so
// that a change of the machine's load weighs on both alike; the glBitmap row is
// named apart. At full screen the text is drawn scalably either way.
void emitBothWays(const Figure& figure, int rounds, const std::function<std::vector<double>()>& take) {
    std::vector<double> textures, bitmaps;
    for (int i = 0; i < rounds; ++i) {
        for (bool useTextures : {true, false}) {
            if (fullScreen && !useTextures) {
                continue;
            }
            useBitmapGlyphAtlas(useTextures);
            const std::vector<double> samples = take();
            std::vector<double>& into = useTextures ? textures : bitmaps;
            into.insert(into.end(), samples.begin(), samples.end());
        }
    }
    useBitmapGlyphAtlas(true);
    emit(figure, textures);
    if (fullScreen) {
        return;
    }
    Figure bitmapFigure = figure;
    bitmapFigure.name += " (glBitmap)";
    emit(bitmapFigure, bitmaps);
}

// Views that draw together in one frame step, as a run asks for them.
std::vector<double> timeStillViews(const std::vector<Fl_Gl_Window*>& views, int steps) {
    auto step = [&views] {
        for (Fl_Gl_Window* view : views) {
            view->redraw();
        }
        frameStep();
    };
    for (int i = 0; i < kWarmUpSteps; ++i) {
        step();
    }
    StepTimes times;
    times.mark();
    for (int i = 0; i < steps; ++i) {
        step();
        times.mark();
    }
    return times.intervalsMs();
}

// A still view redrawn alone, one frame step at a time.
std::vector<double> timeStillView(Fl_Gl_Window* view, int steps) {
    return timeStillViews({view}, steps);
}

// Runs started by their Start callback; the observer times every frame step.
struct RunTimes {
    std::vector<double> stepMs;
    std::vector<double> stepsPerSecond;
    std::vector<double> seconds;
    std::vector<int> frames;

    // A run cut short (a window that was not shown, say) would flatter its
    // figures; the frame counts say whether every run went all the way.
    void reportFrames(const char* what) const {
        std::string counts;
        for (int n : frames) {
            counts += " " + std::to_string(n);
        }
        std::fprintf(stderr, "bench: frame steps of each %s:%s\n", what, counts.c_str());
    }
};

// The first run of a window only warms up: it is not counted.
void timeRuns(int runs, const std::function<void()>& start, RunTimes& out, bool warmUp = true) {
    FrameClock clock;
    if (warmUp) {
        start();
    }
    for (int i = 0; i < runs; ++i) {
        clock.attach();
        const auto began = StepTimes::Clock::now();
        start();
        const double seconds = StepTimes::secondsSince(began);
        clock.detach();
        const std::vector<double> steps = clock.intervalsMs();
        out.stepMs.insert(out.stepMs.end(), steps.begin(), steps.end());
        out.stepsPerSecond.push_back(clock.frames() / seconds);
        out.seconds.push_back(seconds);
        out.frames.push_back(clock.frames());
    }
}

void benchTitleAndMenu(const Repeats& repeats) {
    progress("title screen");
    buildMainWindow();
    if (fullScreen) {
        // Every window opened after it opens full screen too.
        mainWindow->fullscreen();
    }
    if (!waitUntilDrawn(introView)) {
        progress("the title screen was not drawn");
        return;
    }
    reportRenderer(introView);
    const int titleRounds = 3;
    emitBothWays(viewFigure("Introduction view (title loop turn)", 8), titleRounds,
                 [&repeats] { return timeTitleLoop(repeats.titleTurns / titleRounds); });
    if (!fullScreen) {
        Figure cpu{"CPU share of the title screen in process (1 s)", "%", Better::Lower, {}};
        cpu.target = {Target::AtMost, 12};
        emitBothWays(cpu, repeats.titleSeconds, titleCpuShare);
    }
    goToMenu();

    progress("menu previews");
    if (!menuWindow || !waitUntilDrawn(bb84Preview)) {
        progress("the menu was not drawn");
        return;
    }
    emit(viewFigure("Bell preview", 8), timeStillView(bellPreview, repeats.previewSteps));
    emit(viewFigure("Teleportation preview", 8),
         timeStillView(teleportPreview, repeats.previewSteps));
    emit(viewFigure("BB84 preview", 8), timeStillView(bb84Preview, repeats.previewSteps));
}

void benchBell(const Repeats& repeats) {
    progress("Bell demonstration");
    menuWindow->bellButton->do_callback();
    BellWindow* window = bellWindow;
    if (!window || !waitUntilDrawn(bellView)) {
        progress("the Bell window was not drawn");
        return;
    }
    window->experimentInput->value(1);
    RunTimes animated;
    timeRuns(repeats.bellPairs, [window] { window->startButton->do_callback(); }, animated);
    animated.reportFrames("Bell pair");
    emit(viewFigure("Bell view (during a pair)", 8), animated.stepMs);
    emit(rateFigure("Bell run: one pair animated", "frame steps/s"), animated.stepsPerSecond);
    // What a lesson's caption band adds to a frame of the still scene.
    emit(viewFigure("Bell view (still)", 8), timeStillView(bellView, repeats.previewSteps));
    bellView->showCaption(bellLessonCaption(bellPair, window->experiment), "Space: go on");
    emit(viewFigure("Bell view with a lesson's caption", 8),
         timeStillView(bellView, repeats.previewSteps));
    bellView->clearCaption();
    if (fullScreen) {
        window->returnButton->do_callback();
        return;
    }

    progress("Bell pair at the class's pace");
    setFrameLimit(true);
    RunTimes paced;
    timeRuns(repeats.pacedBellPairs, [window] { window->startButton->do_callback(); }, paced, false);
    setFrameLimit(false);
    paced.reportFrames("paced Bell pair");
    Figure pace = rateFigure("Bell run with the frame limit", "frame steps/s");
    pace.target = {Target::AtMost, kFramesPerSecond};
    emit(pace, paced.stepsPerSecond);

    // Count-only: the user lights Count, which also dims the scene.
    progress("Bell counting");
    window->countButton->value(1);
    window->countButton->do_callback();
    window->experimentInput->value(repeats.countedPairs);
    // Then the same with Local lit: the local source's rule instead of the quantum one.
    for (bool local : {false, true}) {
        window->localButton->value(local);
        std::vector<double> pairsPerSecond;
        for (int i = 0; i < repeats.countingRuns; ++i) {
            const auto began = StepTimes::Clock::now();
            window->startButton->do_callback();
            pairsPerSecond.push_back(repeats.countedPairs / StepTimes::secondsSince(began));
        }
        Figure counting = rateFigure(std::string("Bell run: count only") + (local ? " with Local" : "") +
                                         " (" + std::to_string(repeats.countedPairs) + " pairs)",
                                     "pairs/s");
        counting.target.kind = Target::AtLeast;
        counting.target.limit = 50000;
        emit(counting, pairsPerSecond);
    }

    window->returnButton->do_callback();
}

void benchTeleport(const Repeats& repeats) {
    progress("teleportation demonstration");
    menuWindow->teleportButton->do_callback();
    TeleportWindow* window = teleportWindow;
    if (!window || !waitUntilDrawn(window->view)) {
        progress("the teleportation window was not drawn");
        return;
    }
    RunTimes runs;
    timeRuns(repeats.teleportRuns, [window] { window->startButton->do_callback(); }, runs);
    runs.reportFrames("teleportation run");
    emit(viewFigure("Teleportation view (during a run)", 8), runs.stepMs);
    emit(rateFigure("Teleportation run: whole run", "frame steps/s"), runs.stepsPerSecond);
    window->returnButton->do_callback();
}

void benchKeyDistribution(const Repeats& repeats) {
    progress("key distribution demonstration");
    menuWindow->bb84Button->do_callback();
    Bb84Window* window = bb84Window;
    if (!window || !waitUntilDrawn(window->view) || !waitUntilDrawn(window->receiver)) {
        progress("the key distribution window was not drawn");
        return;
    }
    // The Speed slider as a user leaves it before pressing Start. The shorter
    // run at full speed warms the window up.
    auto start = [window] { window->startButton->do_callback(); };
    window->speedSlider->value(1.0);
    start();
    for (double speed : {0.5, 1.0}) {
        window->speedSlider->value(speed);
        RunTimes runs;
        timeRuns(repeats.keyRuns, start, runs, false);
        const std::string at = speed == 1.0 ? "1" : "0.5";
        runs.reportFrames(("BB84 run at Speed " + at).c_str());
        emit(Figure{named("BB84 frame steps during a run at Speed " + at), "ms/frame step",
                    Better::Lower, {}},
             runs.stepMs);
        emit(rateFigure("BB84 run: whole run at Speed " + at, "frame steps/s"),
             runs.stepsPerSecond);
        emit(Figure{named("BB84 run: whole run at Speed " + at), "s", Better::Lower, {}},
             runs.seconds);
    }

    // The finished picture: every row of both tables filled, the key dropped.
    const int rounds = 4;
    const int steps = repeats.keySteps / rounds;
    emitBothWays(viewFigure("BB84 view (finished run)", 8), rounds,
                 [&] { return timeStillView(window->view, steps); });
    emitBothWays(viewFigure("BB84 table A (finished run)", 8), rounds,
                 [&] { return timeStillView(window->sender, steps); });
    emitBothWays(viewFigure("BB84 table B (finished run)", 8), rounds,
                 [&] { return timeStillView(window->receiver, steps); });
    emitBothWays(viewFigure("BB84 frame step: view and table A", 8), rounds,
                 [&] { return timeStillViews({window->view, window->sender}, steps); });
    emitBothWays(viewFigure("BB84 frame step: view and table B", 12), rounds,
                 [&] { return timeStillViews({window->view, window->receiver}, steps); });

    // Counting with Eve: 1000 rounds of 32 photons, the totals shown every 50.
    progress("BB84 counting");
    window->eveButton->value(1);
    window->countButton->value(1);
    std::vector<double> photonsPerSecond;
    for (int i = 0; i < repeats.countingRuns; ++i) {
        const auto began = StepTimes::Clock::now();
        start();
        photonsPerSecond.push_back(window->model.protocol.totals.photons /
                                   StepTimes::secondsSince(began));
    }
    Figure counting = rateFigure("BB84 run: count only with Eve (1000 rounds of 32 photons)",
                                 "photons/s");
    counting.target = {Target::AtLeast, 500000};
    emit(counting, photonsPerSecond);
    window->returnButton->do_callback();
}

}  // namespace

int main(int argc, char** argv) {
    Repeats repeats;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            repeats = {200, 2, 40, 2, 1, 1, 20000, 1, 40, 1};
        } else if (std::strcmp(argv[i], "--full-screen") == 0) {
            fullScreen = true;
        } else {
            std::fprintf(stderr, "usage: %s [--quick] [--full-screen]\n", argv[0]);
            return 2;
        }
    }
    // Started like the program: GLUT first, then the fonts; zel.bmp is read from
    // the working folder.
    initGlut();
    chooseFonts();
    // Frame budgets are measured as fast as frames can be drawn; the limit's
    // own figure switches it on for its runs.
    setFrameLimit(false);
    std::printf("%s\n", csvHeader().c_str());
    benchTitleAndMenu(repeats);
    if (!menuWindow) {
        return 1;
    }
    benchBell(repeats);
    benchTeleport(repeats);
    benchKeyDistribution(repeats);
    menuWindow->hide();
    return 0;
}
