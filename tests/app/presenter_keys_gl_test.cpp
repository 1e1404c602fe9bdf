// Keys named in the tooltips of every window's buttons, and which key presses a
// window's buttons take and which they leave to its widgets.
#include "app/demonstrations.h"
#include "app/menu_window.h"
#include "app/presenter_keys.h"
#include "app/registry.h"
#include "bb84/bb84_window.h"
#include "bell/bell_window.h"
#include "support/gl_probe.h"
#include "teleport/teleport_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Input.H>
#include <gtest/gtest.h>

#include <string>

namespace {

std::string tip(Fl_Widget* widget) { return widget->tooltip() ? widget->tooltip() : ""; }
// Save's key comes last, under what the button does; plain "s" stays Stop's.
bool namesCtrlS(Fl_Widget* widget) {
    const std::string text = tip(widget), key = "\nKey: Ctrl+S";
    return text.size() > key.size() && text.compare(text.size() - key.size(), key.size(), key) == 0;
}

TEST(PresenterKeys, TooltipsNameTheKeysOfEveryWindow) {
    MenuWindow menu(1024, 768);
    buildMenu(menu);
    menu.end();
    nameKeysInTooltips(menu);
    EXPECT_EQ(tip(menu.bellButton), "Keys: 1 or Page Down");
    EXPECT_EQ(tip(menu.bb84Button), "Key: 3");
    EXPECT_EQ(tip(menu.exitButton), "");

    showBellWindow();
    EXPECT_EQ(tip(bellWindow->startButton), "Keys: Space, Enter or Page Down");
    EXPECT_EQ(tip(bellWindow->stopButton), "Keys: \"s\", \"b\" or \".\"");
    EXPECT_EQ(tip(bellWindow->pauseButton), "Key: \"p\"");
    EXPECT_EQ(tip(bellWindow->countButton), "Key: \"c\"");
    EXPECT_EQ(tip(bellWindow->returnButton), "Key: Escape");
    EXPECT_TRUE(namesCtrlS(bellWindow->saveButton)) << tip(bellWindow->saveButton);
    leaveBell(nullptr, bellWindow);

    showBb84Window();
    EXPECT_EQ(tip(bb84Window->polButton), "Key: \"o\"");
    EXPECT_EQ(tip(bb84Window->startButton), "Keys: Space, Enter or Page Down");
    EXPECT_TRUE(namesCtrlS(bb84Window->saveButton)) << tip(bb84Window->saveButton);
    bb84Window->do_callback();

    showTeleportWindow();
    EXPECT_EQ(tip(teleportWindow->stopButton), "Keys: \"s\", \"b\" or \".\"");
    EXPECT_TRUE(namesCtrlS(teleportWindow->saveButton)) << tip(teleportWindow->saveButton);
    leaveTeleportation(nullptr, teleportWindow);
}

TEST(PresenterKeys, ButtonsTakeTheirKeysAndLeaveTheRestToTheWidgets) {
    showBellWindow();
    BellWindow* window = bellWindow;
    ASSERT_TRUE(waitFor([window] { return window->shown() && window->visible(); }));
    window->experimentInput->take_focus();

    // Digits and keys held with Ctrl go on to the Experiment field.
    EXPECT_FALSE(pressKeyButton(*window, '7', 0));
    EXPECT_FALSE(pressKeyButton(*window, FL_KP + '7', 0));
    EXPECT_FALSE(pressKeyButton(*window, 'p', FL_CTRL));
    EXPECT_FALSE(pressKeyButton(*window, 'o', 0));  // Pol. is not in this window
    EXPECT_EQ(window->pauseButton->value(), 0);

    // Light buttons change as if clicked, whatever has the focus.
    EXPECT_TRUE(pressKeyButton(*window, 'p', FL_SHIFT));
    EXPECT_EQ(window->pauseButton->value(), 1);
    EXPECT_TRUE(pressKeyButton(*window, 'c', 0));
    EXPECT_EQ(window->countButton->value(), 1);
    EXPECT_TRUE(pressKeyButton(*window, 'c', 0));
    EXPECT_EQ(window->countButton->value(), 0);

    // An inactive Start takes its keys and does nothing: no run, no focused
    // button pressed instead.
    window->startButton->deactivate();
    EXPECT_TRUE(pressKeyButton(*window, FL_KP_Enter, 0));
    EXPECT_STREQ(window->performedDisplay->label(), "0");
    window->startButton->activate();

    EXPECT_TRUE(pressKeyButton(*window, FL_Escape, 0));
    EXPECT_FALSE(window->visible());
}

}  // namespace
