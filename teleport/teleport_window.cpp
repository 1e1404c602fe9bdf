// Building the teleportation window, and its callbacks: a run goes through the
// shared run driver, which holds it while Stop is lit and ends it with the window.
#include "teleport/teleport_window.h"

#include "teleport/teleport_lesson.h"
#include "teleport/teleport_results.h"
#include "teleport/teleport_view.h"
#include "ui/result_saving.h"
#include "ui/run_driver.h"
#include "ui/window_use.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// The run's options, styled as the Bell window's light buttons, at Stop's height.
Fl_Light_Button* optionButton(TeleportWindow* window, int x, int w, const char* text, int lit) {
    auto* button = new Fl_Light_Button(x, 697, w, 40, text);
    button->color(62);
    button->selection_color(FL_RED);
    button->labelfont(FL_TIMES_BOLD);
    button->labelsize(28);
    button->value(lit);
    button->callback(chooseTeleportOption, window);
    return button;
}

// One run of the window's experiment for the run driver: the buttons are read
// before each step, the view and read-out show it after.
class TeleportStepper : public RunStepper {
public:
    explicit TeleportStepper(TeleportWindow& window) : window(window) {}

    FrameEnd step() override {
        window.readControls();
        return window.experiment.step();
    }
    void show() override {
        window.showPolarization();
        window.view->redraw();
    }
    // A finished tally's read-out says "all" while its end caption stands; at
    // any other hold the read-out already shows the model.
    void holding() override { window.showPolarization(); }

    int lessonStop() const override {
        return static_cast<int>(teleportLessonStop(window.experiment));
    }
    LessonCaption lessonCaption(int stop) const override {
        return teleportLessonCaption(window.experiment, static_cast<TeleportStop>(stop));
    }
    LessonCaption lessonEnd() const override { return teleportLessonEnd(window.experiment); }
    void keep() override { kept = window.experiment; }
    void restore() override {
        window.experiment = *kept;
        show();
    }

private:
    TeleportWindow& window;
    // The experiment as a lesson's stage began, to play it again. Made only
    // by a lesson: a fresh experiment would draw a seed of its own.
    std::optional<TeleportExperiment> kept;
};

// Start, Message and Repeat greyed, or usable again.
void lockControls(TeleportWindow& window, bool locked) {
    for (Fl_Widget* button : {static_cast<Fl_Widget*>(window.startButton),
                              static_cast<Fl_Widget*>(window.messageButton),
                              static_cast<Fl_Widget*>(window.repeatButton)}) {
        if (locked) {
            button->deactivate();
        } else {
            button->activate();
        }
    }
}

}  // namespace

TeleportWindow::TeleportWindow(int w, int h) : ScaledWindow(w, h) {}

void TeleportWindow::readControls() {
    TeleportControls& controls = experiment.controls;
    controls.message = messageButton->value() != 0;
    controls.repeat = repeatButton->value() != 0;
    // The button's value is 1 only while it is held; a press and release served
    // within one event pass shows only as the window having been hidden.
    controls.returnHeld = returnButton->value() == 1;
}

void TeleportWindow::showPolarization() {
    const TeleportExperiment& e = experiment;
    char text[sizeof polarizationText] = "";
    if (e.showTally && !e.tally.running) {
        // Done, the totals belong to all six inputs together.
        std::snprintf(text, sizeof text, "all");
    } else if (e.inputShown()) {
        std::snprintf(text, sizeof text, "%d", e.polarizationIndex() * 30);
    }
    // A label set anew draws its box again: only when the text changes.
    const char* shown = polarizationBox->label();
    if (shown != polarizationText || std::strcmp(text, polarizationText) != 0) {
        std::memcpy(polarizationText, text, sizeof text);
        polarizationBox->label(polarizationText);
    }
}

TeleportWindow* buildTeleportWindow() {
    // Step 1: the window; it is the current group for everything created next.
    auto* window = new TeleportWindow(1024, 768);
    window->color(113, 49);
    window->label("Quantum-teleportation");
    // Escape and the window manager's close act as Return.
    window->callback(leaveTeleportation, window);

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

    // Stop needs no callback: while its light is on, the run driver holds the
    // run between two frames.
    window->stopButton = new Fl_Light_Button(532, 697, 110, 40, "Stop");
    window->stopButton->color(62);
    window->stopButton->selection_color(FL_RED);
    window->stopButton->labelfont(FL_TIMES_BOLD);
    window->stopButton->labelsize(30);
    window->stopButton->when(FL_WHEN_NEVER);

    window->startButton = new Fl_Button(672, 692, 120, 47, "Start");
    window->startButton->color(61);
    window->startButton->labelfont(FL_TIMES_BOLD);
    window->startButton->labelsize(36);
    window->startButton->labeltype(FL_ENGRAVED_LABEL);
    window->startButton->callback(startTeleportation, window);

    window->returnButton = new Fl_Button(898, 697, 110, 40, "Return");
    window->returnButton->color(FL_RED);
    window->returnButton->labelfont(FL_TIMES_BOLD);
    window->returnButton->labelsize(32);
    window->returnButton->callback(leaveTeleportation, window);

    window->messageButton = optionButton(window, 15, 130, "Message", 1);
    window->repeatButton = optionButton(window, 405, 118, "Repeat", 0);
    // Lesson and Save share the gap between Start and Return, one above the other.
    window->lesson.build(797, 692, 96, 23, 16);
    window->saveButton = buildSaveButton(797, 716, 96, 23, 16, saveTeleportResults, window);

    // Step 3: the view.
    window->view = new TeleportView(15, 15, 994, 670, window->experiment);
    window->view->redraw();
    window->lesson.attach(*window->view, *window->startButton);

    window->end();
    return window;
}

void startTeleportation(Fl_Widget*, void* data) {
    auto* window = static_cast<TeleportWindow*>(data);
    if (!window || !window->view || window->lesson.takeStart()) {
        return;
    }
    // The window outlives the run and what follows it, even if a newer one
    // replaced it meanwhile.
    WindowUse use(*window);
    lockControls(*window, true);
    window->stopButton->value(0);
    window->readControls();
    window->experiment.startRun();
    TeleportStepper stepper(*window);
    driveRun(*window, window->stopButton, stepper, &window->lesson);
    window->experiment.endRun();
    lockControls(*window, false);
    window->showPolarization();
    // The finished picture differs from the last frame drawn; let it show.
    window->view->redraw();
}

void chooseTeleportOption(Fl_Widget*, void* data) {
    auto* window = static_cast<TeleportWindow*>(data);
    if (window && window->view) {
        window->readControls();
        window->view->redraw();
    }
}

void leaveTeleportation(Fl_Widget*, void* data) {
    auto* window = static_cast<TeleportWindow*>(data);
    if (!window) {
        return;
    }
    if (window->view) {
        window->view->hide();
    }
    window->hide();
    afterLeaving();
}

void saveTeleportResults(Fl_Widget*, void* data) {
    auto* window = static_cast<TeleportWindow*>(data);
    if (window) {
        saveResults("teleportation",
                    [window](const ResultStamp& stamp) { return teleportResults(window->experiment, stamp); });
    }
}
