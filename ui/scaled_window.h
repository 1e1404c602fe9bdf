// The program's top-level windows are designed at 1024 x 768. A window of any
// other size shows its design scaled uniformly by the smaller of the two ratios
// and centred, with the window's colour around it: places and sizes of the
// widgets, their label and text sizes, pictures and the 3-D views. A window
// that does not fit the screen opens scaled down; F11 or F5 toggles full screen.
#pragma once

#include <FL/Fl_Window.H>

#include <vector>

class Fl_Image;

constexpr int kDesignWidth = 1024;
constexpr int kDesignHeight = 768;

// Room the window manager's frame takes around a window: the title bar above,
// borders on the other sides.
constexpr int kFrameWidth = 12;
constexpr int kFrameHeight = 48;

struct Rect {
    int x, y, w, h;
};

// The scale of the design in a window of w x h pixels.
double layoutScale(int w, int h);
// Where a rectangle of the design lies in a window of w x h pixels. Edges are
// rounded, not sizes, so that widgets that touch keep touching and widgets
// apart never overlap.
Rect scaledRect(const Rect& design, int w, int h);
// The scale at which a window opens in a work area of w x h pixels: 1 when the
// design and the frame fit, otherwise the largest that fits.
double openingScale(int w, int h);
// Where a window opens in the work area at (x, y) of w x h pixels: at its
// opening scale, with its frame centred in the work area.
Rect openingRect(int x, int y, int w, int h);

class ScaledWindow : public Fl_Window {
public:
    ScaledWindow(int w, int h);
    ~ScaledWindow() override;

    double scale() const { return layoutScale(w(), h()); }

    // Lays the design out anew whenever the size changes.
    void resize(int x, int y, int w, int h) override;
    // The first show centres the window in the screen's work area, fitted into
    // it, and opens it full screen when another window of the program is.
    void show() override;
    using Fl_Window::show;
    // F11 and F5 (which presenters' remotes send) toggle full screen.
    int handle(int event) override;

    void toggleFullScreen();

private:
    struct Part {
        Fl_Widget* widget;
        Rect design;
        int labelSize;
        int textSize;  // 0: the widget has no text of its own
        Fl_Image* image;
    };
    std::vector<Part> parts;
    // Scaled copies of the parts' pictures, owned here.
    std::vector<Fl_Image*> scaledImages;

    void recordDesign();
    void layOut();
    void fitToWorkArea();
};
