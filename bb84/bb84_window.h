// The key-distribution window: both tables on top, the 3-D scene below left and
// the controls (Pol., Speed, Stop, Start, Return) below right; along the bottom
// Eve, Count and Eve's notebook.
#pragma once

#include "ui/additions_group.h"
#include "ui/scaled_window.h"
#include "bb84/key_protocol.h"
#include "scene/random_source.h"
#include "scene/standard_random.h"

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
    // Pointer position relative to the window, written by the 3-D view's draw.
    int pointerX = 0;
    int pointerY = 0;
    RandomSource random;
    Fl_Button* startButton = nullptr;
    Fl_Button* returnButton = nullptr;
    Fl_Light_Button* polButton = nullptr;
    Fl_Light_Button* stopButton = nullptr;
    Fl_Value_Slider* speedSlider = nullptr;
    Fl_Light_Button* eveButton = nullptr;
    Fl_Light_Button* countButton = nullptr;
    EveStrip* eveStrip = nullptr;
    // Eve's choices, A's choice of the compared columns and counted rounds draw
    // from a generator of their own, so that A's and B's draws keep their order.
    StandardRandom additions;
    KeyProtocol protocol;

    // This window's own views, so that its run and callbacks never reach into a
    // newer window through the program-wide pointers.
    Bb84View* view = nullptr;
    SenderTableView* sender = nullptr;
    ReceiverTableView* receiver = nullptr;
    // A run is in progress: a second Start while one plays is ignored.
    bool running = false;

    Bb84Window(int w, int h) : ScaledWindow(w, h) {}
    ~Bb84Window() override;
};

// Builds the widgets of the window, in their order, inside its open group.
void buildBb84Controls(Bb84Window& window);

// A fresh window with its controls, views and tables, not yet shown: the menu's
// BB84 button shows it.
Bb84Window* buildBb84Window();
// Stop: holds whatever runs by processing events while the light is on.
void holdKeyDistribution(Fl_Widget* = nullptr, void* = nullptr);
// Pol.: the second basis drawn as linear at +-45 degrees (off) or circular (on).
void togglePolarizationStyle(Fl_Widget* = nullptr, void* = nullptr);
// Eve: her station and notebook show at once; the run reads the light at Start.
void toggleEavesdropper(Fl_Widget* = nullptr, void* = nullptr);
// Return, also the window's close and Escape: hides the view and the window and
// refreshes the menu's previews.
void leaveKeyDistribution(Fl_Widget* = nullptr, void* = nullptr);
