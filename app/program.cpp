// Start-up, the title loop and the event stage.
#include "app/program.h"

#include "app/fonts.h"
#include "app/intro_view.h"
#include "app/main_window.h"
#include "app/presenter_keys.h"
#include "app/registry.h"
#include "scene/frame_step.h"
#include "scene/gl_support.h"
#include "ui/escape_key.h"

#include <FL/Fl.H>

void buildMainWindow() {
    mainWindow = new MainWindow(1024, 768);
    mainWindow->color(56, 49);
    mainWindow->label("Demonstrations");
    // Closing the window is the same as "Exit"; Escape does nothing here.
    mainWindow->callback([](Fl_Widget*, void*) {
        if (!escapeKeyEvent()) exitFromTitle();
    });
    buildTitleScreen(*mainWindow);
    nameKeysInTooltips(*mainWindow);
    introView = new IntroView(535, 15, 473, 728);
    mainWindow->end();
    mainWindow->show();
}

void runTitleLoop() {
    // No timer: the text moves by one step per frame. The visibility test keeps
    // the loop from running on should the window vanish another way.
    while (mainWindow->titleActive && mainWindow->visible()) {
        introView->redraw();
        endFrame();
        introView->advanceScroll();
    }
}

int runProgram() {
    initGlut();
    chooseFonts();
    installPresenterKeys();
    buildMainWindow();
    runTitleLoop();
    return Fl::run();
}
