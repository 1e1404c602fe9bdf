// The run loop shared by the three demonstrations.
#include "ui/run_driver.h"

#include "ui/window_use.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

void driveRun(Fl_Window& window, Fl_Button* stop, RunStepper& stepper) {
    WindowUse use(window);
    const auto held = [&] { return stop && stop->value() && window.visible(); };
    while (window.visible()) {
        const FrameEnd end = stepper.step();
        if (end == FrameEnd::Finished) {
            return;
        }
        stepper.show();
        switch (end) {
        case FrameEnd::Step: frameStep(); break;
        case FrameEnd::Frame: endFrame(); break;
        case FrameEnd::Events: Fl::check(); break;
        case FrameEnd::Finished: break;
        }
        if (held()) {
            stepper.holding();
            Fl::check();
            waitWhile(held);
        }
    }
}
