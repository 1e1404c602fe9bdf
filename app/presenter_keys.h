// Keys of the keyboard and of a presenter's remote (which sends Page Down, Page
// Up, "b" or "." and F5): each presses one button of the window that has the
// focus. In a lesson, Page Up and the arrows go forward and back.
#pragma once

class Fl_Button;
class Fl_Window;
class Lesson;

// The buttons of one window that keys can press; absent ones stay null. Each
// demonstration's row fills them for its window.
struct KeyButtons {
    Fl_Button* start = nullptr;
    Fl_Button* stop = nullptr;
    Fl_Button* pause = nullptr;
    Fl_Button* count = nullptr;
    Fl_Button* local = nullptr;
    Fl_Button* polarization = nullptr;
    Fl_Button* eavesdropper = nullptr;
    Fl_Button* message = nullptr;
    Fl_Button* repeat = nullptr;
    Fl_Button* leave = nullptr;
    Fl_Button* save = nullptr;
    Fl_Button* first = nullptr;
    Fl_Button* second = nullptr;
    Fl_Button* third = nullptr;
    // Lesson mode's button, and the lesson that takes the right and left
    // arrows and Page Up while its run plays.
    Fl_Button* lessonButton = nullptr;
    Lesson* lesson = nullptr;
};

// Routes the keys to their buttons before any widget sees them, so that a key
// means the same whichever control has the focus. Call once at start-up.
void installPresenterKeys();

// Names each key in its button's tooltip; called by a window's builder.
void nameKeysInTooltips(Fl_Window& window);

// Acts on one key press in a window: true when a button took it. Keys held with
// Alt or Meta, with Ctrl (but Ctrl+S), and keys the window has no button for,
// are left to the widgets.
bool pressKeyButton(Fl_Window& window, int key, int state);
