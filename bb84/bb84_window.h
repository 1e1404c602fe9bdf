// The key-distribution window: both tables on top, the 3-D scene below left and
// the controls (Pol., Speed, Stop, Start, Return) below right; along the bottom
// Eve, Count and Eve's notebook.
#pragma once

#include "bb84/key_distribution.h"
#include "ui/additions_group.h"
#include "ui/lesson.h"
#include "ui/scaled_window.h"

class EveStrip;
class Fl_Button;
class Fl_Light_Button;
class Fl_Value_Slider;
class Fl_Widget;
class Bb84View;
class SenderTableView;
class ReceiverTableView;

class Bb84Window : public ScaledWindow {
public:
    // Draws nothing of its own; it holds the additions to the first controls
    // (Eve, Count, Eve's notebook), which live along the window's bottom.
    AdditionsGroup* background = nullptr;
    Fl_Button* startButton = nullptr;
    Fl_Button* returnButton = nullptr;
    Fl_Light_Button* polButton = nullptr;
    Fl_Light_Button* stopButton = nullptr;
    Fl_Value_Slider* speedSlider = nullptr;
    Fl_Light_Button* eveButton = nullptr;
    Fl_Light_Button* countButton = nullptr;
    // Writes the last run's columns or the counting totals to a file; usable
    // during a run too.
    Fl_Button* saveButton = nullptr;
    EveStrip* eveStrip = nullptr;
    // Lesson mode: its button, and the run's stops with their captions.
    Lesson lesson;
    // What the experiment is; the views draw it, the run steps it.
    KeyDistribution model;

    // This window's own views, so that its run and callbacks never reach into a
    // newer window through the program-wide pointers.
    Bb84View* view = nullptr;
    SenderTableView* sender = nullptr;
    ReceiverTableView* receiver = nullptr;
    // A run is in progress: a second Start while one plays is ignored.
    bool running = false;

    Bb84Window(int w, int h) : ScaledWindow(w, h) {}
    ~Bb84Window() override;

    // Return held down, the Speed, Eve, Count and Eve's share as the controls
    // stand now.
    KeyControls controls() const;
    // "-" and "+" (or "=") move the scene's "Eve listens" slider while Eve's
    // light is on; every other key goes on as before.
    int handle(int event) override;
};

// Builds the widgets of the window, in their order, inside its open group.
void buildBb84Controls(Bb84Window& window);

// A fresh window with its controls, views and tables, not yet shown: the menu's
// BB84 button shows it.
Bb84Window* buildBb84Window();
// The callbacks below take their window as user data.
// Start: plays the protocol for 32 photons (or counts rounds with Count lit) and
// returns with the run finished. The run keeps to its window and ends at its
// next frame step once that window is no longer shown.
void startKeyDistribution(Fl_Widget* = nullptr, void* = nullptr);
// Stop: while its light is on, a run holds between two frames.
void holdKeyDistribution(Fl_Widget* = nullptr, void* = nullptr);
// Pol.: the second basis drawn as linear at +-45 degrees (off) or circular (on).
void togglePolarizationStyle(Fl_Widget* = nullptr, void* = nullptr);
// Eve: her station and notebook show at once; the run reads the light at Start.
void toggleEavesdropper(Fl_Widget* = nullptr, void* = nullptr);
// Return, also the window's close and Escape: hides the view and the window and
// refreshes the menu's previews.
void leaveKeyDistribution(Fl_Widget* = nullptr, void* = nullptr);
// Save: what the model holds now, to a file the user chooses.
void saveKeyResults(Fl_Widget* = nullptr, void* = nullptr);
