// Shared steps of the teleportation window tests: opening the window the way the
// menu does, a log of a run's frames, and finding scene points on screen.
#pragma once

#include "app/demonstrations.h"
#include "app/registry.h"
#include "scene/random_source.h"
#include "support/demo_harness.h"
#include "support/gl_probe.h"
#include "teleport/teleport_view.h"
#include "teleport/teleport_window.h"

#include <FL/Fl.H>
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

namespace teleport_probe {

// The first seed whose first draw modulo m is `wanted`.
inline uint32_t seedGiving(uint32_t modulus, uint32_t wanted) {
    for (uint32_t seed = 0;; ++seed) {
        RandomSource probe;
        probe.state = seed;
        probe.setModulus(modulus);
        probe.next();
        if (probe.value() == wanted) return seed;
    }
}

// Opens a fresh window through the menu's launcher and waits until it is drawn.
inline TeleportWindow* openWindow() { return &openDemonstration(showTeleportWindow, teleportWindow); }

// One frame step of a run: the phase it shows (numbered 1..11 as the stages),
// the frame's number in the run and in its phase, both from 1.
struct RunFrame {
    int phase;
    int frame;
    int ofPhase;
};

// The frames of `window`'s runs while the log lives.
class RunLog : public FrameLog<RunFrame> {
public:
    explicit RunLog(const TeleportWindow& window)
        : FrameLog<RunFrame>([this, &window] {
              const int phase = static_cast<int>(window.experiment.phase);
              const int before = count([phase](const RunFrame& f) { return f.phase == phase; });
              return RunFrame{phase, static_cast<int>(frames.size()) + 1, before + 1};
          }) {}

    int total() const { return static_cast<int>(frames.size()); }
    std::map<int, int> perPhase() const {
        std::map<int, int> counts;
        for (const RunFrame& f : frames) ++counts[f.phase];
        return counts;
    }
};

inline int phaseOf(const TeleportWindow& window) { return static_cast<int>(window.experiment.phase); }

struct Point {
    int x, y;  // view pixels, y from the top
};

// Where a point of the scene lands in the view, given the transformations an
// item applies after the camera.
inline Point project(TeleportView& view, const std::function<void()>& transform, float x,
                     float y, float z) {
    view.make_current();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-6, 6, -6, 6, -7, 13);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(0, 1.6, 1.4, 0, 0, -1.7, 0, 1, 0);
    transform();
    GLdouble model[16], proj[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    GLint viewport[4] = {0, 0, view.w(), view.h()};
    GLdouble wx, wy, wz;
    gluProject(x, y, z, model, proj, viewport, &wx, &wy, &wz);
    return {static_cast<int>(wx + 0.5), view.h() - 1 - static_cast<int>(wy + 0.5)};
}

// Draws the view now and returns the pixels of a square around a point.
inline std::vector<Pixel> pixelsAround(TeleportView& view, Point centre, int radius) {
    // Drawn straight into the back buffer and read there, before any swap.
    view.make_current();
    view.draw();
    glFinish();
    glReadBuffer(GL_BACK);
    const int size = 2 * radius + 1;
    std::vector<unsigned char> rgb(size * size * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(centre.x - radius, view.h() - 1 - centre.y - radius, size, size, GL_RGB,
                 GL_UNSIGNED_BYTE, rgb.data());
    std::vector<Pixel> pixels;
    for (int i = 0; i < size * size; ++i) {
        pixels.push_back({rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]});
    }
    return pixels;
}

// The colour of a line or lamp near a point: the brightest pixel around it.
inline Pixel brightestAround(TeleportView& view, Point centre, int radius = 3) {
    Pixel best{0, 0, 0};
    for (const Pixel& p : pixelsAround(view, centre, radius)) {
        if (p.r + p.g + p.b > best.r + best.g + best.b) best = p;
    }
    return best;
}

// Which of the legend's presets 0..5 a lit pixel shows; 8 for grey, -1 for dark.
inline int classify(Pixel p) {
    const int top = std::max({p.r, p.g, p.b});
    if (top < 40) return -1;
    const double r = double(p.r) / top, g = double(p.g) / top, b = double(p.b) / top;
    if (std::abs(r - g) < 0.12 && std::abs(g - b) < 0.12) return 8;
    const double presets[6][3] = {{1, 0, 0}, {0, 1, 1}, {1, 1, 0}, {0, 1, 0}, {1, 0, 1}, {1, 0.5, 0}};
    int best = -1;
    double bestDistance = 1e9;
    for (int i = 0; i < 6; ++i) {
        const double d = (r - presets[i][0]) * (r - presets[i][0]) +
                         (g - presets[i][1]) * (g - presets[i][1]) +
                         (b - presets[i][2]) * (b - presets[i][2]);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// A point halfway out on legend arrow i (clear of the crossing and the heads).
inline Point legendArrow(TeleportView& view, int i) {
    return project(
        view,
        [i] {
            glTranslatef(-2, -3, 2.6f);
            glScalef(0.65f, 1, 1);
            glRotatef(90.0f + 30.0f * i, 0, 0, 1);
        },
        0, 0.6f, 0);
}

// The centre of Alice's lamp k.
inline Point aliceLamp(TeleportView& view, int k) {
    return project(
        view,
        [k] {
            glScalef(0.8f, 0.8f, 0.8f);
            glTranslatef(-5.8f, 0, 1);
            glScalef(1.3f, 1, 0.8f);
            glTranslatef(-0.67f, 0.5f, 0.95f);
            glScalef(0.72f, 1, 1.25f);
            glTranslatef(0.62f * k, 0, 0);
        },
        0, 0, 0);
}

// A point on the axis of Bob's needle if it stood at `angle` degrees.
inline Point needleAt(TeleportView& view, int angle) {
    return project(
        view,
        [angle] {
            glTranslatef(4.7f, 0.5f, -10);
            glScalef(1, 1.3f, 0.7f);
            glTranslatef(-0.5f, 0.45f, 1.21f);
            glTranslatef(0.6f, -1.18f, -0.2f);
            glRotatef(static_cast<float>(angle), 0, 0, 1);
            glRotatef(-90, 1, 0, 0);
            glScalef(0.8f, 1, 1.6f);
        },
        0, 0, 0.45f);
}

// A point on the channel's first half, left of the cut, and one on the part of
// Bob's receiver lamp that stands out of its box.
inline Point channelPoint(TeleportView& view) { return project(view, [] {}, -0.96f, 1.88f, -3.5f); }
inline Point bobLamp(TeleportView& view) { return project(view, [] {}, 2.25f, 1.4f, -10); }

// A white lamp or line as lit from the side: bright and neutral; the idle grey
// stays under half as bright.
inline bool isWhite(Pixel p) {
    return p.r > 130 && std::abs(p.r - p.g) < 15 && std::abs(p.g - p.b) < 15;
}

inline bool isGold(Pixel p) {
    return p.r > 150 && p.g > 0.55 * p.r && p.g < 0.9 * p.r && p.b < 0.35 * p.r;
}
// The needle's red, highlights included; not the yellow box behind it.
inline bool isNeedleRed(Pixel p) {
    return p.r > 150 && p.g < 0.6 * p.r && p.b < 0.6 * p.r && std::abs(p.g - p.b) < 30;
}

inline int countAround(TeleportView& view, Point centre, int radius, bool (*test)(Pixel)) {
    int n = 0;
    for (const Pixel& p : pixelsAround(view, centre, radius)) n += test(p);
    return n;
}

}  // namespace teleport_probe
