// Event handling shared by the experiment views.
#include "scene/view_events.h"

#include "scene/hot_spot.h"

#include <FL/Fl.H>
#include <FL/Fl_Gl_Window.H>

int handleViewEvent(Fl_Gl_Window& view, int event) {
    const int used = view.Fl_Gl_Window::handle(event);
    if (event == FL_LEAVE) {
        notePointerLeft(view);
    } else if (event == FL_ENTER || event == FL_MOVE) {
        notePointerBack(view);
    }
    // The base class does not use a leave, yet the description must go with the pointer.
    if (used || event == FL_LEAVE) {
        view.redraw();
    }
    switch (event) {
    case FL_KEYBOARD:
    case FL_KEYUP:
    case FL_SHORTCUT:
    case FL_FOCUS:
    case FL_UNFOCUS:
        return used;
    default:
        return 1;
    }
}
