// Uniform scaling of a window's design, fitting on opening and full screen.
#include "ui/scaled_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Value_Input.H>
#include <FL/Fl_Value_Slider.H>

#include <algorithm>
#include <cmath>

namespace {

int roundToInt(double v) { return static_cast<int>(std::lround(v)); }

bool anotherFullScreen(const Fl_Window* self) {
    for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w)) {
        if (w != self && w->fullscreen_active()) {
            return true;
        }
    }
    return false;
}

}  // namespace

double layoutScale(int w, int h) {
    return std::min(static_cast<double>(w) / kDesignWidth, static_cast<double>(h) / kDesignHeight);
}

Rect scaledRect(const Rect& d, int w, int h) {
    const double s = layoutScale(w, h);
    const int left = (w - roundToInt(kDesignWidth * s)) / 2;
    const int top = (h - roundToInt(kDesignHeight * s)) / 2;
    const int x0 = left + roundToInt(d.x * s);
    const int y0 = top + roundToInt(d.y * s);
    return {x0, y0, left + roundToInt((d.x + d.w) * s) - x0, top + roundToInt((d.y + d.h) * s) - y0};
}

double openingScale(int w, int h) {
    return std::min(1.0, std::min(static_cast<double>(w - kFrameWidth) / kDesignWidth,
                                  static_cast<double>(h - kFrameHeight) / kDesignHeight));
}

Rect openingRect(int x, int y, int w, int h) {
    const double s = openingScale(w, h);
    const int width = roundToInt(kDesignWidth * s);
    const int height = roundToInt(kDesignHeight * s);
    // The position asked for is the window's own, inside its frame (the toolkit
    // asks for static gravity): the frame is what is centred, with a border on
    // each side and the title bar above.
    const int border = kFrameWidth / 2;
    return {x + (w - kFrameWidth - width) / 2 + border,
            y + (h - kFrameHeight - height) / 2 + kFrameHeight - border, width, height};
}

ScaledWindow::ScaledWindow(int w, int h) : Fl_Window(w, h) {
    // The user may resize the window; the layout follows (resize).
    resizable(this);
    size_range(kDesignWidth / 4, kDesignHeight / 4);
}

ScaledWindow::~ScaledWindow() {
    for (Fl_Image* image : scaledImages) {
        delete image;
    }
}

void ScaledWindow::recordDesign() {
    for (int i = 0; i < children(); ++i) {
        Fl_Widget* widget = child(i);
        int textSize = 0;
        if (auto* input = dynamic_cast<Fl_Value_Input*>(widget)) {
            textSize = input->textsize();
        } else if (auto* slider = dynamic_cast<Fl_Value_Slider*>(widget)) {
            textSize = slider->textsize();
        }
        parts.push_back({widget, {widget->x(), widget->y(), widget->w(), widget->h()},
                         widget->labelsize(), textSize, widget->image()});
    }
}

void ScaledWindow::resize(int x, int y, int w, int h) {
    // The design is what the children show before the first change of size.
    if (parts.empty() && (w != this->w() || h != this->h())) {
        recordDesign();
    }
    Fl_Window::resize(x, y, w, h);
    if (!parts.empty()) {
        layOut();
    }
}

void ScaledWindow::layOut() {
    const double s = scale();
    for (Fl_Image* image : scaledImages) {
        delete image;
    }
    scaledImages.clear();
    // Pictures are scaled smoothly.
    Fl_Image::RGB_scaling(FL_RGB_SCALING_BILINEAR);
    for (const Part& part : parts) {
        const Rect r = scaledRect(part.design, w(), h());
        part.widget->resize(r.x, r.y, r.w, r.h);
        part.widget->labelsize(std::max(1, roundToInt(part.labelSize * s)));
        if (part.textSize > 0) {
            const int size = std::max(1, roundToInt(part.textSize * s));
            if (auto* input = dynamic_cast<Fl_Value_Input*>(part.widget)) {
                input->textsize(size);
            } else if (auto* slider = dynamic_cast<Fl_Value_Slider*>(part.widget)) {
                slider->textsize(size);
            }
        }
        if (part.image) {
            Fl_Image* shown = part.image;
            if (s != 1.0) {
                shown = part.image->copy(std::max(1, roundToInt(part.image->w() * s)),
                                         std::max(1, roundToInt(part.image->h() * s)));
                scaledImages.push_back(shown);
            }
            part.widget->image(shown);
        }
    }
    redraw();
}

void ScaledWindow::fitToWorkArea() {
    int ax, ay, aw, ah;
    Fl::screen_work_area(ax, ay, aw, ah);
    const Rect r = openingRect(ax, ay, aw, ah);
    resize(r.x, r.y, r.w, r.h);
}

void ScaledWindow::show() {
    if (!shown()) {
        // Every window opens centred, so that a demonstration covers the menu.
        // One that opens full screen gets that place too: it is where the window
        // goes back to when full screen is left.
        fitToWorkArea();
        if (anotherFullScreen(this)) {
            fullscreen();
        }
    }
    Fl_Window::show();
    // Without a window manager FLTK shows a full-screen window (and leaves full
    // screen) by making a new window that the server places itself, and such a
    // window gets no name. Named again, it stays findable by its title.
    if (!parent() && label()) {
        label(label());
    }
}

void ScaledWindow::toggleFullScreen() {
    if (fullscreen_active()) {
        fullscreen_off();
    } else {
        fullscreen();
    }
}

int ScaledWindow::handle(int event) {
    if (event == FL_SHORTCUT && (Fl::event_key() == FL_F + 11 || Fl::event_key() == FL_F + 5) &&
        !(Fl::event_state() & (FL_SHIFT | FL_CTRL | FL_ALT | FL_META))) {
        toggleFullScreen();
        return 1;
    }
    return Fl_Window::handle(event);
}
