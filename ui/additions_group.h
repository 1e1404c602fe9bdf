// The group that holds what a demonstration window has beyond its first controls
// (BB84's Eve, Count and Eve's notebook): it draws nothing of its own, and lays
// its children out at the window's scale as the window does its own.
#pragma once

#include "ui/scaled_window.h"

#include <FL/Fl_Group.H>

#include <vector>

class AdditionsGroup : public Fl_Group {
public:
    AdditionsGroup(int x, int y, int w, int h);

    // The children's places and label sizes at scale 1; call once they are built.
    void recordDesign();
    void resize(int x, int y, int w, int h) override;

private:
    struct Part {
        Fl_Widget* widget;
        Rect design;
        int labelSize;
    };
    std::vector<Part> parts;
};
