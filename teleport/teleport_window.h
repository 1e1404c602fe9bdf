// The teleportation demonstration's window: the 3-D view, the "Polarization:"
// read-out, Message, Repeat, Stop, Start and Return, and the callbacks that
// open and leave it.
#pragma once

#include "ui/scaled_window.h"
#include "scene/random_source.h"
#include "scene/standard_random.h"

class Fl_Box;
class Fl_Button;
class Fl_Light_Button;
class Fl_Widget;
class TeleportView;

class TeleportWindow : public ScaledWindow {
public:
    Fl_Box* polarizationLabel = nullptr;
    // Screen position of the pointer at the view's last draw.
    int pointerX = 0;
    int pointerY = 0;
    // Input polarization index (modulus 6), reseeded at every Start.
    RandomSource polarizationSource;
    // Alice's result (modulus 4): seeded once here, so the runs of one window
    // continue one sequence.
    RandomSource outcomeSource;
    // Draws of the Repeat tally (p and r of each run), apart from the two above so
    // that a tally leaves the animated runs' sequences as they are. Reseeded at
    // every tally's Start.
    StandardRandom tallySource;
    // Decimal input angle, "0" to "150".
    char polarizationText[8] = {0};
    Fl_Box* polarizationBox = nullptr;
    Fl_Button* startButton = nullptr;
    Fl_Button* returnButton = nullptr;
    Fl_Light_Button* stopButton = nullptr;
    // Lit: Alice's two bits reach Bob. Read at Start, greyed during a run.
    Fl_Light_Button* messageButton = nullptr;
    // Lit: Start tallies many teleportations without animation.
    Fl_Light_Button* repeatButton = nullptr;
    // The view built with this window. Runs and Return reach it here rather than
    // through the registry, so they never act on a newer window.
    TeleportView* view = nullptr;

    TeleportWindow(int w, int h);

};

// A fresh window with its widgets and view, not yet shown: the menu's
// teleportation button shows it.
TeleportWindow* buildTeleportWindow();

// Stop: while the light is on, events keep being served here, which holds a run
// between two of its frames.
void holdTeleportation(Fl_Widget* = nullptr, void* = nullptr);

// Message and Repeat: the view's description follows Message at once; the run
// reads both at Start.
void chooseTeleportOption(Fl_Widget* = nullptr, void* = nullptr);

// Return, also the window's close and Escape: hides the view and the window and
// refreshes the menu's previews.
void leaveTeleportation(Fl_Widget* = nullptr, void* = nullptr);

// The teleportation window a widget belongs to; the current one when the widget
// is none of its (a plain call).
TeleportWindow* owningTeleportWindow(Fl_Widget* widget);
