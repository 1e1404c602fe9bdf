// Replaced demonstration windows are reclaimed once nothing on the stack uses
// them, and a launch raises a shown window instead of building another.
#include "ui/window_use.h"
#include "support/gl_probe.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

namespace {

TEST(WindowUse, FreeWindowIsDeletedAtTheNextEventPass) {
    auto* window = new Fl_Window(100, 100);
    window->end();
    Fl_Widget_Tracker tracker(window);
    reclaimWindow(window);
    EXPECT_FALSE(tracker.deleted());  // never under the caller's feet
    Fl::check();
    EXPECT_TRUE(tracker.deleted());
    reclaimWindow(nullptr);
}

TEST(WindowUse, WindowInUseIsDeletedWhenTheLastUseEnds) {
    auto* window = new Fl_Window(100, 100);
    window->end();
    Fl_Widget_Tracker tracker(window);
    {
        WindowUse run(*window);
        {
            WindowUse stopHold(*window);
            reclaimWindow(window);
            Fl::check();
        }
        Fl::check();
        EXPECT_FALSE(tracker.deleted());  // the run still uses it
    }
    Fl::check();
    EXPECT_TRUE(tracker.deleted());
}

TEST(WindowUse, UsesOfAWindowNotReplacedLeaveItAlone) {
    Fl_Window window(100, 100);
    window.end();
    Fl_Widget_Tracker tracker(&window);
    { WindowUse use(window); }
    Fl::check();
    EXPECT_FALSE(tracker.deleted());
}

TEST(WindowUse, RaiseOnlyWhatIsShown) {
    Fl_Window window(100, 100, "raise");
    window.end();
    EXPECT_FALSE(raiseIfShown(nullptr));
    EXPECT_FALSE(raiseIfShown(&window));
    window.show();
    ASSERT_TRUE(waitFor([&] { return window.shown() && window.visible(); }));
    EXPECT_TRUE(raiseIfShown(&window));
    window.hide();
    EXPECT_FALSE(raiseIfShown(&window));
}

}  // namespace
