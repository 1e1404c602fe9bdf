// The frame step and its observer.
#include "scene/frame_step.h"

#include <FL/Fl.H>

#include <utility>

namespace {
FrameObserver frameObserver;
}

void setFrameObserver(FrameObserver observer) { frameObserver = std::move(observer); }

void frameStep() {
    if (frameObserver) {
        frameObserver();
    }
    Fl::check();
}
