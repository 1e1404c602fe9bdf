// Building, raising, holding and leaving the teleportation window.
#include "teleport/teleport_window.h"

#include "app/registry.h"
#include "scene/frame_step.h"
#include "teleport/teleport_run.h"
#include "teleport/teleport_view.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>

namespace {

// The run's options, styled as the Bell window's light buttons, at Stop's height.
Fl_Light_Button* optionButton(int x, int w, const char* text, int lit) {
    auto* button = new Fl_Light_Button(x, 697, w, 40, text);
    button->color(62);
    button->selection_color(FL_RED);
    button->labelfont(FL_TIMES_BOLD);
    button->labelsize(28);
    button->value(lit);
    button->callback(chooseTeleportOption, nullptr);
    return button;
}

}  // namespace

TeleportWindow::TeleportWindow(int w, int h) : ScaledWindow(w, h) {
    polarizationSource.lastValue = 0;
}

TeleportWindow* owningTeleportWindow(Fl_Widget* widget) {
    while (widget && widget->parent()) {
        widget = widget->parent();
    }
    if (auto* window = dynamic_cast<TeleportWindow*>(widget)) {
        return window;
    }
    return teleportWindow;
}

TeleportWindow* buildTeleportWindow() {
    // Step 1: the window; it is the current group for everything created next.
    auto* window = new TeleportWindow(1024, 768);
    window->color(113, 49);
    window->label("Quantum-teleportation");
    // Escape and the window manager's close act as Return.
    window->callback(leaveTeleportation, nullptr);

    // Step 2: the read-out and the buttons; Message and Repeat take the free
    // places of the row, left of the read-out and between it and Stop.
    window->polarizationLabel = new Fl_Box(FL_NO_BOX, 155, 698, 160, 30, "Polarization:");
    window->polarizationLabel->labelfont(FL_TIMES_BOLD);
    window->polarizationLabel->labelsize(30);
    window->polarizationLabel->labelcolor(FL_YELLOW);

    window->polarizationBox = new Fl_Box(FL_PLASTIC_UP_BOX, 325, 696, 70, 35, "");
    window->polarizationBox->color(FL_GREEN);
    window->polarizationBox->labelfont(FL_HELVETICA_BOLD);
    window->polarizationBox->labelsize(32);

    window->stopButton = new Fl_Light_Button(532, 697, 110, 40, "Stop");
    window->stopButton->color(62);
    window->stopButton->selection_color(FL_RED);
    window->stopButton->labelfont(FL_TIMES_BOLD);
    window->stopButton->labelsize(30);
    window->stopButton->callback(holdTeleportation, nullptr);

    window->startButton = new Fl_Button(672, 692, 120, 47, "Start");
    window->startButton->color(61);
    window->startButton->labelfont(FL_TIMES_BOLD);
    window->startButton->labelsize(36);
    window->startButton->labeltype(FL_ENGRAVED_LABEL);
    window->startButton->callback(startTeleportation, nullptr);

    window->returnButton = new Fl_Button(898, 697, 110, 40, "Return");
    window->returnButton->color(FL_RED);
    window->returnButton->labelfont(FL_TIMES_BOLD);
    window->returnButton->labelsize(32);
    window->returnButton->callback(leaveTeleportation, nullptr);

    window->messageButton = optionButton(15, 130, "Message", 1);
    window->repeatButton = optionButton(405, 118, "Repeat", 0);

    // Step 3: the view.
    window->view = new TeleportView(15, 15, 994, 670);
    window->view->owner = window;
    window->view->redraw();

    window->end();
    return window;
}

void holdTeleportation(Fl_Widget* widget, void*) {
    TeleportWindow* window = owningTeleportWindow(widget);
    if (!window) {
        return;
    }
    WindowUse use(*window);
    Fl::check();
    // A closed window can never switch the light off again: stop holding then.
    waitWhile([window] { return window->stopButton->value() == 1 && window->shown(); });
}

void chooseTeleportOption(Fl_Widget* widget, void*) {
    TeleportWindow* window = owningTeleportWindow(widget);
    if (window && window->view) {
        window->view->redraw();
    }
}

void leaveTeleportation(Fl_Widget* widget, void*) {
    TeleportWindow* window = owningTeleportWindow(widget);
    if (!window) {
        return;
    }
    if (window->view) {
        window->view->hide();
    }
    window->hide();
    afterLeaving();
}
