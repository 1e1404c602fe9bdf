// The one loop every demonstration's run goes through: the model steps, the
// window shows the step, the frame ends; a lit Stop holds between two frames.
#pragma once

#include "scene/frame_step.h"

class Fl_Button;
class Fl_Window;

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
};

// Steps until the stepper finishes or `window` is no longer shown (Return,
// Escape, the window manager's close), at its next frame. Between two frames a
// lit `stop` holds the run, serving events, until it goes out or the window is
// hidden. Start's callback calls this and returns when it does; the window's
// other callbacks run nested in its event passes. The window is kept alive
// meanwhile, even if a newer one replaces it.
void driveRun(Fl_Window& window, Fl_Button* stop, RunStepper& stepper);
