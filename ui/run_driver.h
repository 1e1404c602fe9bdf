// The one loop every demonstration's run goes through: the model steps, the
// window shows the step, the frame ends; a lit Stop holds between two frames.
#pragma once

#include "scene/frame_step.h"
#include "scene/lesson_caption.h"

class Fl_Button;
class Fl_Window;
class Lesson;

// What a demonstration's window gives the loop for one run.
class RunStepper {
public:
    virtual ~RunStepper() = default;
    // One step of the model, its controls filled from the widgets just before.
    virtual FrameEnd step() = 0;
    // Asks the views and read-outs that the step changed to redraw.
    virtual void show() = 0;
    // A lit Stop is about to hold the run: what is not shown yet is shown now.
    virtual void holding() {}

    // Lesson mode. The stop the model stands at after the last step: 0 while
    // the lesson plays on. A run waits at a stop whose number is larger than
    // that of the last stop it waited at, so a stop first reached is waited at
    // once, however often the model comes back to it.
    virtual int lessonStop() const { return 0; }
    // What a stop says; it stays on while the stop's stage plays.
    virtual LessonCaption lessonCaption(int /*stop*/) const { return {}; }
    // What the finished run says, how to read its totals; no text: nothing.
    virtual LessonCaption lessonEnd() const { return {}; }
    // A copy of the model as the stage about to play begins, and back to it,
    // with every read-out and view shown anew, to play the stage again.
    virtual void keep() {}
    virtual void restore() {}
};

// Steps until the stepper finishes or `window` is no longer shown (Return,
// Escape, the window manager's close), at its next frame. Between two frames a
// lit `stop` holds the run, serving events, until it goes out or the window is
// hidden. Start's callback calls this and returns when it does; the window's
// other callbacks run nested in its event passes. The window is kept alive
// meanwhile, even if a newer one replaces it. With `lesson` lit, the run waits
// at each of the stepper's stops with its caption (see Lesson).
void driveRun(Fl_Window& window, Fl_Button* stop, RunStepper& stepper, Lesson* lesson = nullptr);
