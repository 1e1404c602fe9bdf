// Timing of frame steps: the moments at which steps begin, taken either by the
// caller or by the frame-step observer that every run calls.
#pragma once

#include <chrono>
#include <functional>
#include <vector>

// Moments marked one after another; the gaps between them are the step times.
class StepTimes {
public:
    using Clock = std::chrono::steady_clock;

    void restart() { marks.clear(); }
    void mark() { marks.push_back(Clock::now()); }
    int count() const { return static_cast<int>(marks.size()); }
    // Milliseconds between successive marks.
    std::vector<double> intervalsMs() const;

    static double secondsSince(Clock::time_point start);

private:
    std::vector<Clock::time_point> marks;
};

// Marks the start of every frame step of a run through the frame-step observer.
// Each gap holds one whole step: the run's own work, the redraw and the event
// pass in which the views draw.
class FrameClock {
public:
    ~FrameClock() { detach(); }
    void attach();
    void detach();
    int frames() const { return times.count(); }
    std::vector<double> intervalsMs() const { return times.intervalsMs(); }

private:
    StepTimes times;
    bool attached = false;
};

// Serves events until `done` holds or `seconds` pass; returns `done()`.
bool waitFor(const std::function<bool()>& done, double seconds = 10.0);
