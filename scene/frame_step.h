// Pacing of the experiment runs: no timer and no thread; a run changes its
// animation fields by fixed increments, asks its views to redraw and ends each
// frame step here, where the damaged views are drawn and pending events (Stop,
// Return, the slider) are dispatched, nested inside the run.
#pragma once

#include <functional>

// At most this many frames a second, whatever the display: where vsync paces
// the buffer swaps the display sets the pace, elsewhere (virtual displays,
// remote desktops) nothing would, and the animations would flash past.
constexpr double kFramesPerSecond = 60.0;

// How a model's step asks for its frame to end. Models return it from their
// step(); the run driver ends the frame accordingly.
enum class FrameEnd {
    Finished,  // the run is over: nothing more is drawn
    Step,      // a frame step of the animation: drawn, told to the observer, paced
    Frame,     // a frame drawn and paced that is not one of the counted steps
    Events,    // no frame: one event pass only, so that counting goes as fast as it can
};

// Ends one frame step: tells the observer, then ends the frame (endFrame).
void frameStep();

// Ends one frame without telling the observer (the title loop, and the frames
// a run draws outside its counted steps): draws what is damaged, dispatches
// events, and waits in the event loop for the rest of the frame's time while
// the limit is on.
void endFrame();

// Waits in the event loop, without using the processor, for as long as
// `holding` says (a lit Stop). Events are handled meanwhile; the condition is
// also looked at now and then, since a timer may change it without an event.
void waitWhile(const std::function<bool()>& holding);

// The frame limit is on in the program. Tests and benchmarks switch it off to
// run frames as fast as they can be drawn; frame counts are the same either way.
void setFrameLimit(bool on);
bool frameLimitOn();

// Called at the start of every frame step. Tests count frame steps and act at a
// chosen frame through it; the program sets none.
using FrameObserver = std::function<void()>;
void setFrameObserver(FrameObserver observer);
