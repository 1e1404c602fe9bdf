// Scaling of the key-distribution window's additions with the window.
#include "ui/additions_group.h"

#include <FL/Fl_Window.H>

#include <algorithm>
#include <cmath>

AdditionsGroup::AdditionsGroup(int x, int y, int w, int h) : Fl_Group(x, y, w, h) {
    box(FL_NO_BOX);
}

void AdditionsGroup::recordDesign() {
    parts.clear();
    for (int i = 0; i < children(); ++i) {
        Fl_Widget* c = child(i);
        parts.push_back({c, {c->x(), c->y(), c->w(), c->h()}, c->labelsize()});
    }
}

void AdditionsGroup::resize(int x, int y, int w, int h) {
    // The group's own box moves; the children follow the window's design, not
    // the group's proportions, so that they scale as the window's own children.
    Fl_Widget::resize(x, y, w, h);
    const Fl_Window* top = window();
    if (!top) {
        return;
    }
    const double s = layoutScale(top->w(), top->h());
    for (const Part& part : parts) {
        const Rect r = scaledRect(part.design, top->w(), top->h());
        part.widget->resize(r.x, r.y, r.w, r.h);
        part.widget->labelsize(std::max(1, static_cast<int>(std::lround(part.labelSize * s))));
    }
}
