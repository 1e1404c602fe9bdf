// Building the menu and switching to it from the title screen.
#include "app/menu_window.h"

#include "app/escape_key.h"
#include "app/intro_view.h"
#include "app/main_window.h"
#include "app/menu_previews.h"
#include "app/presenter_keys.h"
#include "app/registry.h"
#include "bb84/bb84_window.h"
#include "bell/bell_window.h"
#include "teleport/teleport_window.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>

namespace {

Fl_Box* caption(int x, int y, int w, int h, const char* text) {
    Fl_Box* box = new Fl_Box(FL_NO_BOX, x, y, w, h, text);
    box->color(3);
    box->labelfont(9);
    box->labelsize(32);
    box->labelcolor(4);
    return box;
}

// Only the 5-pixel frame around the preview shows, and only it takes the click.
Fl_Button* launchButton(int x, int y) {
    Fl_Button* button = new Fl_Button(x, y, 300, 200, "");
    button->color(0);
    button->selection_color(0);
    button->labelfont(1);
    button->labelsize(20);
    return button;
}

}  // namespace

void buildMenu(MenuWindow& window) {
    window.bellFrame = new Fl_Box(FL_NO_BOX, 120, 60, 300, 200, "");
    window.bellCaption = caption(50, 270, 440, 50, "Violation of a Bell inequality");
    window.bellButton = launchButton(120, 60);
    window.bellButton->callback(showBellWindow, nullptr);
    window.teleportFrame = new Fl_Box(FL_NO_BOX, 590, 60, 300, 200, "");
    window.teleportCaption = caption(560, 270, 360, 50, "Quantum teleportation");
    window.teleportButton = launchButton(590, 60);
    window.teleportButton->callback(showTeleportWindow, nullptr);
    window.bb84Frame = new Fl_Box(FL_NO_BOX, 120, 360, 300, 200, "");
    window.bb84Caption = caption(10, 570, 600, 50, "BB84 quantum key distribution protocol");
    window.bb84Button = launchButton(120, 360);
    window.bb84Button->callback(showBb84Window, nullptr);

    window.exitButton = new Fl_Button(799, 596, 120, 40, "Exit");
    window.exitButton->color(1);
    window.exitButton->labelfont(9);
    window.exitButton->labelsize(32);
    window.exitButton->callback(exitFromMenu, nullptr);
}

void goToMenu(Fl_Widget*, void*) {
    mainWindow->titleActive = false;

    menuWindow = new MenuWindow(1024, 768);
    menuWindow->color(94, 49);
    menuWindow->label("Main menu");
    // Closing the window is the same as "Exit"; Escape does nothing here.
    menuWindow->callback([](Fl_Widget*, void*) {
        if (!escapeKeyEvent()) exitFromMenu();
    });
    buildMenu(*menuWindow);
    nameKeysInTooltips(*menuWindow);

    bellPreview = new BellPreview(125, 65, 290, 190);
    bellPreview->redraw();
    teleportPreview = new TeleportPreview(595, 65, 290, 190);
    teleportPreview->redraw();
    bb84Preview = new Bb84Preview(125, 365, 290, 190);
    bb84Preview->redraw();
    // The pictures cover all of their buttons but the frame: they show the keys too.
    bellPreview->tooltip(menuWindow->bellButton->tooltip());
    teleportPreview->tooltip(menuWindow->teleportButton->tooltip());
    bb84Preview->tooltip(menuWindow->bb84Button->tooltip());

    menuWindow->end();
    menuWindow->show();

    introView->hide();
    mainWindow->hide();
}

void exitFromMenu(Fl_Widget*, void*) { menuWindow->hide(); }
