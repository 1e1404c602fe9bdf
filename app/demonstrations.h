// The program's demonstrations, one row each: what the menu shows for it, how it
// opens, and which of its buttons the presenter's keys press. The menu, the
// presenter keys and the previews read this table; a new demonstration is a new
// folder and a new row.
#pragma once

class Fl_Box;
class Fl_Button;
class Fl_Widget;
class Fl_Window;
class MenuWindow;
class SceneView;
struct KeyButtons;

struct Demonstration {
    // The menu's caption under the preview, and the caption's box.
    const char* caption;
    int captionX, captionY, captionW, captionH;
    // The launch button (300 x 200) whose frame shows around the preview.
    int buttonX, buttonY;
    // Where the menu keeps the frame, caption and button of this row.
    Fl_Box* MenuWindow::*frame;
    Fl_Box* MenuWindow::*captionBox;
    Fl_Button* MenuWindow::*button;
    // Builds the preview at its place and records it in the registry; the
    // registry's current preview (null before the menu is built).
    SceneView* (*makePreview)(int x, int y, int w, int h);
    SceneView* (*preview)();
    // The launch button's callback.
    void (*launch)(Fl_Widget*, void*);
    // Fills the buttons the keys press when `window` is this demonstration's;
    // false for any other window.
    bool (*keyButtons)(Fl_Window& window, KeyButtons& buttons);
};

// In the menu's order: Bell, teleportation, BB84.
extern const Demonstration kDemonstrations[3];

// What every demonstration's Return does after hiding its view and window, as
// the program's leave action: the previews are drawn again in the menu's order.
void redrawPreviews();

// The menu's launch buttons: each raises its demonstration's window while it is
// shown, otherwise builds a fresh one, makes it current in the registry and shows
// it; the window it replaces is reclaimed.
void showBellWindow(Fl_Widget* = nullptr, void* = nullptr);
void showTeleportWindow(Fl_Widget* = nullptr, void* = nullptr);
void showBb84Window(Fl_Widget* = nullptr, void* = nullptr);
