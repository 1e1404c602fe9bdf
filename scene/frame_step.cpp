// The frame step, its observer and the frame limit.
#include "scene/frame_step.h"

#include <FL/Fl.H>

#include <chrono>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

FrameObserver frameObserver;
bool limitOn = true;
// When the current frame may end.
Clock::time_point frameEnd;

constexpr Clock::duration kFrameTime =
    std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / kFramesPerSecond));
// A frame this late follows a pause (a held Stop, an idle window), not a slow
// frame: it opens a new sequence that is paced from now.
constexpr Clock::duration kPause = 4 * kFrameTime;

// Waits in the event loop until the frame's time is up, so that a click or a
// key is handled at once while the frame waits. A slow frame is not made up
// for by hurrying the next ones: the count starts anew from it.
void waitOutFrame() {
#ifdef _WIN32
    // Windows wakes a waiting program on its 15.6 ms clock tick unless asked
    // for a finer one, which would give frames of 0, 16 and 31 ms in turn.
    static const bool fineTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
    (void)fineTimer;
#endif
    Clock::time_point now = Clock::now();
    if (now >= frameEnd + kPause) {
        frameEnd = now + kFrameTime;
    } else if (now >= frameEnd) {
        frameEnd = now;
    }
    while (now < frameEnd) {
        Fl::wait(std::chrono::duration<double>(frameEnd - now).count());
        now = Clock::now();
    }
    frameEnd += kFrameTime;
}

}  // namespace

void setFrameObserver(FrameObserver observer) { frameObserver = std::move(observer); }

void setFrameLimit(bool on) { limitOn = on; }

bool frameLimitOn() { return limitOn; }

void waitWhile(const std::function<bool()>& holding) {
    constexpr double kLookAgain = 0.25;
    while (holding()) {
        Fl::wait(kLookAgain);
        // What the events changed is drawn before anything else looks at it.
        Fl::flush();
    }
}

void endFrame() {
    Fl::check();
    if (limitOn) {
        waitOutFrame();
    }
}

void frameStep() {
    if (frameObserver) {
        frameObserver();
    }
    endFrame();
}
