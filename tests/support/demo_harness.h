// What the window tests of every demonstration share: both random sources on a
// fixed seed, a window opened the way its menu button opens it, and a log of a
// run's frame steps through which a test acts at a chosen frame.
#pragma once

#include "scene/frame_step.h"
#include "support/fixed_seeds.h"
#include "support/gl_probe.h"

#include <FL/Fl_Widget.H>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

// A fresh window from the menu's launcher (`current` is its registry pointer),
// shown and drawn. A hidden earlier window is reclaimed by the launcher as in
// the program; a shown one would only be raised, so the test gets a second
// window beside it (the toolkit keeps the shown one).
template <class Window>
Window& openDemonstration(void (*launch)(Fl_Widget*, void*), Window*& current) {
    if (current && current->shown()) {
        current = nullptr;
    }
    launch(nullptr, nullptr);
    EXPECT_TRUE(current && waitUntilDrawn(*current));
    return *current;
}

// One record per frame step while the log lives: `take` makes it, then
// `onFrame` (if set) may act as a user would at that frame.
template <class Record>
class FrameLog {
public:
    explicit FrameLog(std::function<Record()> take) {
        setFrameObserver([this, take = std::move(take)] {
            frames.push_back(take());
            if (onFrame) onFrame(frames.back());
        });
    }
    ~FrameLog() { setFrameObserver(nullptr); }
    FrameLog(const FrameLog&) = delete;
    FrameLog& operator=(const FrameLog&) = delete;

    std::vector<Record> frames;
    std::function<void(const Record&)> onFrame;

    template <class Predicate>
    int count(Predicate wanted) const {
        int n = 0;
        for (const Record& r : frames) n += wanted(r) ? 1 : 0;
        return n;
    }
};
