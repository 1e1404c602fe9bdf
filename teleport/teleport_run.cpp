// The ten stages of the teleportation run. Positions are floats advanced by
// double constants and stored back as floats: the frame counts of the stages
// depend on exactly that rounding.
#include "teleport/teleport_run.h"

#include "app/registry.h"
#include "scene/frame_step.h"
#include "teleport/teleport_view.h"
#include "teleport/teleport_window.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>

#include <algorithm>
#include <cstdio>

namespace {

// Where the pump pulse starts, inside the laser.
constexpr float pumpStartX = -0.2f;
constexpr float pumpStartZ = 9.3f;
// The crystal's face that the pump and the photon pairs leave from.
constexpr double crystalZ = 1.9;
// Depth at which the output photon starts inside Bob's device.
constexpr float outputStartZ = -11;

// A tally's teleportations, and how many of them each frame step adds: the
// totals climb visibly for under two seconds.
constexpr int tallyLength = 1000;
constexpr int tallyRunsPerFrame = 10;

}  // namespace

void TeleportRun::lockControls() {
    window.startButton->deactivate();
    window.messageButton->deactivate();
    window.repeatButton->deactivate();
    window.stopButton->value(0);
}

void TeleportRun::begin() {
    lockControls();
    view.facts.messageSent = window.messageButton->value() != 0;
    view.showTally = false;
    view.helixExtent = 0;
    view.helixTwist = 0;
    view.setPhase(1);
}

void TeleportRun::setUp(int stage) {
    TeleportView& v = view;
    switch (stage) {
    case 1: {
        RandomSource& source = window.polarizationSource;
        source.reseed();
        source.setModulus(6);
        source.next();
        view.facts.input = static_cast<int>(source.value());
        std::snprintf(window.polarizationText, sizeof window.polarizationText, "%d",
                      static_cast<int>(source.value() * 30));
        for (int k = 0; k < 4; ++k) {
            v.lampColours[k].setGrey();
        }
        v.pumpX = pumpStartX;
        v.pumpZ = pumpStartZ;
        v.resetNeedle();
        window.polarizationBox->label("");
        break;
    }
    case 2:
        // The pulse goes on from where its trailing sphere was drawn.
        v.pumpZ = v.pumpZ - 0.8;
        v.photon2X = -0.2f;
        v.photon2Z = 1.9f;
        v.photon3X = -0.2f;
        v.photon3Z = 1.9f;
        break;
    case 4:
        v.photon1X = -0.2f;
        v.photon1Z = v.pumpZ;
        v.photon4X = -0.2f;
        v.photon4Z = v.photon1Z;
        v.pumpZ = pumpStartZ;
        v.pumpX = pumpStartX;
        break;
    case 7:
        window.polarizationBox->label(window.polarizationText);
        break;
    case 8: {
        const bool sent = v.facts.messageSent;
        if (sent) {
            v.lampColours[4].setWhite();
        }
        RandomSource& source = window.outcomeSource;
        source.setModulus(kResults);
        source.next();
        const int r = static_cast<int>(source.value() % kResults);
        v.facts = teleport(v.facts.input, r, sent);
        v.messageText = kBellResults[r].message;
        v.lightOutcomeLamp();
        v.messageX = -1.6f;
        v.messageY = 4.4f;
        v.messageZ = 1.14f;
        break;
    }
    case 9:
        if (v.facts.messageSent) {
            v.lampColours[5].setWhite();
        }
        break;
    case 10:
        v.lampColours[4].setGrey();
        v.lampColours[5].setGrey();
        v.turnNeedle();
        // The output's colour is the legend's for the direction it comes out along.
        v.outputArrow.colour.select(v.facts.output);
        v.outputZ = outputStartZ;
        break;
    default:
        break;
    }
}

bool TeleportRun::endTestHolds(int stage) const {
    const TeleportView& v = view;
    switch (stage) {
    case 1: return v.pumpZ <= crystalZ;
    case 2: return v.photon2Z <= 0.55;
    case 3: return v.pumpZ >= crystalZ;
    case 4: return v.photon2Z <= -1.3;
    case 5: return v.photon2Z <= -2.05;
    case 6: return v.photon2Z >= -0.75;
    case 7: return v.photon2Z >= 0.8;
    case 8: return v.messageX >= 1.45;
    case 9: return v.messageX >= 2.1;
    case 10: return v.outputZ >= -1.7;
    default: return true;
    }
}

