// The demonstration menu: three captions, three previews framed by the buttons
// that open them, and "Exit".
#pragma once

#include "ui/scaled_window.h"

class Fl_Box;
class Fl_Button;
class Fl_Widget;

class MenuWindow : public ScaledWindow {
public:
    Fl_Box* bellFrame = nullptr;
    Fl_Box* bellCaption = nullptr;
    Fl_Box* teleportFrame = nullptr;
    Fl_Box* teleportCaption = nullptr;
    Fl_Box* bb84Frame = nullptr;
    Fl_Box* bb84Caption = nullptr;
    Fl_Button* bellButton = nullptr;
    Fl_Button* teleportButton = nullptr;
    Fl_Button* bb84Button = nullptr;
    Fl_Button* exitButton = nullptr;

    MenuWindow(int w, int h) : ScaledWindow(w, h) {}
};

// Creates the captions and buttons inside the open window group.
void buildMenu(MenuWindow& window);

// "Go" on the title screen: builds and shows the menu, hides the title for good.
void goToMenu(Fl_Widget* = nullptr, void* = nullptr);

// "Exit" on the menu, also the window manager's close (not Escape). Demonstration
// windows still shown keep the program running until they are hidden too.
void exitFromMenu(Fl_Widget* = nullptr, void* = nullptr);
