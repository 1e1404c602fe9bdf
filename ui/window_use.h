// The life of a demonstration window beyond its widgets: raised rather than built
// twice, kept alive while code on the stack uses it, reclaimed once replaced, and
// what the program does after one is left.
#pragma once

class Fl_Window;

// A launch button whose demonstration window is still shown raises that window
// instead of building a second one. Returns true when it did so.
bool raiseIfShown(Fl_Window* window);

// Code on the stack that uses a demonstration window (its run, a Stop hold)
// keeps it alive for its own duration with one of these.
class WindowUse {
public:
    explicit WindowUse(Fl_Window& window);
    ~WindowUse();
    WindowUse(const WindowUse&) = delete;
    WindowUse& operator=(const WindowUse&) = delete;

private:
    Fl_Window& window;
};

// A launcher hands over the hidden window it replaces. It is deleted at the next
// event pass when nothing uses it, otherwise as soon as the last WindowUse of it
// ends, so memory stays flat over many visits.
void reclaimWindow(Fl_Window* window);

// What every demonstration's Return does after hiding its view and window: the
// program's own action (the menu's previews drawn again), then one event pass.
void afterLeaving();
// The program sets that action once; demonstrations know nothing of the menu.
void setLeaveAction(void (*action)());
