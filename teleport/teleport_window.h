// The teleportation demonstration's window: the 3-D view, the "Polarization:"
// read-out, Message, Repeat, Stop, Start and Return, and the callbacks that
// run and leave it. Every callback is given its window as user data.
#pragma once

#include "teleport/teleport_experiment.h"
#include "ui/lesson.h"
#include "ui/scaled_window.h"

class Fl_Box;
class Fl_Button;
class Fl_Light_Button;
class Fl_Widget;
class TeleportView;

class TeleportWindow : public ScaledWindow {
public:
    Fl_Box* polarizationLabel = nullptr;
    // Decimal input angle, "0" to "150", the read-out's label.
    char polarizationText[8] = {0};
    Fl_Box* polarizationBox = nullptr;
    Fl_Button* startButton = nullptr;
    Fl_Button* returnButton = nullptr;
    Fl_Light_Button* stopButton = nullptr;
    // Lit: Alice's two bits reach Bob. Read at Start, greyed during a run.
    Fl_Light_Button* messageButton = nullptr;
    // Lit: Start tallies many teleportations without animation.
    Fl_Light_Button* repeatButton = nullptr;
    // Writes the last run's facts or the tally to a file; usable during a run too.
    Fl_Button* saveButton = nullptr;
    // The view built with this window; it draws `experiment`.
    TeleportView* view = nullptr;
    // What runs in this window, and only in it.
    TeleportExperiment experiment;
    // Lesson mode: its button, and the run told stage by stage.
    Lesson lesson;

    TeleportWindow(int w, int h);

    // The buttons into the experiment's controls.
    void readControls();
    // The read-out shows what the experiment says about the input.
    void showPolarization();
};

// A fresh window with its widgets and view, not yet shown: the menu's
// teleportation button shows it.
TeleportWindow* buildTeleportWindow();

// Start: plays a run, or with Repeat a tally, in the window given as user data;
// returns when it has ended. The window's other callbacks run inside it. While
// a lesson waits, Start goes on instead.
void startTeleportation(Fl_Widget* widget, void* window);

// Message and Repeat: the view's description follows Message at once; the run
// reads both at Start.
void chooseTeleportOption(Fl_Widget* widget, void* window);

// Return, also the window's close and Escape: hides the view and the window and
// refreshes the menu's previews.
void leaveTeleportation(Fl_Widget* widget, void* window);

// Save: what the experiment holds now, to a file the user chooses.
void saveTeleportResults(Fl_Widget* widget, void* window);
