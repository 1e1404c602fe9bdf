// Shared set-up of the key-distribution window tests: a fresh window built by the
// menu's launcher with a fixed seed, a record of every frame step of a run, and a
// colour-aware feedback capture of a view's draw.
#pragma once

#include "app/demonstrations.h"
#include "app/registry.h"
#include "bb84/bb84_view.h"
#include "bb84/bb84_window.h"
#include "bb84/key_distribution.h"
#include "bb84/key_tables.h"
#include "scene/frame_step.h"
#include "support/demo_harness.h"
#include "support/gl_probe.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

constexpr uint32_t fixedSeed = 20261208u;

// What the observer saw at one frame step: the run's state after the views were
// asked to redraw, and which views were asked.
struct Frame {
    int phase;
    unsigned column;
    float photonX;
    float keyDrop;
    bool detected;
    bool viewDamaged;
    bool senderDamaged;
    bool receiverDamaged;
};

class Bb84WindowTest : public ::testing::Test {
public:
    FixedSeeds seeds{fixedSeed};
    Bb84Window* window = nullptr;
    Bb84View* view = nullptr;
    SenderTableView* a = nullptr;
    ReceiverTableView* b = nullptr;
    // The window's model: what the run played and the views draw.
    const KeyDistribution* model = nullptr;
    FrameLog<Frame> log{[this] {
        return Frame{model->phase,
                     model->keyColumn,
                     model->photonX,
                     model->keyDrop,
                     model->detection.detected,
                     view->damage() != 0,
                     a->damage() != 0,
                     b->damage() != 0};
    }};
    std::vector<Frame>& frames = log.frames;
    // Called at every frame step after the frame is recorded; tests act through it.
    std::function<void(const Frame&)>& onFrame = log.onFrame;

    void SetUp() override {
        window = &openDemonstration(showBb84Window, bb84Window);
        view = window->view;
        a = window->sender;
        b = window->receiver;
        model = &window->model;
    }

    void setSpeed(double s) { window->speedSlider->value(s); }

    // The whole run, as a click on Start would start it.
    void run() { window->startButton->do_callback(); }

    // What a cell of a book shows after the run.
    CellShown cell(Party party, KeyRow row, int column) const {
        return model->cell(party, row, column);
    }

    // Flight frames of one column of one phase: the 3-D view was redrawn, table A
    // was not (table B may be, in the first frame of an announcement).
    int flightFrames(int phase, unsigned column) const {
        return log.count([&](const Frame& f) {
            return f.phase == phase && f.column == column && f.viewDamaged && !f.senderDamaged;
        });
    }

    int framesIn(int phase) const {
        return log.count([&](const Frame& f) { return f.phase == phase; });
    }
};

// One primitive of a colour feedback capture: token, and per vertex window x, y
// and the lit colour r, g, b.
using ColouredItem = FeedbackItem;

template <class View>
std::vector<ColouredItem> captureColoured(View& view) {
    view.make_current();
    auto items = captureFeedback([&] { view.draw(); }, true);
    for (auto& item : items) {
        for (auto& v : item.vertices) {
            v = {v[0], v[1], v[3], v[4], v[5]};
        }
    }
    return items;
}

// A rough name for a lit colour: the hue the scene's presets are told apart by.
enum class Hue { grey, red, yellow, green, cyan, magenta, other };

inline Hue hueOf(const std::vector<float>& v) {
    const float r = v[2], g = v[3], b = v[4];
    const float hi = std::max({r, g, b}), lo = std::min({r, g, b});
    if (hi - lo < 0.08f) return Hue::grey;
    const auto high = [&](float c) { return c > lo + 0.6f * (hi - lo); };
    const bool R = high(r), G = high(g), B = high(b);
    if (R && !G && !B) return Hue::red;
    if (R && G && !B) return Hue::yellow;
    if (!R && G && !B) return Hue::green;
    if (!R && G && B) return Hue::cyan;
    if (R && !G && B) return Hue::magenta;
    return Hue::other;
}

inline bool isLine(const ColouredItem& item) {
    return item.token == GL_LINE_TOKEN || item.token == GL_LINE_RESET_TOKEN;
}
