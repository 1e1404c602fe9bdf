// One table of keys for the menu and the three demonstrations, and the event
// hook that presses their buttons.
#include "app/presenter_keys.h"

#include "app/demonstrations.h"
#include "app/main_window.h"
#include "app/menu_window.h"
#include "ui/lesson.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// What a key asks for; each window decides which of its buttons that is.
enum class Role {
    Start, Next, Stop, Pause, Count, Local, Polarization, Eavesdropper, Message, Repeat, Lesson, Leave,
    First, Second, Third, Save
};

struct Key {
    int code;
    Role role;
    const char* name;  // as a tooltip shows it
    bool withCtrl = false;
};

// A remote's "next" (Page Down) starts a demonstration, or opens the first from
// the menu, or leaves the title for the menu; its "blank screen" button ("b" or
// ".") holds the run like Stop.
const Key kKeys[] = {
    {'1', Role::First, "1"},
    {'2', Role::Second, "2"},
    {'3', Role::Third, "3"},
    {' ', Role::Start, "Space"},
    {FL_Enter, Role::Start, "Enter"},
    {FL_Page_Down, Role::Next, "Page Down"},
    {'s', Role::Stop, "\"s\""},
    {'b', Role::Stop, "\"b\""},
    {'.', Role::Stop, "\".\""},
    {'p', Role::Pause, "\"p\""},
    {'c', Role::Count, "\"c\""},
    {'l', Role::Local, "\"l\""},
    {'o', Role::Polarization, "\"o\""},
    {'e', Role::Eavesdropper, "\"e\""},
    {'m', Role::Message, "\"m\""},
    {'r', Role::Repeat, "\"r\""},
    {'n', Role::Lesson, "\"n\""},
    {FL_Escape, Role::Leave, "Escape"},
    {'s', Role::Save, "Ctrl+S", true},
};

KeyButtons buttonsOf(Fl_Window& window) {
    KeyButtons b;
    for (const Demonstration& row : kDemonstrations) {
        if (row.keyButtons(window, b)) {
            return b;
        }
    }
    if (auto* menu = dynamic_cast<MenuWindow*>(&window)) {
        // The menu's digits open the demonstrations in the table's order.
        b.first = menu->*kDemonstrations[0].button;
        b.second = menu->*kDemonstrations[1].button;
        b.third = menu->*kDemonstrations[2].button;
    } else if (auto* title = dynamic_cast<MainWindow*>(&window)) {
        // "Go" is the title's Start; Escape does nothing here, as on the menu.
        b.start = title->goButton;
    }
    return b;
}

Fl_Button* buttonFor(const KeyButtons& b, Role role) {
    switch (role) {
    case Role::Start: return b.start;
    case Role::Next: return b.start ? b.start : b.first;
    case Role::Stop: return b.stop;
    case Role::Pause: return b.pause;
    case Role::Count: return b.count;
    case Role::Local: return b.local;
    case Role::Polarization: return b.polarization;
    case Role::Eavesdropper: return b.eavesdropper;
    case Role::Message: return b.message;
    case Role::Repeat: return b.repeat;
    case Role::Lesson: return b.lessonButton;
    case Role::Leave: return b.leave;
    case Role::First: return b.first;
    case Role::Second: return b.second;
    case Role::Third: return b.third;
    case Role::Save: return b.save;
    }
    return nullptr;
}

// The keypad's digits, point and Enter mean what the main keys mean.
int mainKey(int key) {
    if (key == FL_KP_Enter) {
        return FL_Enter;
    }
    if (key == FL_KP + '.' || (key >= FL_KP + '0' && key <= FL_KP + '9')) {
        return key - FL_KP;
    }
    return key;
}

// As a click would: a light button changes its light, then the callback runs.
// An inactive button (Start during a run) ignores the key.
void press(Fl_Button& button) {
    if (!button.active_r() || !button.visible_r()) {
        return;
    }
    if (button.type() == FL_TOGGLE_BUTTON) {
        button.value(!button.value());
    }
    button.do_callback();
}

int dispatch(int event, Fl_Window* window) {
    if (event == FL_KEYBOARD && window &&
        pressKeyButton(*window->top_window(), Fl::event_key(), Fl::event_state())) {
        return 1;
    }
    return Fl::handle_(event, window);
}

}  // namespace

void installPresenterKeys() { Fl::event_dispatch(dispatch); }

bool pressKeyButton(Fl_Window& window, int key, int state) {
    // Ctrl+A selects the Experiment field's text; Alt and Meta belong to the desktop.
    if (state & (FL_ALT | FL_META)) {
        return false;
    }
    const bool withCtrl = (state & FL_CTRL) != 0;
    key = mainKey(key);
    const KeyButtons buttons = buttonsOf(window);
    // Only while a lesson's run plays: elsewhere the arrows belong to the widgets.
    if (buttons.lesson && buttons.lesson->active() && !withCtrl) {
        if (key == FL_Right) {
            buttons.lesson->goOn();
            return true;
        }
        if (key == FL_Left || key == FL_Page_Up) {
            buttons.lesson->replay();
            return true;
        }
    }
    for (const Key& entry : kKeys) {
        if (entry.code != key || entry.withCtrl != withCtrl) {
            continue;
        }
        Fl_Button* button = buttonFor(buttons, entry.role);
        if (!button) {
            return false;  // digits in a demonstration go on to the Experiment field
        }
        // Taken even when inactive: Space must never reach a focused Stop instead.
        press(*button);
        return true;
    }
    return false;
}

void nameKeysInTooltips(Fl_Window& window) {
    const KeyButtons buttons = buttonsOf(window);
    // Each button with the names of its keys, in the table's order.
    std::vector<std::pair<Fl_Button*, std::vector<const char*>>> named;
    for (const Key& entry : kKeys) {
        Fl_Button* button = buttonFor(buttons, entry.role);
        if (!button) {
            continue;
        }
        auto it = std::find_if(named.begin(), named.end(),
                               [button](const auto& item) { return item.first == button; });
        if (it == named.end()) {
            it = named.insert(named.end(), {button, {}});
        }
        it->second.push_back(entry.name);
    }
    // "Key: Escape", "Keys: Space, Enter or Page Down", under what a button's
    // tooltip already says.
    for (const auto& [button, names] : named) {
        std::string text = button->tooltip() ? std::string(button->tooltip()) + "\n" : "";
        text += names.size() == 1 ? "Key: " : "Keys: ";
        for (size_t i = 0; i < names.size(); ++i) {
            if (i > 0) {
                text += i + 1 == names.size() ? " or " : ", ";
            }
            text += names[i];
        }
        button->copy_tooltip(text.c_str());
    }
}