void TeleportRun::advance(int stage) {
    TeleportView& v = view;
    switch (stage) {
    case 1:
        v.pumpZ = v.pumpZ - 0.06;
        break;
    case 2:
    case 3:
        v.pumpZ = stage == 2 ? v.pumpZ - 0.06 : v.pumpZ + 0.06;
        v.photon2X = v.photon2X - 0.016;
        v.photon2Z = v.photon2Z - 0.055;
        v.photon3X = v.photon3X + 0.015;
        v.photon3Z = v.photon3Z - 0.055;
        v.growHelix(stage == 2 ? 0.002f : 0.01f);
        break;
    case 4:
    case 5:
        v.photon2X = v.photon2X - 0.016;
        v.photon2Z = v.photon2Z - 0.055;
        v.photon3X = v.photon3X + 0.014;
        v.photon3Z = v.photon3Z - 0.055;
        v.photon1X = v.photon1X - 0.03;
        // Photon 1 is reflected back toward the viewer in stage 5.
        v.photon1Z = stage == 4 ? v.photon1Z + 0.06 : v.photon1Z - 0.031;
        v.photon4X = v.photon4X + 0.03;
        v.photon4Z = v.photon4Z + 0.06;
        v.growHelix(stage == 4 ? 0.016f : 0.013f);
        break;
    case 6:
    case 7:
        v.photon2X = v.photon2X - 0.028;
        v.photon2Z = v.photon2Z + 0.042;
        v.photon3X = v.photon3X + 0.014;
        v.photon3Z = v.photon3Z - 0.05;
        v.photon1X = v.photon1X - 0.03;
        v.photon1Z = v.photon1Z - 0.031;
        v.growHelix(stage == 6 ? 0.025f : 0.03f);
        v.twistHelix(stage == 6 ? 0.75f : 0.24f);
        break;
    case 8:
        v.photon3X = v.photon3X + 0.014;
        v.photon3Z = v.photon3Z - 0.05;
        v.messageX = v.messageX + 0.03;
        v.messageY = v.messageY + 0.02;
        v.messageZ = v.messageZ - 0.006;
        break;
    case 9:
        v.photon3X = v.photon3X + 0.014;
        v.photon3Z = v.photon3Z - 0.05;
        v.messageX = v.messageX + 0.05;
        break;
    case 10:
        v.outputZ = v.outputZ + 0.07;
        break;
    default:
        break;
    }
}

bool TeleportRun::cancelled() const {
    // The button's value is 1 only while it is held; a press and release served
    // within one event pass shows only as the window having been hidden.
    return window.returnButton->value() == 1 || !window.shown();
}

void TeleportRun::finish() {
    window.startButton->activate();
    window.messageButton->activate();
    window.repeatButton->activate();
    // Phase 11 differs from the last frame drawn; let the finished picture show.
    view.redraw();
}

void TeleportRun::play() {
    WindowUse use(window);
    begin();
    for (int stage = 1; stage <= stageCount; ++stage) {
        setUp(stage);
        for (;;) {
            if (cancelled()) {
                finish();
                return;
            }
            if (endTestHolds(stage)) {
                view.setPhase(stage + 1);
                break;
            }
            view.redraw();
            frameStep();
            advance(stage);
        }
    }
    finish();
}

void TeleportRun::clearScene() {
    // A tally draws its own inputs: nothing of the last run's may stand beside
    // its totals, neither its arrows nor its lamps, dial or input.
    TeleportView& v = view;
    v.facts = TeleportFacts{};
    v.setPhase(1);
    v.pumpX = pumpStartX;
    v.pumpZ = pumpStartZ;
    v.helixExtent = 0;
    v.helixTwist = 0;
    for (Color& lamp : v.lampColours) {
        lamp.setGrey();
    }
    v.resetNeedle();
    window.polarizationBox->label("");
}

void TeleportRun::playTally() {
    WindowUse use(window);
    lockControls();
    clearScene();
    view.tally = TeleportTally{};
    view.tally.messageSent = window.messageButton->value() != 0;
    view.tally.running = true;
    view.showTally = true;
    window.tallySource.reseed();
    // Stop holds and Return ends the tally between two frame steps, as in a run.
    while (view.tally.runs < tallyLength && !cancelled()) {
        tallyRuns(view.tally, window.tallySource,
                  std::min(tallyRunsPerFrame, tallyLength - view.tally.runs));
        // The read-out follows the inputs as they are drawn.
        std::snprintf(window.polarizationText, sizeof window.polarizationText, "%d",
                      view.tally.lastInput * 30);
        window.polarizationBox->label(window.polarizationText);
        view.redraw();
        frameStep();
    }
    view.tally.running = false;
    // Done, the totals belong to all six inputs together.
    window.polarizationBox->label("all");
    finish();
}

void startTeleportation(Fl_Widget* widget, void*) {
    TeleportWindow* window = owningTeleportWindow(widget);
    if (!window || !window->view) {
        return;
    }
    TeleportRun run(*window, *window->view);
    if (window->repeatButton->value()) {
        run.playTally();
    } else {
        run.play();
    }
}
