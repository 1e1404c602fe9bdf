// Building the menu and switching to it from the title screen.
#include "app/menu_window.h"

#include "app/demonstrations.h"
#include "app/intro_view.h"
#include "app/main_window.h"
#include "app/menu_previews.h"
#include "app/presenter_keys.h"
#include "app/registry.h"
#include "ui/escape_key.h"
#include "ui/window_use.h"

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
    for (const Demonstration& row : kDemonstrations) {
        window.*row.frame = new Fl_Box(FL_NO_BOX, row.buttonX, row.buttonY, 300, 200, "");
        window.*row.captionBox = caption(row.captionX, row.captionY, row.captionW, row.captionH, row.caption);
        window.*row.button = launchButton(row.buttonX, row.buttonY);
        (window.*row.button)->callback(row.launch, nullptr);
    }

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

    // Each preview inside its button's 5-pixel frame. The pictures cover all of
    // their buttons but the frame: they show the keys too. A demonstration's
    // Return draws them again.
    setLeaveAction(redrawPreviews);
    for (const Demonstration& row : kDemonstrations) {
        SceneView* preview = row.makePreview(row.buttonX + 5, row.buttonY + 5, 290, 190);
        preview->redraw();
        preview->tooltip((menuWindow->*row.button)->tooltip());
    }

    menuWindow->end();
    menuWindow->show();

    introView->hide();
    mainWindow->hide();
}

void exitFromMenu(Fl_Widget*, void*) { menuWindow->hide(); }
