// The Bell demonstration's window: the 36 coincidence counters, the inequality
// row and its verdict, Experiment and Performed, Start, Pause, Count, Local, Stop,
// Return and the view; it owns the experiment that its run steps and its view draws.
#pragma once

#include "ui/scaled_window.h"
#include "bell/bell_experiment.h"
#include "ui/lesson.h"

class Fl_Box;
class Fl_Button;
class Fl_Light_Button;
class Fl_Value_Input;
class Fl_Widget;
class BellView;

class BellWindow : public ScaledWindow {
public:
    // What the window shows; the run steps it.
    BellExperiment experiment;

    Fl_Value_Input* experimentInput = nullptr;
    Fl_Box* performedDisplay = nullptr;
    Fl_Button* startButton = nullptr;
    Fl_Light_Button* pauseButton = nullptr;
    Fl_Light_Button* countButton = nullptr;
    Fl_Light_Button* localButton = nullptr;
    Fl_Light_Button* stopButton = nullptr;
    Fl_Button* returnButton = nullptr;
    // Writes the counters as they stand to a file; usable during a run too.
    Fl_Button* saveButton = nullptr;
    Fl_Box* inequalityRow = nullptr;
    Fl_Box* inequalityValues[3] = {};
    // Hidden until the first Start, when the row's question marks give way to it.
    Fl_Box* verdictDisplay = nullptr;
    Fl_Box* counterDisplays[3][3][4] = {};
    // The view built with this window.
    BellView* view = nullptr;
    // Lesson mode: its button, and the run's stops with their captions.
    Lesson lesson;

    // Each display owns its text here, so that a new count in one box never
    // changes what another shows.
    char performedText[12] = "0";
    char inequalityText[3][12] = {};
    // N(A+,C+), N(B+,C+) and N(A+,B+) as the row shows them. The verdict is the
    // row's: a pair is counted when it is drawn, before its animation, and the
    // row shows it only after.
    int inequalityShown[3] = {};
    char verdictText[64] = "";
    char counterText[3][3][4][12] = {};

    // Displays whose text changed since they were last asked to redraw.
    bool performedStale = false;
    bool inequalityStale[3] = {};
    bool counterStale[3][3][4] = {};

    BellWindow(int w, int h);
    ~BellWindow() override;

    // Builds the controls inside the open window group (not the view).
    void buildControls();

    // What the controls say now, for the experiment's next step.
    BellControls controls() const;

    // Shows the experiment's zeroed counters: "0" everywhere, and the verdict.
    void resetDisplays();
    // Every counter, the row and Performed as the experiment stands, the pair
    // under way left out until it is done.
    void showAll();
    // The two below write the displays' texts; flushDisplays asks the changed
    // displays to redraw, the verdict with them. A counting run does that every
    // few hundred pairs: it counts tens of thousands of pairs a second, far more
    // than a screen shows.
    void showPerformed(int pairNumber);
    // The count of the current pair's cell, and in the inequality row when the
    // cell is one of its three.
    void updateCounterDisplay();
    void flushDisplays();

    // Windows alive, for tests of reclaiming.
    static int instances();
};

// A fresh window with its controls and view, not yet shown: the menu's Bell
// button shows it.
BellWindow* buildBellWindow();

// The callbacks below take their window as user data.
// Start: runs as many pairs as Experiment asks on this window, and returns when
// the last pair is done or the window is no longer shown. It is written beside
// the run's stepper (bell_run.cpp), which this header need not know.
void startRun(Fl_Widget*, void* window);
// Stop: a lit Stop holds the run between two frames; what the run has counted
// but not shown yet is shown at once.
void holdWhileStopped(Fl_Widget*, void* window);
// Count: dims or brightens the scene.
void toggleSceneLight(Fl_Widget*, void* window);
// Return, Escape and the window manager's close: back to the menu.
void leaveBell(Fl_Widget*, void* window);
// Save: the counters, the inequality and its verdict as they stand, to a file
// the user chooses.
void saveBellResults(Fl_Widget*, void* window);
