// Event handling shared by the experiment views.
#include "scene/view_events.h"

#include <FL/Fl.H>
#include <FL/Fl_Gl_Window.H>

int handleViewEvent(Fl_Gl_Window& view, int event) {
    const int used = view.Fl_Gl_Window::handle(event);
    if (used) {
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
