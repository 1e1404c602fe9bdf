// Step timing and waiting on the event loop.
#include "bench/frame_clock.h"

#include "scene/frame_step.h"

#include <FL/Fl.H>

std::vector<double> StepTimes::intervalsMs() const {
    std::vector<double> gaps;
    for (size_t i = 1; i < marks.size(); ++i) {
        gaps.push_back(std::chrono::duration<double, std::milli>(marks[i] - marks[i - 1]).count());
    }
    return gaps;
}

double StepTimes::secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void FrameClock::attach() {
    times.restart();
    setFrameObserver([this] { times.mark(); });
    attached = true;
}

void FrameClock::detach() {
    if (attached) {
        setFrameObserver(nullptr);
        attached = false;
    }
}

bool waitFor(const std::function<bool()>& done, double seconds) {
    const auto start = StepTimes::Clock::now();
    while (!done()) {
        if (StepTimes::secondsSince(start) > seconds) {
            return false;
        }
        Fl::wait(0.01);
    }
    return true;
}
