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

#include <cstdio>

namespace {

// Where the pump pulse starts, inside the laser.
constexpr float pumpStartX = -0.2f;
constexpr float pumpStartZ = 9.3f;
// The crystal's face that the pump and the photon pairs leave from.
constexpr double crystalZ = 1.9;
// Depth at which the output photon starts inside Bob's device.
constexpr float outputStartZ = -11;

const char* const messages[4] = {"00", "01", "10", "11"};

}  // namespace

void TeleportRun::begin() {
    window.startButton->deactivate();
    window.stopButton->value(0);
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
        v.lampColours[4].setWhite();
        RandomSource& source = window.outcomeSource;
        source.setModulus(4);
        source.next();
        v.messageText = messages[source.value() % 4];
        v.lightOutcomeLamp();
        v.messageX = -1.6f;
        v.messageY = 4.4f;
        v.messageZ = 1.14f;
        break;
    }
    case 9:
        v.lampColours[5].setWhite();
        break;
    case 10:
        v.lampColours[4].setGrey();
        v.lampColours[5].setGrey();
        v.turnNeedle();
        v.outputArrow.colour.select(static_cast<int>(window.polarizationSource.value()));
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

void startTeleportation(Fl_Widget* widget, void*) {
    TeleportWindow* window = owningTeleportWindow(widget);
    if (!window || !window->view) {
        return;
    }
    TeleportRun(*window, *window->view).play();
}
