// Pacing of the experiment runs: no timer and no thread; a run changes its
// animation fields by fixed increments, asks its views to redraw and ends each
// frame step here, where the damaged views are drawn and pending events (Stop,
// Return, the slider) are dispatched, nested inside the run.
#pragma once

#include <functional>

// Ends one frame step: tells the observer, then runs one non-blocking event pass.
void frameStep();

// Called at the start of every frame step. Tests count frame steps and act at a
// chosen frame through it; the program sets none.
using FrameObserver = std::function<void()>;
void setFrameObserver(FrameObserver observer);
