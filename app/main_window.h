// The title screen: the black "Demonstrations" window with the title bitmap, the
// caption, "Go", "Exit" and the scrolling introduction on the right.
#pragma once

#include "ui/scaled_window.h"

class Fl_Box;
class Fl_Button;
class Fl_BMP_Image;
class Fl_Widget;

class MainWindow : public ScaledWindow {
public:
    Fl_Box* bitmapBox = nullptr;
    Fl_Box* quantumLabel = nullptr;
    Fl_Box* orvantisLabel = nullptr;
    Fl_Box* demonstrationsLabel = nullptr;
    Fl_Button* goButton = nullptr;
    Fl_Button* exitButton = nullptr;
    // The title loop turns while this is set; "Go" and "Exit" clear it.
    bool titleActive = true;
    Fl_BMP_Image* titleImage = nullptr;

    MainWindow(int w, int h) : ScaledWindow(w, h) {}
    ~MainWindow() override;
};

// Creates the title widgets inside the open window group and loads "zel.bmp" from
// the working folder (on Windows from the executable's); a missing or unreadable
// file leaves the picture empty.
void buildTitleScreen(MainWindow& window);

// "Exit" on the title screen, also the window manager's close (not Escape).
void exitFromTitle(Fl_Widget* = nullptr, void* = nullptr);
