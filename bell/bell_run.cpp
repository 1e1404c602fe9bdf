// The Bell run: Start's callback and the stepper that shows each of the
// experiment's steps, the pair's frames in the view and the counts after it.
#include "bell/bell_run.h"

#include "bell/bell_lesson.h"
#include "bell/bell_view.h"
#include "bell/bell_window.h"
#include "ui/window_use.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>

namespace {

// A counting run shows its counts every this many pairs, and at its end.
constexpr int kCountedPairsPerShow = 500;

}  // namespace

BellRun::BellRun(BellWindow& window) : window(window) {}

FrameEnd BellRun::step() {
    lastEnd = window.experiment.step(window.controls());
    return lastEnd;
}

void BellRun::show() {
    const BellExperiment& experiment = window.experiment;
    if (experiment.performed != shownPerformed) {
        shownPerformed = experiment.performed;
        window.showPerformed(shownPerformed);
        window.updateCounterDisplay();
        // Counting goes far faster than a screen shows; an animated pair shows
        // its count once it is done.
        if (!experiment.counting || shownPerformed % kCountedPairsPerShow == 0) {
            window.flushDisplays();
        }
    }
    if (lastEnd == FrameEnd::Step) {
        window.view->redraw();
    }
}

void BellRun::holding() { window.flushDisplays(); }

int BellRun::lessonStop() const { return bellLessonStop(window.experiment); }

LessonCaption BellRun::lessonCaption(int stop) const {
    return bellLessonCaption(stop, window.experiment);
}

LessonCaption BellRun::lessonEnd() const { return bellLessonEnd(window.experiment); }

void BellRun::keep() { kept = window.experiment; }

void BellRun::restore() {
    window.experiment = *kept;
    shownPerformed = kept->performed;
    window.showAll();
    window.view->redraw();
}

void startRun(Fl_Widget*, void* data) {
    auto* window = static_cast<BellWindow*>(data);
    if (!window || window->lesson.takeStart()) {
        return;
    }
    WindowUse use(*window);
    window->startButton->deactivate();
    window->stopButton->value(0);
    window->experiment.start();
    window->resetDisplays();

    BellRun run(*window);
    driveRun(*window, window->stopButton, run, &window->lesson);

    // A pair cut short by closing the window is still written as performed, so
    // that the counters always add up to Performed.
    BellExperiment& experiment = window->experiment;
    if (experiment.performed != experiment.pairNumber) {
        experiment.stop();
        window->showPerformed(experiment.performed);
        window->updateCounterDisplay();
    }
    window->flushDisplays();
    window->startButton->activate();
}
