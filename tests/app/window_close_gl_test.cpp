// The title screen and the menu: the window manager's close ends them like
// their "Exit", Escape does nothing (both reach the window's callback).
#include "app/intro_view.h"
#include "app/main_window.h"
#include "app/menu_window.h"
#include "app/program.h"
#include "app/registry.h"
#include "support/gl_probe.h"

#include <FL/Fl.H>
#include <gtest/gtest.h>

namespace {

// The window's callback as FLTK calls it for a key press or a close request.
void deliver(Fl_Window& window, int event, int key = 0) {
    Fl::e_number = event;
    Fl::e_keysym = key;
    window.do_callback();
}

TEST(WindowClose, EscapeIsIgnoredAndTheCloseRequestExits) {
    buildMainWindow();
    ASSERT_TRUE(waitUntilDrawn(*mainWindow));
    deliver(*mainWindow, FL_SHORTCUT, FL_Escape);
    EXPECT_TRUE(mainWindow->visible());
    EXPECT_TRUE(mainWindow->titleActive);
    deliver(*mainWindow, FL_CLOSE);
    EXPECT_FALSE(mainWindow->visible());
    EXPECT_FALSE(mainWindow->titleActive);

    goToMenu();
    ASSERT_TRUE(waitUntilDrawn(*menuWindow));
    deliver(*menuWindow, FL_SHORTCUT, FL_Escape);
    EXPECT_TRUE(menuWindow->visible());
    deliver(*menuWindow, FL_CLOSE);
    EXPECT_FALSE(menuWindow->visible());
}

}  // namespace
