// The run loop shared by the three demonstrations.
#include "ui/run_driver.h"

#include "ui/lesson.h"
#include "ui/window_use.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

namespace {

// A run's lesson: where it waited last, and the copy it can play again.
class LessonRun {
public:
    LessonRun(Lesson* lesson, RunStepper& stepper) : lesson(lesson), stepper(stepper) {
        if (lesson) lesson->beginRun();
    }
    ~LessonRun() {
        if (lesson) lesson->endRun();
    }
    LessonRun(const LessonRun&) = delete;
    LessonRun& operator=(const LessonRun&) = delete;

    bool lit() const { return lesson && lesson->lit(); }

    // After a step's frame: waits at a stop first reached, or plays the stage
    // again when asked to while it plays. True when the model went back.
    bool afterFrame(Fl_Window& window) {
        if (!lit()) {
            return false;
        }
        const int stop = stepper.lessonStop();
        if (stop > reached) {
            reached = stop;
            const LessonCaption caption = stepper.lessonCaption(stop);
            // What a counting run has not shown yet is shown at the stop.
            stepper.holding();
            if (lesson->await(window, caption, kept) == Lesson::Request::replay) {
                return replay();
            }
            stepper.keep();
            kept = true;
            keptStop = stop;
            keptCaption = caption;
            return false;
        }
        return lesson->takeReplay() && replay();
    }

    // The run finished: true when it waited at the end and went back instead.
    bool atEnd(Fl_Window& window) {
        if (!lit()) {
            return false;
        }
        const LessonCaption caption = stepper.lessonEnd();
        stepper.holding();
        return caption.text && window.visible() &&
               lesson->await(window, caption, kept) == Lesson::Request::replay && replay();
    }

private:
    bool replay() {
        if (!kept) {
            return false;
        }
        stepper.restore();
        reached = keptStop;
        lesson->playing(keptCaption);
        // The stage's first picture again, before it plays on.
        endFrame();
        return true;
    }

    Lesson* lesson;
    RunStepper& stepper;
    int reached = 0;
    bool kept = false;
    int keptStop = 0;
    LessonCaption keptCaption;
};

}  // namespace

void driveRun(Fl_Window& window, Fl_Button* stop, RunStepper& stepper, Lesson* lesson) {
    WindowUse use(window);
    LessonRun lessonRun(lesson, stepper);
    const auto held = [&] { return stop && stop->value() && window.visible(); };
    while (window.visible()) {
        const FrameEnd end = stepper.step();
        if (end == FrameEnd::Finished) {
            if (lessonRun.atEnd(window)) {
                continue;
            }
            return;
        }
        stepper.show();
        switch (end) {
        case FrameEnd::Step: frameStep(); break;
        case FrameEnd::Frame: endFrame(); break;
        case FrameEnd::Events: Fl::check(); break;
        case FrameEnd::Finished: break;
        }
        if (lessonRun.afterFrame(window)) {
            continue;
        }
        if (held()) {
            stepper.holding();
            Fl::check();
            waitWhile(held);
        }
    }
}
